#!/bin/bash
# Benchmarks, not tests: prints figures with their goals. Needs the builds
# made by scripts/test.sh (build/product, build/wine-tests).
set -uo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/lane.sh"
cd "$TARNWICK_ROOT"
# The lane as the tests choose it; in the twin lane the 64-bit twin builds
# are measured. Every figure below is of that lane.
choose_lane
use_wine_bits "$TARNWICK_WINE_BITS"
trap 'stop_xvfb; end_lane' EXIT
suffix=$([ "$TARNWICK_WINE_BITS" = 32 ] || echo -x64)
echo "measuring build/product$suffix and build/wine-tests$suffix in the $TARNWICK_LANE lane"
template=$(template_prefix "$TARNWICK_WINE_BITS")
[ -f "$template/system.reg" ] || make_template_prefix "$template"
[ -n "${DISPLAY:-}" ] || start_xvfb || exit 2

echo "== in process =="
scripts/wine-run.sh --bits "$TARNWICK_WINE_BITS" build/wine-tests$suffix/tests/wine/tarnwick_bench.exe ||
    echo "in process: something failed on the way (above); those figures do not count"

echo "== idle CPU of the running exe over 20 s =="
prefix=$(copy_prefix "$template")
install_demo_setup "$prefix" build/product$suffix/tools/3dfxv2ps_with_clip.dll
WINEPREFIX=$prefix env LC_ALL=$TARNWICK_LOCALE wine build/product$suffix/tarnwick.exe &
started=$!
sleep 6  # start-up and the logo clip are over by then
# The process this script started, not whatever else runs a tarnwick.exe:
# Wine keeps the process id through its exec()s, so it is $! itself; should
# a Wine start the exe as a child instead, it is found below $!.
wine_process() {  # wine_process <pid> <exe name>
    local child
    if [ "$(cat "/proc/$1/comm" 2>/dev/null)" = "$2" ]; then echo "$1"; return 0; fi
    for child in $(pgrep -P "$1"); do
        wine_process "$child" "$2" && return 0
    done
    return 1
}
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }
pid=$(wine_process "$started" tarnwick.exe)
t0=$([ -n "$pid" ] && ticks "$pid")
if [ -z "$t0" ]; then
    echo "idle CPU: the exe started as process $started is not running"
else
    sleep 20
    t1=$(ticks "$pid")
    if [ -z "$t1" ]; then
        echo "idle CPU: the exe (process $pid) ended during the measurement"
    else
        hz=$(getconf CLK_TCK)
        awk -v d=$((t1 - t0)) -v hz="$hz" -v pid="$pid" \
            'BEGIN { printf "idle CPU: %.2f %% of one core (goal < 0.5 %%), process %s\n", d / hz / 20 * 100, pid }'
    fi
fi
kill "$started" 2>/dev/null
drop_prefix "$prefix"

if [ -x scripts/bench-startup.sh ]; then
    echo "== start-up =="
    scripts/bench-startup.sh
fi
