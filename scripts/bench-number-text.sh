#!/bin/bash
# Number-text benchmark (prints figures): RealToText and TextToReal against
# glibc's snprintf("%.14Le") and strtold, natively, on the edge cases and
# SIZE random values and SIZE random texts (default 10 million each), in an
# optimised build without sanitizers (build/bench-native). Prints the time
# each side took and `number-text differential values=N texts=M
# differences=D`; exits non-zero on any difference.
#   bench-number-text.sh [SIZE] [RANDOM-START]
set -uo pipefail
cd "$(dirname "$0")/.."
size=${1:-10000000}
case $size in ''|*[!0-9]*) echo "usage: $0 [SIZE] [RANDOM-START]" >&2; exit 2 ;; esac
out=build/bench-native
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_SANITIZE=OFF >/dev/null &&
    cmake --build "$out" --target number_text_diff >"$out/build.log" 2>&1 ||
    { cat "$out/build.log" 2>/dev/null; echo "bench-number-text: building failed"; exit 1; }
start=$(date +%s)
"$out/tests/bench/number_text_diff" "$size" ${2:+"$2"}
rc=$?
echo "run time: $(( $(date +%s) - start )) s"
exit $rc
