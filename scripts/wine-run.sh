#!/bin/bash
# CTest's emulator for Windows exes: runs one under Wine in a fresh copy of
# the template prefix of its width, on $DISPLAY.
#   wine-run.sh --bits 32|64 <program.exe> [args...]
set -u
source "$(dirname "$0")/common.sh"
[ "${1:-}" = --bits ] && [[ ${2:-} =~ ^(32|64)$ ]] || { echo "wine-run: want --bits 32|64 first" >&2; exit 2; }
use_wine_bits "$2"
shift 2
template=$(template_prefix "$TARNWICK_WINE_BITS")
[ -f "$template/system.reg" ] || { echo "wine-run: no template prefix at $template" >&2; exit 2; }
[ -n "${DISPLAY:-}" ] || { echo "wine-run: DISPLAY is not set" >&2; exit 2; }
prefix=$(copy_prefix "$template")
export WINEPREFIX=$prefix
env LC_ALL=$TARNWICK_LOCALE wine "$@"
rc=$?
drop_prefix "$prefix"
exit $rc
