#!/bin/bash
# Fuzzes the parsers of the portable core natively: each target (see
# tests/fuzz) built with clang, libFuzzer, ASan and UBSan in build/fuzz,
# then run for SECONDS (default 10) from its starting inputs in tests/fuzz/corpus and
# the inputs earlier runs kept in build/fuzz/corpus. Prints one line per
# target and a total; exits non-zero on any finding. A finding's input is
# saved under build/fuzz/findings/<target>/ and its log is shown.
#
#   bash scripts/fuzz.sh [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
case $seconds in ''|*[!0-9]*|0) echo "usage: $0 [SECONDS]" >&2; exit 2 ;; esac

# The release's own clang (Debian's default version: 14 on bookworm, 19 on
# trixie) and its sanitizer and libFuzzer runtime.
scripts/install-deps.sh clang libclang-rt-dev cmake ninja-build ||
    { echo "fuzz: installing clang failed"; exit 1; }
echo "fuzz: $(clang++ --version | head -n 1)"

out=build/fuzz
cmake -S tests/fuzz -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None >/dev/null &&
    cmake --build "$out" >"$out/build.log" 2>&1 ||
    { cat "$out/build.log" 2>/dev/null; echo "fuzz: building the targets failed"; exit 1; }

total_execs=0; total_findings=0
for target in int_text real_text ini_integer registry_decode; do
    corpus=$out/corpus/$target findings=$out/findings/$target log=$out/$target.log
    mkdir -p "$corpus" "$findings"
    dict=()
    [ "$target" != registry_decode ] && dict=(-dict=tests/fuzz/number_text.dict)
    # New inputs go to the first folder only: the starting inputs in the repo stay as they are.
    "$out/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "${dict[@]}" \
        -artifact_prefix="$findings/" "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1
    rc=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    [ -n "$execs" ] || execs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -dc 0-9)
    found=$(grep -c 'Test unit written to' "$log")
    [ "$rc" -ne 0 ] && [ "$found" -eq 0 ] && found=1  # it failed without saving an input
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9]*' "$log" | tail -1)
    echo "  $target: ${cov:-no coverage figures}, log $log"
    if [ "$found" -gt 0 ]; then
        grep -E -A3 'failed: |ERROR: |runtime error|Test unit written to' "$log" | head -40 | sed 's/^/    /'
    fi
    echo "fuzz target=$target execs=${execs:-0} findings=$found"
    total_execs=$((total_execs + ${execs:-0})); total_findings=$((total_findings + found))
done
echo "fuzz total execs=$total_execs findings=$total_findings"
[ "$total_findings" -eq 0 ]
