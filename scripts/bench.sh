#!/bin/bash
# Benchmarks, not tests: prints figures with their goals. Needs the builds
# made by scripts/test.sh (build/product, build/wine-tests).
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$TARNWICK_ROOT"
# Where 32-bit Wine cannot start, the 64-bit twin builds are measured.
suffix=$([ "$TARNWICK_WINE_BITS" = 32 ] || echo -x64)
template=$TARNWICK_ROOT/build/prefix-template-$TARNWICK_WINE_BITS
[ -f "$template/system.reg" ] || make_template_prefix "$template"
export TARNWICK_PREFIX_TEMPLATE=$template
[ -n "${DISPLAY:-}" ] || { start_xvfb; trap 'kill $XVFB_PID 2>/dev/null' EXIT; }

echo "== in process =="
scripts/wine-run.sh build/wine-tests$suffix/tests/wine/tarnwick_bench.exe

echo "== idle CPU of the running exe over 20 s =="
prefix=$(copy_prefix "$template")
install_demo_setup "$prefix" build/product$suffix/tools/3dfxv2ps_with_clip.dll
WINEPREFIX=$prefix env LC_ALL=$TARNWICK_LOCALE wine build/product$suffix/tarnwick.exe &
sleep 6  # start-up and the logo clip are over by then
pid=$(pgrep -f 'tarnwick.exe' | head -1)
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
if [ -n "$pid" ]; then
    t0=$(ticks "$pid"); sleep 20; t1=$(ticks "$pid")
    hz=$(getconf CLK_TCK)
    awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN { printf "idle CPU: %.2f %% of one core (goal < 0.5 %%)\n", d / hz / 20 * 100 }'
else
    echo "idle CPU: the exe did not start"
fi
drop_prefix "$prefix"

if [ -x scripts/bench-startup.sh ]; then
    echo "== start-up =="
    scripts/bench-startup.sh
fi
