#!/bin/bash
# Builds our own copy of the MinGW-w64 C runtime for the i486, from Debian's
# source of the installed runtime, into build/runtime-i486/lib. Debian builds
# its runtime for the Pentium Pro: its crt2.o runs a CMOV before WinMain. The
# product toolchain (cmake/mingw.cmake) links this copy instead.
# Takes a few minutes once; after that it finds its result and returns at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/runtime-i486
work=$root/build/runtime-i486.work
target=i686-w64-mingw32
cflags='-O2 -march=i486'

# What the link takes from the runtime: start files for exes and DLLs and the
# libraries gcc adds on its own. Not crtbegin.o/crtend.o: the runtime's are
# empty, gcc's own register the unwind tables. The import libraries stay
# Debian's: the members a link takes from them are jmp thunks.
files=(crt2.o dllcrt2.o libmingw32.a libmingwex.a libmsvcrt.a libmoldname.a)

# The source must match the installed headers, so it is the same version.
version=$(dpkg-query -W -f '${source:Version}' mingw-w64-i686-dev 2>/dev/null || true)
stamp="mingw-w64 $version $cflags"
cached() {
    [ -n "$version" ] && [ "$(cat "$out/stamp" 2>/dev/null)" = "$stamp" ] || return 1
    local f
    for f in "${files[@]}"; do [ -f "$out/lib/$f" ] || return 1; done
}
cached && exit 0

log=$work/log
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
# Runs a step with its output in the log; shows the log's end if it fails.
run() {
    "$@" >>"$log" 2>&1 && return 0
    echo "failed: $*" >&2
    tail -n 40 "$log" >&2
    exit 1
}

# apt-get that waits for another apt (e.g. a parallel install) to finish.
apt_get() {
    for _ in $(seq 60); do
        if apt-get -o DPkg::Lock::Timeout=600 "$@" >"$work/apt.out" 2>&1; then
            cat "$work/apt.out" >>"$log"; return 0
        fi
        cat "$work/apt.out" >>"$log"
        grep -q 'Could not get lock' "$work/apt.out" || break
        sleep 5
    done
    echo "failed: apt-get $*" >&2
    tail -n 20 "$work/apt.out" >&2
    exit 1
}

# Adds a deb-src entry for the release's main component, copied from the
# machine's own deb entries (deb822 .sources files or one-line .list files).
add_deb_src() {
    local codename=$1 dir=/etc/apt/sources.list.d
    local f lists=()
    for f in "$dir"/*.sources; do
        [ -f "$f" ] || continue
        awk -v suite="$codename" '
            function has(list, word) { return (" " list " ") ~ (" " word " ") }
            function flush() {
                if (has(types, "deb") && has(suites, suite) && has(comps, "main") && enabled != "no")
                    printf "Types: deb-src\nSuites: %s\nComponents: main\n%s\n", suite, rest
                types = suites = comps = rest = enabled = ""; field = ""
            }
            /^#/ { next }
            /^[ \t]*$/ { flush(); next }
            /^[ \t]/ { if (field == "rest") rest = rest $0 "\n"; next }
            { name = $1; value = $0; sub(/^[^:]*:[ \t]*/, "", value) }
            name == "Types:" { types = value; field = ""; next }
            name == "Suites:" { suites = value; field = ""; next }
            name == "Components:" { comps = value; field = ""; next }
            name == "Enabled:" { enabled = value; field = ""; next }
            { rest = rest $0 "\n"; field = "rest" }
            END { flush() }' "$f"
    done >"$work/deb-src.sources"
    [ -f /etc/apt/sources.list ] && lists+=(/etc/apt/sources.list)
    for f in "$dir"/*.list; do [ -f "$f" ] && lists+=("$f"); done
    if [ ${#lists[@]} -gt 0 ]; then
        sed -nE "s/^[[:space:]]*deb[[:space:]]+((\[[^]]*\][[:space:]]+)?[^[:space:]]+)[[:space:]]+${codename}[[:space:]]+(.*[[:space:]])?main([[:space:]].*)?$/deb-src \1 ${codename} main/p" \
            "${lists[@]}" | sort -u >"$work/deb-src.list"
    else
        : >"$work/deb-src.list"
    fi
    if [ -s "$work/deb-src.sources" ]; then
        cp "$work/deb-src.sources" "$dir/tarnwick-deb-src.sources"
    elif [ -s "$work/deb-src.list" ]; then
        cp "$work/deb-src.list" "$dir/tarnwick-deb-src.list"
    else
        echo "no deb entry for $codename main in the apt configuration to copy" >&2
        exit 1
    fi
}

echo "building the i486 C runtime into $out"
[ "$(id -u)" -eq 0 ] || { echo "run as root: this installs packages and adds a deb-src entry" >&2; exit 1; }

# dpkg-dev for apt-get source; autoconf and automake because Debian's patches
# change the runtime's Makefile.am; mingw-w64 for the compiler and headers.
need=()
for pkg in dpkg-dev make autoconf automake bzip2 xz-utils mingw-w64; do
    [ "$(dpkg-query -W -f '${db:Status-Status}' "$pkg" 2>/dev/null)" = installed ] || need+=("$pkg")
done
# shellcheck disable=SC1091
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
# shellcheck disable=SC2016
apt-get indextargets --no-release-info --format '$(CREATED_BY) $(RELEASE) $(COMPONENT)' 2>/dev/null |
    grep -qx "Sources $codename main" || add_deb_src "$codename"
apt_get update -q
if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    DEBIAN_FRONTEND=noninteractive apt_get install -y -q --no-install-recommends "${need[@]}"
fi
version=$(dpkg-query -W -f '${source:Version}' mingw-w64-i686-dev)
stamp="mingw-w64 $version $cflags"

echo "fetching the source of mingw-w64 $version"
(cd "$work" && apt_get source -q "mingw-w64=$version")
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'mingw-w64-*' | head -n 1)
[ -n "$src" ] || { echo "apt-get source gave no source folder" >&2; exit 1; }

echo "configuring and building (make -j2)"
(cd "$src/mingw-w64-crt" && run autoreconf -fi)
mkdir -p "$work/build/lib32"
cd "$work/build"
run "$src/mingw-w64-crt/configure" --host=$target --enable-lib32 --disable-lib64 \
    --with-sysroot=/usr/$target CC=$target-gcc-win32 CXX=$target-g++-win32 \
    CFLAGS="$cflags" CXXFLAGS="$cflags"
run make -j2 "${files[@]/#/lib32/}"

# Into place in one step, so a half-made folder never looks finished.
rm -rf "$out.new" "$out"
mkdir -p "$out.new/lib"
for f in "${files[@]}"; do cp "lib32/$f" "$out.new/lib/"; done
echo "$stamp" >"$out.new/stamp"
mv "$out.new" "$out"
echo "i486 C runtime ready in $out/lib"
