#!/bin/bash
# Installs what building and testing need, from Debian's packages only, on
# Debian 12 (bookworm) and 13 (trixie).
#
#   install-deps.sh              the packages every script needs
#   install-deps.sh PACKAGE...   these packages (fuzz.sh asks for its clang)
#
# A mirror is now and then caught mid-sync: one of its index files does not
# match its Release file, and `apt-get update` fails for that index alone.
# The update is tried a few times; if an index still fails, the install goes
# on with the release's own versions (`-t <codename>`), which every
# architecture has, so the i386 half of a Multi-Arch pair is never asked to
# match an amd64 version that only the missing index holds. A package the
# archive does not have at all still stops the run, with a line naming it.
set -uo pipefail

default_packages=(
    cmake ninja-build g++ googletest libgtest-dev mingw-w64
    wine wine32:i386 wine64 fonts-wine xvfb xdotool imagemagick x11-utils
    python3 python3-pefile python3-capstone
)
packages=("$@")
[ ${#packages[@]} -gt 0 ] || packages=("${default_packages[@]}")
update_tries=${TARNWICK_APT_TRIES:-3}

need=()
for pkg in "${packages[@]}"; do
    dpkg -s "$pkg" 2>/dev/null | grep -q '^Status: install ok installed' || need+=("$pkg")
done
[ ${#need[@]} -eq 0 ] && exit 0
echo "install-deps: installing ${need[*]}"
for pkg in "${need[@]}"; do
    if [[ $pkg == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
done

# apt-get update, retried; prints the indexes that still failed (one line
# each), and returns 1 when some did.
log=$(mktemp /tmp/tarnwick-apt.XXXXXX)
trap 'rm -f "$log"' EXIT
update_index() {
    local try
    for ((try = 1; try <= update_tries; try++)); do
        apt-get update -q >"$log" 2>&1 && ! grep -q '^E: \|^W: Failed to fetch' "$log" && return 0
        failed_indexes=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\(.*\)$/\1 (\2)/p' "$log")
        [ -n "$failed_indexes" ] || failed_indexes=$(grep '^E: ' "$log")
        echo "install-deps: apt-get update, try $try of $update_tries: an index failed to download:"
        printf '%s\n' "$failed_indexes" | sed 's/^/    /'
        [ "$try" -lt "$update_tries" ] && sleep $((try * 5))
    done
    return 1
}

install_opts=()
if ! update_index; then
    # shellcheck disable=SC1091
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || { echo "install-deps: no VERSION_CODENAME in /etc/os-release"; exit 1; }
    echo "install-deps: going on without those indexes; installing the release's own versions"
    echo "install-deps: (apt-get install -t $codename), which every architecture's index has"
    install_opts=(-t "$codename")
fi

# A name the archive does not know is a real failure, not a mirror's.
missing=()
for pkg in "${need[@]}"; do
    apt-cache show "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: FAILED: the archive has no package ${missing[*]} ($(. /etc/os-release && echo "$PRETTY_NAME"))"
    exit 1
fi

if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${install_opts[@]}" "${need[@]}" >"$log" 2>&1; then
    grep -E '^E: |^ [^ ].*: Depends' "$log" | head -n 20 | sed 's/^/    /'
    echo "install-deps: FAILED: apt-get install ${install_opts[*]} ${need[*]}"
    exit 1
fi
echo "install-deps: installed ${#need[@]} packages${install_opts[*]:+ (${install_opts[*]})}"
