#!/bin/bash
# Proves the README's commands on a bare Debian: makes a minimal system of
# the release DIST from Debian's archive (debootstrap --variant=minbase, with
# git, as a user who clones the project has it), clones the committed project
# into it and runs `bash scripts/test.sh` there as root, then the demo
# without a display and the release script. Prints the test run's closing
# lines and each command's time; the exit status is the test run's (or a
# failed demo's or release's).
#
#   check-fresh.sh DIST [--keep]     DIST: bookworm or trixie
#
# The system is made under build/fresh/DIST and removed at the end (--keep
# leaves it, unmounted). What Wine and Xvfb need is mounted into it (proc,
# sysfs, binfmt_misc, its own devpts and /dev/shm) and unmounted at the end, whatever
# happens; processes still running in it are ended first.
# TARNWICK_MIRROR overrides the archive (default: the one this machine's
# apt uses for its own release).
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$TARNWICK_ROOT"

dist=${1:-}
case $dist in
bookworm | trixie) ;;
*) echo "usage: $0 bookworm|trixie [--keep]" >&2; exit 2 ;;
esac
keep=0
[ "${2:-}" = --keep ] && keep=1
started=$SECONDS
root=$TARNWICK_ROOT/build/fresh/$dist
say() { echo "check-fresh $dist: $*"; }
elapsed() { local s=$((SECONDS - $1)); echo "$((s / 60)) min $((s % 60)) s"; }

# Everything under the system's root that is mounted, deepest first.
mounts_under() {
    awk -v root="$root" '$2 == root || index($2, root "/") == 1 { print $2 }' /proc/self/mounts | sort -r
}
# Ends what still runs in the system (a wineserver, an Xvfb), removes a
# binfmt_misc entry its run left, unmounts everything in it.
cleanup() {
    local pid mount tries
    for tries in 1 2 3; do
        for pid in /proc/[0-9]*; do
            [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "${pid#/proc/}" 2>/dev/null
        done
        sleep 0.5
    done
    [ -e /proc/sys/fs/binfmt_misc/tarnwick-i386 ] &&
        grep -qx "interpreter /root/tarnwick/build/lane/qemu/usr/bin/qemu-i386" \
            /proc/sys/fs/binfmt_misc/tarnwick-i386 2>/dev/null &&
        echo -1 >/proc/sys/fs/binfmt_misc/tarnwick-i386
    for tries in 1 2 3; do
        for mount in $(mounts_under); do umount "$mount" 2>/dev/null || umount -l "$mount" 2>/dev/null; done
        [ -z "$(mounts_under)" ] && break
        sleep 1
    done
    if [ -n "$(mounts_under)" ]; then
        say "could not unmount: $(mounts_under | tr '\n' ' ')"
        return 1
    fi
    [ "$keep" = 1 ] || rm -rf --one-file-system "$root"
}
trap cleanup EXIT
trap "exit 130" INT TERM

scripts/install-deps.sh debootstrap git || exit 1
if [ -z "${TARNWICK_MIRROR:-}" ]; then
    # shellcheck disable=SC2016
    TARNWICK_MIRROR=$(apt-get indextargets --no-release-info --format '$(SITE)' 'Created-By: Packages' \
        'Component: main' 2>/dev/null | grep -v -- '-security' | head -n 1)
fi
mirror=${TARNWICK_MIRROR:-http://deb.debian.org/debian}
mirror=${mirror%/}
security=${mirror%/debian}/debian-security
head=$(git rev-parse --short HEAD) || { say "not a git checkout"; exit 2; }

keep_asked=$keep keep=0
cleanup  # what a killed run left
keep=$keep_asked
mkdir -p "$(dirname "$root")"
say "making a bare $dist system (debootstrap --variant=minbase) from $mirror"
t=$SECONDS
if ! debootstrap --variant=minbase --include=git,ca-certificates "$dist" "$root" "$mirror" \
    >"$root.debootstrap.log" 2>&1; then
    tail -n 20 "$root.debootstrap.log"
    say "FAILED: debootstrap"
    exit 1
fi
say "system made in $(elapsed "$t")"

# A bare install's apt sources: the release, its updates and its security
# archive, as the installer writes them.
rm -f "$root/etc/apt/sources.list"
cat >"$root/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: $dist $dist-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: $security
Suites: $dist-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
# No service starts inside it.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

mount -t proc proc "$root/proc" &&
    mount -t sysfs sysfs "$root/sys" &&
    mkdir -p "$root/dev/pts" "$root/dev/shm" &&
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts" &&
    mount -t tmpfs -o mode=1777 shm "$root/dev/shm" ||
    { say "FAILED: mounting proc, sys, devpts and shm"; exit 1; }
# The machine's binfmt_misc entries, so that the lane's choice inside sees
# what sends 32-bit programs to an emulator (and can add its own).
[ -e /proc/sys/fs/binfmt_misc/register ] &&
    mount -t binfmt_misc binfmt_misc "$root/proc/sys/fs/binfmt_misc"

say "cloning the committed project ($head)"
git clone -q "file://$TARNWICK_ROOT" "$root/root/tarnwick" || { say "FAILED: git clone"; exit 1; }

# Runs a command in the system as a new root login would, without a display.
in_system() {
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /root/tarnwick && $1"
}

log=$TARNWICK_ROOT/build/fresh/$dist-test.log
# Runs one of the README's commands there, its output into $log.NAME (the
# test command's into $log); says how it went, with the line of its output
# that matches $3, and returns its exit status.
run_readme_command() {
    local name=$1 command=$2 summary=$3 out=$log t=$SECONDS rc
    [ "$name" = test ] || out=$log.$name
    in_system "$command" >"$out" 2>&1
    rc=$?
    say "$name command: exit $rc, $(elapsed "$t"): $(grep -E -m1 "$summary" "$out" | tr -s ' ')"
    [ "$rc" -eq 0 ] || { tail -n 40 "$out"; say "FAILED: $command exited with $rc"; }
    return "$rc"
}

say "bash scripts/test.sh (its output: $log)"
run_readme_command test 'bash scripts/test.sh' '^tests: '
status=$?
grep -E '^(lane: |install-deps: |fuzz total)' "$log" | sed "s/^/check-fresh $dist: | /"
# The shipped exe's imports, as the check reads them from the PE file there.
in_system 'python3 tools/pe_imports.py build/product/tarnwick.exe' 2>&1 |
    grep -E '^check-imports: (size|from|[0-9]+ imported|passed|FAILED)' | sed "s/^/check-fresh $dist: | /"

run_readme_command demo 'bash scripts/demo.sh' 'screenshot saved|starting'
demo=$?
cp "$root/root/tarnwick/build/demo-screenshot.png" "$TARNWICK_ROOT/build/fresh/$dist-demo.png" 2>/dev/null &&
    say "the demo's screenshot: build/fresh/$dist-demo.png"
run_readme_command release 'bash scripts/release.sh' '^  tarnwick-.*\.zip '
release=$?

say "$(grep -E '^tests: ' "$log" | tail -n 1) on a bare $dist, commit $head, in all $(elapsed "$started")"
[ "$status" -eq 0 ] && [ "$demo" -eq 0 ] && [ "$release" -eq 0 ]
