# Which way this machine starts the shipped 32-bit exe, its "lane", decided
# from a real try once the packages are installed (sourced after common.sh):
#   native    the kernel runs 32-bit x86 programs: 32-bit Wine runs as it is
#   emulated  the kernel refuses them: every 32-bit program goes through
#             qemu-i386 (user-mode emulation, registered with binfmt_misc),
#             32-bit Wine among them
#   twin      neither works: the shipped exe gets its static checks only, and
#             the suites run on the 64-bit twin of the same sources
# choose_lane sets TARNWICK_LANE and TARNWICK_WINE_BITS and says why; the
# emulated lane's binfmt_misc entry stays until end_lane removes it.
# TARNWICK_WANT_LANE=emulated or twin takes that lane on a machine whose
# kernel runs 32-bit programs, to try and measure it there.
# shellcheck shell=bash

lane_dir=$TARNWICK_ROOT/build/lane
binfmt=/proc/sys/fs/binfmt_misc
binfmt_entry=tarnwick-i386
# The i386 ELF header as binfmt_misc matches it (executables and PIEs).
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# The smallest static i386 program: exit(42) through int 0x80, in one
# loadable segment. Nothing but the kernel (or an emulator) runs it.
make_probe() {
    local bytes=(
        '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'  # 32-bit, little-endian
        '\x02\x00\x03\x00\x01\x00\x00\x00'                          # executable, i386
        '\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00'              # entry, program headers
        '\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'  # one program header
        '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'  # load the file
        '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'  # 96 bytes, r-x
        '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'                # exit(42)
    )
    mkdir -p "$lane_dir"
    printf '%b' "${bytes[@]}" >"$lane_dir/exit42"
    chmod +x "$lane_dir/exit42"
}

# Runs the probe; prints what happened, returns 0 when it exited with 42.
run_probe() {
    local rc
    "$lane_dir/exit42" 2>"$lane_dir/probe.err"
    rc=$?
    if [ "$rc" -eq 42 ]; then
        echo "exited with 42"
        return 0
    fi
    echo "exit code $rc ($(head -c 200 "$lane_dir/probe.err" | tr '\n' ' '| sed 's/ *$//'))"
    return 1
}

# Another binfmt_misc entry that already sends i386 programs elsewhere.
foreign_i386_entry() {
    local entry
    for entry in "$binfmt"/*; do
        case ${entry##*/} in register | status | "$binfmt_entry") continue ;; esac
        grep -qx enabled "$entry" 2>/dev/null || continue
        grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" 2>/dev/null &&
            echo "${entry##*/} ($(sed -n 's/^interpreter //p' "$entry"))"
    done | head -n 1
}

remove_binfmt_entry() {
    [ -e "$binfmt/$binfmt_entry" ] && echo -1 >"$binfmt/$binfmt_entry" 2>/dev/null
    return 0
}

# qemu-i386 from Debian's archive, unpacked into the build folder (it is one
# static program and installs nothing): the newest of the release's own and
# its backports'. Bookworm's own 7.2 scans the guest's address space page by
# page on every mmap: each Wine process then spends some 45 s starting, and
# a prefix takes 8 minutes to make; bookworm-backports has 10. Trixie's own
# is 10.
fetch_qemu() {
    local qemu=$lane_dir/qemu/usr/bin/qemu-i386 apt=$lane_dir/apt site codename arch version
    [ -x "$qemu" ] && { echo "$qemu"; return 0; }
    # shellcheck disable=SC1091
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    arch=$(dpkg --print-architecture)
    # shellcheck disable=SC2016
    site=$(apt-get indextargets --no-release-info --format '$(SITE)' 'Created-By: Packages' \
        "Release: $codename" 'Component: main' 2>/dev/null | head -n 1)
    [ -n "$site" ] || { echo "no deb entry for $codename main to take the mirror from" >&2; return 1; }
    rm -rf "$apt"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/debs"
    printf 'deb [arch=%s signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n' \
        "$arch" "$site" "$codename" "$arch" "$site" "$codename-backports" >"$apt/sources.list"
    local opts=(-q -o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
                -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Get::List-Cleanup=0)
    # An index that fails (a mirror mid-sync) leaves the other suite's.
    apt-get "${opts[@]}" update >"$apt/log" 2>&1
    version=$(apt-cache "${opts[@]}" madison qemu-user 2>>"$apt/log" | awk '{ print $3 }' | sort -V | tail -n 1)
    [ -n "$version" ] && (cd "$apt/debs" && apt-get "${opts[@]}" download "qemu-user=$version") >>"$apt/log" 2>&1 ||
        { tail -n 5 "$apt/log" >&2; return 1; }
    rm -rf "$lane_dir/qemu.new"
    dpkg-deb -x "$apt"/debs/qemu-user_*.deb "$lane_dir/qemu.new" &&
        [ -x "$lane_dir/qemu.new/usr/bin/qemu-i386" ] || { echo "the qemu-user package has no qemu-i386" >&2; return 1; }
    rm -rf "$lane_dir/qemu"
    mv "$lane_dir/qemu.new" "$lane_dir/qemu"
    echo "$qemu"
}

# Registers qemu-i386 for every i386 program (F: the kernel opens it now).
register_qemu() {
    local qemu=$1
    if ! [ -e "$binfmt/register" ]; then
        mount -t binfmt_misc binfmt_misc "$binfmt" 2>"$lane_dir/mount.err" ||
            { echo "cannot mount binfmt_misc: $(cat "$lane_dir/mount.err")" >&2; return 1; }
    fi
    remove_binfmt_entry
    # binfmt_misc reads the \x escapes itself.
    printf '%s' ":$binfmt_entry:M::$i386_magic:$i386_mask:$qemu:F" >"$binfmt/register" 2>"$lane_dir/register.err" ||
        { echo "cannot register with binfmt_misc: $(cat "$lane_dir/register.err")" >&2; return 1; }
}

# The shipped exe has no base relocations (Windows 9x loads an exe at its
# preferred address), so Wine must be able to map one at 0x400000. Natively
# it always can; under qemu-i386, Wine 10 (Debian 13), which comes without
# its preloader and as a position-independent program, finds that address
# taken by its own loader, and refuses (status c0000018). So the last try is
# the real thing: a 32-bit PE without relocations at 0x400000 whose entry
# returns 42, started by 32-bit Wine in a prefix of its own.
make_pe_probe() {
    python3 - "$lane_dir/exit42.exe" <<'PY'
import struct, sys
code = b'\xb8\x2a\x00\x00\x00\xc3'          # mov eax, 42; ret
dos = b'MZ' + b'\0' * 58 + struct.pack('<I', 0x40)
coff = struct.pack('<HHIIIHH', 0x14c, 1, 0, 0, 0, 224, 0x0103)  # i386; relocations stripped, executable, 32-bit
optional = struct.pack('<HBBIIIIIIIIIHHHHHHIIIIHHIIIIII',
    0x10b, 2, 0, 0x200, 0, 0, 0x1000, 0x1000, 0x2000, 0x400000, 0x1000, 0x200,
    4, 0, 0, 0, 4, 0, 0, 0x2000, 0x200, 0, 3, 0, 0x100000, 0x1000, 0x100000, 0x1000, 0, 16)
optional += b'\0' * (16 * 8)
section = struct.pack('<8sIIIIIIHHI', b'.text', len(code), 0x1000, 0x200, 0x200, 0, 0, 0, 0, 0x60000020)
headers = (dos + b'PE\0\0' + coff + optional + section).ljust(0x200, b'\0')
with open(sys.argv[1], 'wb') as f:
    f.write(headers + code.ljust(0x200, b'\0'))
PY
}

# Runs the PE probe; prints what happened, returns 0 when it exited with 42.
run_pe_probe() {
    local prefix=$lane_dir/probe-prefix rc
    make_pe_probe || { echo "could not write the probe exe"; return 1; }
    rm -rf "$prefix"
    WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        timeout 600 /usr/lib/wine/wine "$lane_dir/exit42.exe" >"$lane_dir/pe-probe.out" 2>&1
    rc=$?
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1
    rm -rf "$prefix"
    if [ "$rc" -eq 42 ]; then
        echo "exited with 42"
        return 0
    fi
    echo "exit code $rc ($(grep -v XDG_RUNTIME_DIR "$lane_dir/pe-probe.out" | head -c 300 | tr '\n' ' ' | sed 's/ *$//'))"
    return 1
}

choose_lane() {
    local probe= qemu= foreign= why=
    remove_binfmt_entry  # one left by a run that was killed
    make_probe
    case ${TARNWICK_WANT_LANE:-} in
    '' | native) ;;
    emulated | twin) echo "lane: asked for the ${TARNWICK_WANT_LANE} lane (TARNWICK_WANT_LANE)" ;;
    *) echo "lane: unknown TARNWICK_WANT_LANE=${TARNWICK_WANT_LANE}" >&2; return 1 ;;
    esac
    if [ "${TARNWICK_WANT_LANE:-native}" = twin ]; then
        TARNWICK_LANE=twin
        why="asked for"
    elif [ "${TARNWICK_WANT_LANE:-native}" = native ] && probe=$(run_probe); then
        TARNWICK_LANE=native
        foreign=$(foreign_i386_entry)
        why="a static 32-bit x86 program $probe"
        [ -z "$foreign" ] || why="$why (through this machine's binfmt_misc entry $foreign)"
    else
        why="the kernel refused a static 32-bit x86 program: $probe"
        [ "${TARNWICK_WANT_LANE:-}" != emulated ] || why="asked for"
        probe=
        if qemu=$(fetch_qemu) && register_qemu "$qemu" && probe=$(run_probe); then
            TARNWICK_LANE=emulated
            why="$why; through $("$qemu" --version | head -n 1) (binfmt_misc entry $binfmt_entry) it $probe"
        else
            remove_binfmt_entry
            TARNWICK_LANE=twin
            why="$why; user-mode emulation did not start it either${probe:+ ($probe)}"
        fi
    fi
    if [ "$TARNWICK_LANE" != twin ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        why="$why, but 32-bit Wine did not start"
        remove_binfmt_entry
        TARNWICK_LANE=twin
    elif [ "$TARNWICK_LANE" != twin ] && ! probe=$(run_pe_probe); then
        why="$why, but 32-bit Wine could not start an exe without relocations at its fixed base, as the shipped one is: $probe"
        remove_binfmt_entry
        TARNWICK_LANE=twin
    fi
    TARNWICK_WINE_BITS=$([ "$TARNWICK_LANE" = twin ] && echo 64 || echo 32)
    export TARNWICK_LANE TARNWICK_WINE_BITS
    echo "lane: $TARNWICK_LANE: $why"
}

end_lane() {
    [ "${TARNWICK_LANE:-}" = emulated ] && remove_binfmt_entry
    return 0
}
