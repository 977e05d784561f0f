#!/bin/bash
# Start-up benchmark (prints figures, judges nothing): Tarnwick's time from
# launch to a visible main window under Wine, against the floor yardstick
# (tools/floor_window: the same windows, reads and clip, no logic) and the
# smallest window program, interleaved in one demo prefix. Two measures:
# launch to visible window, taken by the e2e driver, and WinMain to visible
# window, taken in process by the timed builds. The ratios are medians of the
# per-round ratios, with their interquartile range.
#   bench-startup.sh [runs]      (default 15; the product preset must be built)
# In the twin lane (scripts/lane.sh) it measures the 64-bit twin
# (build/product-x64); TARNWICK_BENCH_PRODUCT names another build folder.
set -uo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/lane.sh"
runs=${1:-15}
# bench.sh has chosen the lane already when it runs this.
own_lane=
if [ -z "${TARNWICK_LANE:-}" ]; then
    choose_lane
    own_lane=1
    trap end_lane EXIT
fi
use_wine_bits "$TARNWICK_WINE_BITS"
if [ "$TARNWICK_WINE_BITS" = 32 ]; then
    product=${TARNWICK_BENCH_PRODUCT:-$TARNWICK_ROOT/build/product}
else
    product=${TARNWICK_BENCH_PRODUCT:-$TARNWICK_ROOT/build/product-x64}
fi
echo "measuring the build in $product, $TARNWICK_LANE lane"
app=$product/timed/tarnwick.exe
floor=$product/tools/floor_window.exe
minimal=$product/tools/minimal_window.exe
driver=$product/tests/e2e/e2e_driver.exe
for f in "$app" "$floor" "$minimal" "$driver"; do
    [ -f "$f" ] || { echo "bench-startup: $f missing; build the product preset first" >&2; exit 2; }
done
template=$(template_prefix "$TARNWICK_WINE_BITS")
[ -f "$template/system.reg" ] || { echo "bench-startup: no template prefix at $template" >&2; exit 2; }

start_xvfb || exit 2
WINEPREFIX=$(copy_prefix "$template")
export WINEPREFIX
times_file=$(mktemp)
trap 'drop_prefix "$WINEPREFIX"; stop_xvfb; rm -f "$times_file"; [ -z "$own_lane" ] || end_lane' EXIT
install_demo_setup "$WINEPREFIX" "$product/tools/3dfxv2ps_with_clip.dll"
export TARNWICK_STARTUP_TIMES=$(winepath_of "$WINEPREFIX" "$times_file")

# Prints "launch-ms inprocess-ms" for one start of $1 showing class $2.
measure() {
    : >"$times_file"
    local launch
    launch=$(env LC_ALL="$TARNWICK_LOCALE" wine "$(winepath_of "$WINEPREFIX" "$driver")" time-to-window \
        "$(winepath_of "$WINEPREFIX" "$1")" "$2" | tr -d '\r' | awk '$1 == "time-to-window" { print $3 }')
    local inproc
    inproc=$(tr -d '\r' <"$times_file" | awk -F= '/winmain-to-visible-ms/ { print $2 }')
    echo "${launch:-x} ${inproc:-0}"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
quartiles() { sort -g | awk '{ v[NR] = $1 } END { printf "%.2f..%.2f", v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'; }

# One untimed round first: the first start in a prefix loads everything cold.
measure "$app" TForm1 >/dev/null
measure "$floor" TarnwickFloor >/dev/null
measure "$minimal" MinimalWindow >/dev/null
app_launch=() floor_launch=() minimal_launch=() app_in=() floor_in=() launch_ratio=() in_ratio=()
for i in $(seq "$runs"); do
    read -r a ai < <(measure "$app" TForm1)
    read -r f fi < <(measure "$floor" TarnwickFloor)
    read -r m _ < <(measure "$minimal" MinimalWindow)
    for t in "$a" "$f" "$m"; do
        [ "$t" != x ] || { echo "bench-startup: a run showed no window" >&2; exit 1; }
    done
    app_launch+=("$a") floor_launch+=("$f") minimal_launch+=("$m") app_in+=("$ai") floor_in+=("$fi")
    launch_ratio+=("$(awk -v a="$a" -v b="$f" 'BEGIN { printf "%.4f", a / b }')")
    in_ratio+=("$(awk -v a="$ai" -v b="$fi" 'BEGIN { printf "%.4f", (b > 0) ? a / b : 0 }')")
    echo "round $i: launch to window tarnwick $a ms, floor $f ms, minimal $m ms;" \
         "WinMain to window tarnwick $ai ms, floor $fi ms"
done

med() { printf '%s\n' "$@" | median; }
iqr() { printf '%s\n' "$@" | quartiles; }
echo
echo "tarnwick.exe size: $(stat -c %s "$product/tarnwick.exe") bytes"
echo "launch to visible window, median of $runs (Wine, Xvfb, demo prefix):"
echo "  tarnwick $(med "${app_launch[@]}") ms, floor $(med "${floor_launch[@]}") ms, minimal window $(med "${minimal_launch[@]}") ms"
echo "WinMain to visible window, in process, median of $runs:"
echo "  tarnwick $(med "${app_in[@]}") ms, floor $(med "${floor_in[@]}") ms"
echo "per-round ratios to the floor (goal: 1.10 or less), median and interquartile range:"
echo "  launch to window   $(med "${launch_ratio[@]}")  ($(iqr "${launch_ratio[@]}"))"
echo "  WinMain to window  $(med "${in_ratio[@]}")  ($(iqr "${in_ratio[@]}"))"
awk -v r="$(med "${launch_ratio[@]}")" 'BEGIN { printf "startup ratio_to_floor=%.2f\n", r }'
awk -v r="$(med "${in_ratio[@]}")" 'BEGIN { printf "startup inprocess_ratio_to_floor=%.2f\n", r }'
