#!/bin/bash
# Builds everything and runs every test: native unit tests, the in-process
# tests under Wine, and the e2e tests of the shipped exe under Wine in Xvfb.
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$TARNWICK_ROOT"
scripts/install-deps.sh || exit 1

passed=0; failed=0; broken=0
# Runs ctest in a build folder and adds up its counts.
run_ctest() {
    local dir=$1 log
    log=$(mktemp)
    # One at a time: the Wine tests share one X display and its focus.
    ctest --test-dir "$dir" --output-on-failure --timeout 600 2>&1 | tee "$log"
    local line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [ -z "$line" ]; then
        echo "no test ran in $dir"; broken=1
    else
        bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((passed + total - bad)); failed=$((failed + bad))
    fi
    rm -f "$log"
}
build() {
    cmake --preset "$1" >/dev/null && cmake --build "build/$1" -j2 || { echo "build $1 failed"; broken=1; return 1; }
}

build native && run_ctest build/native
build product
build wine-tests

template=$TARNWICK_ROOT/build/prefix-template
export TARNWICK_PREFIX_TEMPLATE=$template
echo "making the template Wine prefix"
make_template_prefix "$template" || broken=1
start_xvfb || broken=1
trap 'kill ${XVFB_PID:-0} 2>/dev/null' EXIT

[ -d build/wine-tests ] && run_ctest build/wine-tests
[ -d build/product ] && run_ctest build/product

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$broken" -eq 0 ]
