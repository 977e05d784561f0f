#!/bin/bash
# Opens Tarnwick on a demo Voodoo2 setup under Wine. With no $DISPLAY it runs
# under Xvfb, saves a screenshot and prints its path.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/lane.sh"
cd "$TARNWICK_ROOT"
scripts/install-deps.sh
# The shipped exe, natively or under emulation; the 64-bit twin only where
# neither starts 32-bit programs (scripts/lane.sh).
choose_lane
use_wine_bits "$TARNWICK_WINE_BITS"
cmake --preset product >/dev/null
cmake --build build/product >/dev/null
product=build/product
if [ "$TARNWICK_LANE" = twin ]; then
    echo "32-bit programs cannot run here: showing the 64-bit twin build"
    cmake --preset product-x64 >/dev/null
    cmake --build build/product-x64 >/dev/null
    product=build/product-x64
fi

demo_prefix=$TARNWICK_ROOT/build/demo-prefix
echo "making the demo Wine prefix at $demo_prefix"
make_template_prefix "$demo_prefix"
install_demo_setup "$demo_prefix" "$product/tools/3dfxv2ps_with_clip.dll"
export WINEPREFIX=$demo_prefix

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "starting tarnwick.exe on $DISPLAY"
    rc=0
    env LC_ALL=$TARNWICK_LOCALE wine "$product/tarnwick.exe" || rc=$?
    end_lane
    exit $rc
fi

start_xvfb
trap 'wineserver -k >/dev/null 2>&1 || true; stop_xvfb || true; end_lane' EXIT
env LC_ALL=$TARNWICK_LOCALE wine "$product/tarnwick.exe" &
for _ in $(seq 300); do  # a minute: long enough under emulation too
    xdotool search --name '^Tarnwick$' >/dev/null 2>&1 && break
    sleep 0.2
done
sleep 2
shot=$TARNWICK_ROOT/build/demo-screenshot.png
import -window root "$shot"
echo "no display: ran under Xvfb; screenshot saved to $shot"
