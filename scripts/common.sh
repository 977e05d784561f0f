# Shared by the scripts: Wine settings and the template prefix.
# shellcheck shell=bash
TARNWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Hungarian locale: ANSI code page 1250, so the program's text shows right.
# (set per wine call: bash itself has no such locale)
export TARNWICK_LOCALE=hu_HU.UTF-8

# Which Wine a script runs: 32 for the shipped exe's builds, in a 32-bit
# prefix; 64 for the 64-bit twin (presets product-x64, wine-tests-x64), where
# 32-bit programs cannot run at all (scripts/lane.sh decides). use_wine_bits
# sets WINEARCH and which wine and wineserver commands come first on PATH.
wine64_bin=$TARNWICK_ROOT/build/wine64-bin
use_wine_bits() {
    TARNWICK_WINE_BITS=$1
    export TARNWICK_WINE_BITS
    PATH=$(printf '%s' "$PATH" | tr ':' '\n' | grep -vxF "$wine64_bin" | paste -sd: -)
    if [ "$1" = 32 ]; then
        export WINEARCH=win32
        return 0
    fi
    export WINEARCH=win64
    # Debian's wine and wineserver commands pick the 32-bit loader whenever it
    # is installed: put 64-bit ones first on PATH.
    if [ ! -x "$wine64_bin/winepath" ]; then
        mkdir -p "$wine64_bin"
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$wine64_bin/wine"
        printf '#!/bin/sh\nexec /usr/lib/wine/wineserver64 "$@"\n' >"$wine64_bin/wineserver"
        for tool in wineboot winepath; do
            printf '#!/bin/sh\nexec "$(dirname "$0")/wine" %s "$@"\n' "$tool" >"$wine64_bin/$tool"
        done
        chmod +x "$wine64_bin"/*
    fi
    export PATH=$wine64_bin:$PATH
}
# The template prefix of each width, made by make_template_prefix.
template_prefix() { echo "$TARNWICK_ROOT/build/prefix-template-$1"; }
[ -z "${TARNWICK_WINE_BITS:-}" ] || use_wine_bits "$TARNWICK_WINE_BITS"

# Wine's own fonts (Debian's fonts-wine): Marlett for the caption buttons,
# and the bitmap "MS Sans Serif" with the real metrics (sserifee.fon for the
# Central European code page).
WINE_FONTS_DIR=/usr/share/wine/fonts

# A 92-byte LOGFONTW as hex bytes, as HKCU\Control Panel\Desktop\WindowMetrics
# keeps the system fonts:  logfont_hex <height> <weight> <charset> <face>
logfont_hex() {
    local face=$4 bytes=() value i
    for value in "$1" 0 0 0 "$2"; do  # height, width, escapement, orientation, weight
        value=$((value & 0xffffffff))
        for i in 0 8 16 24; do bytes+=("$(printf '%02x' $((value >> i & 255)))"); done
    done
    bytes+=(00 00 00 "$(printf '%02x' "$3")" 00 00 00 00)  # italic, underline, strike-out, charset, ...
    for ((i = 0; i < 32; i++)); do
        if [ "$i" -lt "${#face}" ]; then bytes+=("$(printf '%02x' "'${face:i:1}")" 00); else bytes+=(00 00); fi
    done
    local IFS=,
    echo "${bytes[*]}"
}

# Runs a command on prefix $1 in the program's locale, quietly.
in_prefix() {
    local prefix=$1; shift
    WINEPREFIX=$prefix LC_ALL=$TARNWICK_LOCALE "$@" >/dev/null 2>&1
}

# Registry settings that make a Wine prefix look like a Windows 98 desktop.
windows98_look_reg() {
    local metric colour
    echo 'REGEDIT4'
    echo
    # Windows 98 has no visual styles. A new Wine prefix has Wine's own theme
    # switched on, and Wine's common controls draw in it even for a program
    # that never asks for styled controls: its sliders then show no selection.
    echo '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager]'
    echo '"ThemeActive"="0"'
    echo
    # The "Windows Standard" colours, where Wine keeps those of its theme.
    echo '[HKEY_CURRENT_USER\Control Panel\Colors]'
    for colour in ActiveBorder=192_192_192 ActiveTitle=0_0_128 AppWorkSpace=128_128_128 \
        Background=0_128_128 ButtonDkShadow=0_0_0 ButtonFace=192_192_192 ButtonHilight=255_255_255 \
        ButtonLight=192_192_192 ButtonShadow=128_128_128 ButtonText=0_0_0 \
        GradientActiveTitle=16_132_208 GradientInactiveTitle=192_192_192 GrayText=128_128_128 \
        Hilight=0_0_128 HilightText=255_255_255 HotTrackingColor=0_0_128 InactiveBorder=192_192_192 \
        InactiveTitle=128_128_128 InactiveTitleText=192_192_192 InfoText=0_0_0 InfoWindow=255_255_225 \
        Menu=192_192_192 MenuText=0_0_0 Scrollbar=192_192_192 TitleText=255_255_255 Window=255_255_255 \
        WindowFrame=0_0_0 WindowText=0_0_0; do
        colour=${colour//_/ }
        echo "\"${colour%%=*}\"=\"${colour#*=}\""
    done
    echo
    # The system fonts, where Wine takes Tahoma: 8-point MS Sans Serif for
    # title bars (bold), menus and messages, and for the dialog font.
    echo '[HKEY_CURRENT_USER\Control Panel\Desktop\WindowMetrics]'
    for metric in CaptionFont:700 SmCaptionFont:700 MenuFont:400 StatusFont:400 MessageFont:400 IconFont:400; do
        echo "\"${metric%:*}\"=hex:$(logfont_hex -11 "${metric#*:}" 238 'MS Sans Serif')"
    done
    echo
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]'
    echo '"MS Shell Dlg"="MS Sans Serif"'
    echo
    # The default virtual desktop keeps closing windows fast under Xvfb; it
    # is large enough for the main window.
    echo '[HKEY_CURRENT_USER\Software\Wine\Explorer]'
    echo '"Desktop"="Default"'
    echo
    echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
    echo '"Default"="1024x768"'
}

# Makes a prefix at $1 as the program's users have it: Hungarian, with the
# fonts, colours and classic controls of a Windows 98 desktop.
make_template_prefix() {
    local dest font
    dest=$(realpath -m "$1")
    for font in marlett.ttf sserifee.fon; do
        [ -f "$WINE_FONTS_DIR/$font" ] || {
            echo "Wine's font $WINE_FONTS_DIR/$font is missing: install Debian's fonts-wine" >&2
            return 1
        }
    done
    rm -rf "$dest"
    mkdir -p "$(dirname "$dest")"
    # Every step runs in the program's locale: Wine registers the bitmap
    # fonts of the ANSI code page it runs in (for 1250, sserifee.fon as
    # "MS Sans Serif") and resets its font substitutes whenever that code
    # page changes.
    in_prefix "$dest" wineboot -i
    WINEPREFIX=$dest wineserver -w
    [ -f "$dest/system.reg" ] || { echo "could not make a Wine prefix at $dest" >&2; return 1; }
    # Debian's Wine never finds its own fonts where it installs them: it asks
    # for Z:\usr\share\wine\../fonts (its font folder taken relative to
    # /usr/share/wine/wine, while its data folder is /usr/share/wine). It
    # reads the Fonts folder of Windows first, which is where Windows keeps
    # them too; the bitmap fonts it then loads are those the registry names.
    cp "$WINE_FONTS_DIR"/* "$dest/drive_c/windows/Fonts/"
    windows98_look_reg >"$dest/drive_c/windows/temp/windows98.reg"
    import_reg "$dest" windows98.reg user.reg '"Default"="1024x768"' || return 1
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

# Starts an X display of our own and exports DISPLAY; XVFB_PID names the
# server and stop_xvfb ends it. Every script that needs a display starts it
# here. Xvfb picks a free display number itself and writes it to a file once
# it takes connections, so scripts starting one side by side never race for
# a number.
start_xvfb() {
    local numfile
    numfile=$(mktemp /tmp/tarnwick-xvfb.XXXXXX) || return 1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        if [ "$(wc -l <"$numfile")" -ge 1 ]; then
            export DISPLAY=":$(head -1 "$numfile")"
            rm -f "$numfile"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numfile"
    stop_xvfb
    echo "could not start Xvfb" >&2
    return 1
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# Imports C:\windows\temp\<file> (a .reg file put there) into prefix $1,
# then checks that hive file $3 (system.reg or user.reg) holds the line
# $4, as Wine writes it, which the import must have made; the file is
# removed afterwards. regedit is silent about a failed import, so a failure
# is told here, on stderr, and the import tried once more.
import_reg() {
    local prefix=$1 file=$2 hive=$3 expected=$4 attempt
    for attempt in 1 2; do
        in_prefix "$prefix" wine regedit /S "C:\\windows\\temp\\$file"
        WINEPREFIX=$prefix wineserver -w
        if grep -qF -- "$expected" "$prefix/$hive"; then
            rm -f "$prefix/drive_c/windows/temp/$file"
            return 0
        fi
        echo "import_reg: importing $file left no $expected in $hive (attempt $attempt)" >&2
    done
    return 1
}

# Installs the demo setup into a prefix: driver keys, [vcache] and the
# stand-in driver library.
install_demo_setup() {
    local prefix=$1 dll=$2
    cp "$TARNWICK_ROOT/demo/voodoo2-demo.reg" "$prefix/drive_c/windows/temp/"
    import_reg "$prefix" voodoo2-demo.reg system.reg '[Software\\3dfx Interactive\\Voodoo2\\Glide]' || return 1
    cat "$TARNWICK_ROOT/demo/vcache.ini" >>"$prefix/drive_c/windows/system.ini"
    cp "$dll" "$prefix/drive_c/windows/system/3dfxv2ps.dll"
}

# The Windows name of a Unix path in prefix $1: its Z: drive is the root of
# the Unix file system. Worked out here, not asked of winepath, which starts
# a Wine process of its own and, on a busy machine, now and then came back
# with nothing.
winepath_of() {
    local path
    [ "$(readlink "$1/dosdevices/z:")" = / ] || { echo "winepath_of: $1 has no Z: drive for /" >&2; return 1; }
    path=$(realpath -m "$2") || return 1
    printf 'Z:%s\n' "${path//\//\\}"
}
