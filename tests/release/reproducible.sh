#!/bin/bash
# Two release builds of the same sources must give byte-identical
# tarnwick.exe and zip. They differ in everything else a build could pick
# up: folders of different depth, one under /tmp and one under /var/tmp (ld
# sorts the import tables by library path, so a path on either side of
# /usr once changed the bytes), the build folder inside the sources or
# beside them, time (one after the other, a minute apart), time zone, umask
# and locale.
#   reproducible.sh <source folder>
# Builds only the tarnwick target, twice: about two minutes on two cores.
set -uo pipefail
src=$(cd "${1:?usage: reproducible.sh <source folder>}" && pwd)

late=/var/tmp
[ -d "$late" ] && [ -w "$late" ] || late=${TMPDIR:-/tmp}
work=$(mktemp -d /tmp/tarnwick-repro.XXXXXX)
work2=$(mktemp -d "$late/tarnwick-repro.XXXXXX")
trap 'rm -rf "$work" "$work2"' EXIT
# The same time for both packages; release.sh takes the commit's otherwise,
# and the copies have no .git.
export SOURCE_DATE_EPOCH=1000000000

# One snapshot of the sources (not the builds, not the history), taken once:
# the folder may change while the first build runs. Each build gets a copy
# of it.
snapshot=$work/sources.tar
tar -C "$src" --exclude=./build --exclude=./dist --exclude=./.git -cf "$snapshot" . || exit 2
copy_tree() {
    mkdir -p "$1"
    tar -C "$1" -xf "$snapshot"
}

# One build: folder (sources in src/) | build folder | environment
builds=(
    "$work/a|$work/a/src/build/release|TZ=UTC0 LC_ALL=C"
    "$work2/second/with-a-longer-name|$work2/second/with-a-longer-name/release-build|TZ=KST-14 LC_ALL=C.UTF-8"
)
umasks=(022 077)
exes=() zips=()
for i in "${!builds[@]}"; do
    IFS='|' read -r dir build env_text <<<"${builds[$i]}"
    read -ra environment <<<"$env_text"
    copy_tree "$dir/src" || exit 2
    echo "reproducible: build $((i + 1)) in $build (${environment[*]}, umask ${umasks[$i]})"
    exes+=("$build/tarnwick.exe") zips+=("$dir/dist")
    if ! (umask "${umasks[$i]}" && env "${environment[@]}" bash "$dir/src/scripts/release.sh" --no-setup \
            --build-dir "$build" --out "$dir/dist") >"$dir/log" 2>&1; then
        tail -n 40 "$dir/log"
        echo "FAIL  build $((i + 1)) failed"
        exit 1
    fi
done

failed=0
# what | file of build 1 | file of build 2
pairs=(
    "tarnwick.exe|${exes[0]}|${exes[1]}"
    "zip|$(ls "${zips[0]}"/*.zip)|$(ls "${zips[1]}"/*.zip)"
)
for pair in "${pairs[@]}"; do
    IFS='|' read -r what one two <<<"$pair"
    if cmp -s "$one" "$two"; then
        echo "pass  $what: identical, $(stat -c %s "$one") bytes, sha256 $(sha256sum "$one" | cut -d' ' -f1)"
    else
        echo "FAIL  $what differs between the builds (offset, byte in 1, byte in 2; octal):"
        cmp -l "$one" "$two" | head -n 20
        failed=1
    fi
done
exit "$failed"
