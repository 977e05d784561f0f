#!/bin/bash
# Start-up benchmark (prints figures, judges nothing): the size of
# tarnwick.exe and its time from launch to a visible main window under Wine,
# against the smallest window program, both in one demo prefix, interleaved.
#   bench-startup.sh [runs]      (default 11; build/product must be built)
# Where the machine cannot run 32-bit x86 code it measures the 64-bit twin
# (build/product-x64); TARNWICK_BENCH_PRODUCT names another build folder.
set -uo pipefail
source "$(dirname "$0")/common.sh"
runs=${1:-11}
if [ "$TARNWICK_WINE_BITS" = 32 ]; then
    product=${TARNWICK_BENCH_PRODUCT:-$TARNWICK_ROOT/build/product}
else
    product=${TARNWICK_BENCH_PRODUCT:-$TARNWICK_ROOT/build/product-x64}
fi
echo "measuring the build in $product"
app=$product/tarnwick.exe
yardstick=$product/tools/minimal_window.exe
driver=$product/tests/e2e/e2e_driver.exe
for f in "$app" "$yardstick" "$driver"; do
    [ -f "$f" ] || { echo "bench-startup: $f missing; build the product preset first" >&2; exit 2; }
done
template=${TARNWICK_PREFIX_TEMPLATE:-$TARNWICK_ROOT/build/prefix-template-$TARNWICK_WINE_BITS}
[ -f "$template/system.reg" ] || { echo "bench-startup: no template prefix at $template" >&2; exit 2; }

start_xvfb || exit 2
WINEPREFIX=$(copy_prefix "$template")
export WINEPREFIX
trap 'drop_prefix "$WINEPREFIX"; stop_xvfb' EXIT
install_demo_setup "$WINEPREFIX" "$product/tools/3dfxv2ps_with_clip.dll"

# Prints the milliseconds from launch to a visible window of class $2.
time_to_window() {
    env LC_ALL="$TARNWICK_LOCALE" wine "$(winepath_of "$WINEPREFIX" "$driver")" time-to-window \
        "$(winepath_of "$WINEPREFIX" "$1")" "$2" | tr -d '\r' | awk '$1 == "time-to-window" { print $3 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One untimed round first: the first start in a prefix loads everything cold.
time_to_window "$app" TForm1 >/dev/null
time_to_window "$yardstick" MinimalWindow >/dev/null
app_times=() yardstick_times=()
for i in $(seq "$runs"); do
    app_times+=("$(time_to_window "$app" TForm1)")
    yardstick_times+=("$(time_to_window "$yardstick" MinimalWindow)")
    echo "run $i: tarnwick.exe ${app_times[-1]} ms, minimal_window.exe ${yardstick_times[-1]} ms"
done
for t in "${app_times[@]}" "${yardstick_times[@]}"; do
    [ -n "$t" ] || { echo "bench-startup: a run showed no window" >&2; exit 1; }
done

app_ms=$(printf '%s\n' "${app_times[@]}" | median)
yardstick_ms=$(printf '%s\n' "${yardstick_times[@]}" | median)
echo
echo "tarnwick.exe size:        $(stat -c %s "$app") bytes"
echo "minimal_window.exe size:  $(stat -c %s "$yardstick") bytes"
echo "time to window, median of $runs (Wine, Xvfb, demo prefix):"
echo "  tarnwick.exe        $app_ms ms"
echo "  minimal_window.exe  $yardstick_ms ms"
awk -v a="$app_ms" -v b="$yardstick_ms" 'BEGIN { printf "  ratio               %.2f\n", a / b }'
