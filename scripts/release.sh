#!/bin/bash
# Makes the release package dist/tarnwick-<version>.zip: the shipped 32-bit
# tarnwick.exe, OLVASSEL.TXT (from docs/OLVASSEL.txt, in Windows-1250 with
# CRLF line ends, for Notepad on Windows 98) and SHA256SUMS of those two.
# The version is CMake's project version, the one in CMakeLists.txt.
#
#   release.sh                 installs what is missing, builds and checks
#                              the exe, packages it (a fresh Debian 12
#                              machine, root)
#   release.sh --no-setup      the same without installing
#   release.sh --package-only  packages the exe already in the build folder
#   --build-dir DIR            build folder (default build/release)
#   --out DIR                  where the zip goes (default dist)
#
# Same commit, same bytes: the exe builds reproducibly (cmake/windows.cmake)
# and the zip holds its files in a fixed order with fixed times and
# attributes. The time is SOURCE_DATE_EPOCH when set, else the time of the
# checked-out commit, else 2000-01-01.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
out=$root/dist
setup=1 make_exe=1
while [ $# -gt 0 ]; do
    case $1 in
        --no-setup) setup=0 ;;
        --package-only) setup=0 make_exe=0 ;;
        --build-dir) build=$(realpath -m "${2:?--build-dir needs a folder}"); shift ;;
        --out) out=$(realpath -m "${2:?--out needs a folder}"); shift ;;
        *) echo "release: unknown argument $1" >&2; exit 2 ;;
    esac
    shift
done
exe=$build/tarnwick.exe
cd "$root"

# Runs a step quietly; shows its output when it fails.
quiet() {
    local output
    output=$("$@" 2>&1) && return 0
    printf '%s\n' "$output" | tail -n 40 >&2
    echo "release: failed: $*" >&2
    exit 1
}

if [ "$setup" = 1 ]; then
    echo "release: packages"
    scripts/install-deps.sh
fi
if [ "$make_exe" = 1 ]; then
    echo "release: building tarnwick.exe in $build"
    # --fresh: nothing left in the cache from an earlier configure decides
    # what ships.
    quiet cmake --preset product -B "$build" --fresh
    quiet cmake --build "$build" --target tarnwick -j"$(nproc)"
    # What ships must load on Windows 95 OSR2 to 11 and run on an i486.
    quiet scripts/check-imports.sh "$exe"
    quiet python3 tools/cpu_audit.py check "$exe" --map "$build/tarnwick.map"
fi
[ -f "$exe" ] || { echo "release: no $exe" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[[ $version =~ ^[0-9]+(\.[0-9]+)*$ ]] || { echo "release: no project version in $build/CMakeCache.txt" >&2; exit 1; }

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)
    if [ -n "$(git -C "$root" status --porcelain --untracked-files=no 2>/dev/null)" ]; then
        echo "release: note: the work tree has changes that are not committed; the package holds them"
    fi
fi

stage=$(mktemp -d /tmp/tarnwick-release.XXXXXX)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/tarnwick.exe"

# The text: the version filled in, Windows-1250 (iconv stops at a letter it
# cannot encode), CRLF. Its source keeps plain LF line ends.
text=$root/docs/OLVASSEL.txt
if grep -q $'\r' "$text"; then
    echo "release: $text has CR characters; keep it in LF line ends" >&2; exit 1
fi
sed "s/@VERSION@/$version/g" "$text" | iconv -f UTF-8 -t CP1250 | sed 's/$/\r/' >"$stage/OLVASSEL.TXT"
if grep -q '@[A-Z_]*@' "$stage/OLVASSEL.TXT"; then
    echo "release: $text has a placeholder other than @VERSION@" >&2; exit 1
fi
(cd "$stage" && sha256sum tarnwick.exe OLVASSEL.TXT) | sed 's/$/\r/' >"$stage/SHA256SUMS"

mkdir -p "$out"
zip=$out/tarnwick-$version.zip
python3 - "$stage" "$zip.tmp" "$SOURCE_DATE_EPOCH" tarnwick.exe OLVASSEL.TXT SHA256SUMS <<'EOF'
import sys, time, zipfile
stage, target, epoch, names = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
# Zip times are local times of day without a zone; UTC keeps them the same
# wherever the package is made. The format starts in 1980.
stamp = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))
with zipfile.ZipFile(target, "w") as z:
    for name in names:
        entry = zipfile.ZipInfo(name, date_time=stamp)
        entry.create_system = 0     # MS-DOS: attributes mean the same to every unzipper
        entry.external_attr = 0x20  # an ordinary file (archive bit), whatever the umask
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(f"{stage}/{name}", "rb") as f:
            z.writestr(entry, f.read(), compresslevel=9)
EOF
mv "$zip.tmp" "$zip"

echo
echo "release: $zip"
printf '  %-24s %9s  %s\n' file bytes SHA-256
for f in tarnwick.exe OLVASSEL.TXT SHA256SUMS; do
    printf '  %-24s %9s  %s\n' "$f" "$(stat -c %s "$stage/$f")" "$(sha256sum "$stage/$f" | cut -d' ' -f1)"
done
printf '  %-24s %9s  %s\n' "$(basename "$zip")" "$(stat -c %s "$zip")" "$(sha256sum "$zip" | cut -d' ' -f1)"
