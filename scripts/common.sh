# Shared by the scripts: Wine settings and the template prefix.
# shellcheck shell=bash
TARNWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Hungarian locale: ANSI code page 1250, so the program's text shows right.
# (set per wine call: bash itself has no such locale)
export TARNWICK_LOCALE=hu_HU.UTF-8

# Wine runs the 32-bit exes where the machine can run 32-bit x86 code. Some
# machines cannot (their kernel refuses 32-bit programs, so 32-bit Wine never
# starts); there the tests run 64-bit builds of the same sources in a 64-bit
# prefix, and TARNWICK_WINE_BITS says which it is.
if [ -z "${TARNWICK_WINE_BITS:-}" ]; then
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        TARNWICK_WINE_BITS=32
    else
        TARNWICK_WINE_BITS=64
    fi
fi
export TARNWICK_WINE_BITS
if [ "$TARNWICK_WINE_BITS" = 32 ]; then
    export WINEARCH=win32
else
    export WINEARCH=win64
    # Debian's wine and wineserver commands pick the 32-bit loader whenever it
    # is installed: put 64-bit ones first on PATH.
    wine64_bin=$TARNWICK_ROOT/build/wine64-bin
    if [ ! -x "$wine64_bin/winepath" ]; then
        mkdir -p "$wine64_bin"
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$wine64_bin/wine"
        printf '#!/bin/sh\nexec /usr/lib/wine/wineserver64 "$@"\n' >"$wine64_bin/wineserver"
        for tool in wineboot winepath; do
            printf '#!/bin/sh\nexec "$(dirname "$0")/wine" %s "$@"\n' "$tool" >"$wine64_bin/$tool"
        done
        chmod +x "$wine64_bin"/*
    fi
    case ":$PATH:" in *":$wine64_bin:"*) ;; *) export PATH=$wine64_bin:$PATH ;; esac
fi

# Makes a prefix at $1 with the default virtual desktop, which keeps
# closing windows fast under Xvfb, large enough for the main window.
make_template_prefix() {
    local dest
    dest=$(realpath -m "$1")
    rm -rf "$dest"
    mkdir -p "$(dirname "$dest")"
    WINEPREFIX=$dest wineboot -i >/dev/null 2>&1
    WINEPREFIX=$dest wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    WINEPREFIX=$dest wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    WINEPREFIX=$dest wineserver -w
    [ -f "$dest/system.reg" ] || { echo "could not make a Wine prefix at $dest" >&2; return 1; }
    # Windows keeps C:\windows\system, where the driver puts its library; a
    # 64-bit prefix has none.
    mkdir -p "$dest/drive_c/windows/system"
}

# Copies the template to a new prefix and prints its path.
copy_prefix() {
    local template=$1 work
    work=$(mktemp -d /tmp/tarnwick-prefix.XXXXXX)
    cp -a "$template/." "$work/"
    echo "$work"
}

# Ends the prefix's wineserver and removes the prefix.
drop_prefix() {
    WINEPREFIX=$1 wineserver -k >/dev/null 2>&1
    rm -rf "$1"
}

# Starts Xvfb on a free display and exports DISPLAY; XVFB_PID names it.
start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e /tmp/.X11-unix/X$n ] && { export DISPLAY=":$n"; return 0; }
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
    done
    echo "could not start Xvfb" >&2
    return 1
}

# Installs the demo setup into a prefix: driver keys, [vcache] and the
# stand-in driver library.
install_demo_setup() {
    local prefix=$1 dll=$2
    WINEPREFIX=$prefix wine regedit /S "$(winepath_of "$prefix" "$TARNWICK_ROOT/demo/voodoo2-demo.reg")" >/dev/null 2>&1
    cat "$TARNWICK_ROOT/demo/vcache.ini" >>"$prefix/drive_c/windows/system.ini"
    cp "$dll" "$prefix/drive_c/windows/system/3dfxv2ps.dll"
    WINEPREFIX=$prefix wineserver -w
}

winepath_of() {
    WINEPREFIX=$1 winepath -w "$2" 2>/dev/null
}
