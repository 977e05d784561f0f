#!/bin/bash
# CTest's emulator for Windows exes: runs one under Wine in a fresh copy of
# the template prefix (TARNWICK_PREFIX_TEMPLATE), on $DISPLAY.
set -u
source "$(dirname "$0")/common.sh"
template=${TARNWICK_PREFIX_TEMPLATE:-$TARNWICK_ROOT/build/prefix-template-$TARNWICK_WINE_BITS}
[ -f "$template/system.reg" ] || { echo "wine-run: no template prefix at $template" >&2; exit 2; }
[ -n "${DISPLAY:-}" ] || { echo "wine-run: DISPLAY is not set" >&2; exit 2; }
prefix=$(copy_prefix "$template")
export WINEPREFIX=$prefix
env LC_ALL=$TARNWICK_LOCALE wine "$@"
rc=$?
drop_prefix "$prefix"
exit $rc
