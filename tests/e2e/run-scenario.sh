#!/bin/bash
# Runs one e2e scenario: a fresh copy of the template prefix set up as asked,
# a private Xvfb (so tests may run side by side and screen reads see only
# this test's windows) and the driver under Wine.
#
#   run-scenario.sh --driver D.exe --machine i386|amd64 --app tarnwick.exe
#                   [--setup demo|bare|none] [--dll PATH|none] [--shots DIR]
#                   [--windows VERSION] <scenario>
# --machine is what the driver and the program are built for: i386 runs them
# in the 32-bit template prefix, and the driver fails a scenario whose
# program does not run that exe's image for it. --windows sets the Windows
# version Wine reports (win95, win98, ...).
set -u
source "$(dirname "$0")/../../scripts/common.sh"

driver= machine= app= setup=demo dll=none shots= scenario= windows=
while [ $# -gt 0 ]; do
    case $1 in
    --driver) driver=$2; shift 2 ;;
    --machine) machine=$2; shift 2 ;;
    --app) app=$2; shift 2 ;;
    --setup) setup=$2; shift 2 ;;
    --dll) dll=$2; shift 2 ;;
    --shots) shots=$2; shift 2 ;;
    --windows) windows=$2; shift 2 ;;
    *) scenario=$1; shift ;;
    esac
done
[ -n "$driver" ] && [ -n "$app" ] && [ -n "$scenario" ] || { echo "run-scenario: bad arguments" >&2; exit 2; }
case $machine in i386) use_wine_bits 32 ;; amd64) use_wine_bits 64 ;; *) echo "run-scenario: unknown machine '$machine'" >&2; exit 2 ;; esac
case $setup in demo | bare | none) ;; *) echo "run-scenario: unknown setup $setup" >&2; exit 2 ;; esac
template=$(template_prefix "$TARNWICK_WINE_BITS")
[ -f "$template/system.reg" ] || { echo "run-scenario: no template prefix at $template" >&2; exit 2; }

failed=0
check() {  # check <description> <command...>: one line, like the driver's
    local what=$1; shift
    if "$@"; then echo "pass  run-scenario[$scenario]: $what"
    else echo "FAIL  run-scenario[$scenario]: $what"; failed=1; fi
}

cleanup() {
    [ -n "${WINEPREFIX:-}" ] && drop_prefix "$WINEPREFIX"
    stop_xvfb
}
trap cleanup EXIT
start_xvfb || exit 2
WINEPREFIX=$(copy_prefix "$template")
export WINEPREFIX
card_key='HKLM\SOFTWARE\3dfx Interactive\Voodoo2'
# What this run adds to the template, in one import.
{
    printf 'REGEDIT4\n\n'
    # A program that faults (say on an instruction its CPU lacks) ends at
    # once, with Wine's report of the address on stderr, instead of behind a
    # dialog.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n\n'
    [ -z "$windows" ] || printf '[HKEY_CURRENT_USER\\Software\\Wine]\n"Version"="%s"\n\n' "$windows"
    [ "$setup" != bare ] || printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\3dfx Interactive\\Voodoo2]\n\n'
} >"$WINEPREFIX/drive_c/windows/temp/scenario.reg"
import_reg "$WINEPREFIX" scenario.reg user.reg '"ShowCrashDialog"=dword:00000000' ||
    { echo "run-scenario: the prefix could not be set up" >&2; exit 2; }
if [ "$setup" = demo ]; then
    install_demo_setup "$WINEPREFIX" "$([ "$dll" = none ] && echo /dev/null || echo "$dll")" ||
        { echo "run-scenario: the demo setup could not be installed" >&2; exit 2; }
fi
library=$WINEPREFIX/drive_c/windows/system/3dfxv2ps.dll
rm -f "$library"
[ "$dll" = none ] || cp "$dll" "$library"

key_absent() { ! env LC_ALL="$TARNWICK_LOCALE" wine reg query "$card_key" >/dev/null 2>&1; }

[ "$setup" != none ] || check "card key absent before the run" key_absent

driver_win=$(winepath_of "$WINEPREFIX" "$driver")
app_win=$(winepath_of "$WINEPREFIX" "$app")
if [ -z "$shots" ]; then
    env LC_ALL="$TARNWICK_LOCALE" wine "$driver_win" --machine "$machine" "$scenario" "$app_win"
    rc=$?
else
    # The driver says READY with the window's place; we take the picture and
    # answer with a line.
    mkdir -p "$shots"
    coproc DRIVER { env LC_ALL="$TARNWICK_LOCALE" wine "$driver_win" --machine "$machine" "$scenario" "$app_win" 2>&1; }
    driver_pid=$DRIVER_PID
    while IFS= read -r -t 120 line <&"${DRIVER[0]}"; do
        line=${line%$'\r'}
        echo "$line"
        [[ $line == READY* ]] || continue
        read -r _ name x y w h <<<"$line"
        check "saved $shots/$name.png" import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/$name.png"
        echo taken >&"${DRIVER[1]}"
    done
    wait "$driver_pid"
    rc=$?
fi

[ "$rc" -eq 0 ] || echo "FAIL  run-scenario[$scenario]: the driver ended with exit code $rc"
[ "$setup" != none ] || check "card key still absent (wine reg query)" key_absent
[ "$rc" -eq 0 ] && [ "$failed" -eq 0 ]
