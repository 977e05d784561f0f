#!/bin/bash
# Builds everything and runs every test: native unit tests, the in-process
# tests under Wine, and the e2e tests of the shipped exe under Wine in Xvfb.
#
# Where the machine cannot run 32-bit x86 code (see common.sh), Wine cannot
# start the 32-bit exes: the shipped exe then gets its static checks only,
# and the in-process and e2e suites run against the 64-bit twin built from
# the same sources (presets product-x64 and wine-tests-x64).
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$TARNWICK_ROOT"
scripts/install-deps.sh || exit 1

passed=0; failed=0; broken=0
# Runs ctest in a build folder (further arguments go to ctest) and adds up
# its counts; ctest's exit status says whether all passed.
run_ctest() {
    local dir=$1; shift
    local junit
    junit=$(realpath "$dir")/ctest-results.xml
    rm -f "$junit"
    # One at a time: the Wine tests share one X display and its focus.
    ctest --test-dir "$dir" --output-on-failure --timeout 600 --output-junit "$junit" "$@" || broken=1
    if [ ! -s "$junit" ]; then
        echo "no test ran in $dir"; broken=1; return
    fi
    local total bad
    total=$(grep -o -m1 'tests="[0-9]*"' "$junit" | tr -dc 0-9)
    bad=$(grep -o -m1 'failures="[0-9]*"' "$junit" | tr -dc 0-9)
    [ "${total:-0}" -gt 0 ] || { echo "no test ran in $dir"; broken=1; }
    passed=$((passed + ${total:-0} - ${bad:-0})); failed=$((failed + ${bad:-0}))
}
build() {
    cmake --preset "$1" >/dev/null && cmake --build "build/$1" -j2 || { echo "build $1 failed"; broken=1; return 1; }
}

build native && run_ctest build/native
bash scripts/fuzz.sh || { echo "fuzzing found a fault or could not run"; broken=1; }
# The product links our i486 build of the C runtime: made once, then cached.
scripts/build-runtime.sh || { echo "building the i486 C runtime failed"; broken=1; }
build product
if [ "$TARNWICK_WINE_BITS" = 32 ]; then
    build wine-tests
    suites=(build/wine-tests build/product)
else
    echo "This machine cannot run 32-bit x86 code, so 32-bit Wine cannot start:"
    echo "the shipped build/product/tarnwick.exe gets its static checks only, and the"
    echo "in-process and e2e suites run against the 64-bit twin of the same sources."
    [ -d build/product ] && run_ctest build/product -L static
    build wine-tests-x64
    build product-x64
    suites=(build/wine-tests-x64 build/product-x64)
fi

template=$TARNWICK_ROOT/build/prefix-template-$TARNWICK_WINE_BITS
export TARNWICK_PREFIX_TEMPLATE=$template
echo "making the template Wine prefix ($WINEARCH)"
make_template_prefix "$template" || broken=1
start_xvfb || broken=1
trap stop_xvfb EXIT

for suite in "${suites[@]}"; do
    [ -d "$suite" ] && run_ctest "$suite"
done

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$broken" -eq 0 ]
