#!/bin/bash
# Checks that an exe can load on Windows 95 OSR2 and on 98 SE to 11: PE versions
# 4.0, system DLLs only, no imported function that those system DLLs lack, and
# a size limit. Every run first checks the checker on made-up import tables.
#   check-imports.sh <exe>
#   check-imports.sh --self-test
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
table=$here/win95-osr2-imports.txt   # what 95 OSR2 lacks, what msvcrt 4.20 has
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
size_limit=204800

# Functions absent from Windows 98 SE (or from its msvcrt.dll 6.x).
deny=(
    GlobalMemoryStatusEx AddVectoredExceptionHandler RemoveVectoredExceptionHandler
    GetTickCount64 GetModuleHandleExA GetModuleHandleExW TryEnterCriticalSection
    SetFilePointerEx GetFileSizeEx VirtualAllocEx VirtualFreeEx SwitchToThread GetNativeSystemInfo IsWow64Process
    InitializeSRWLock AcquireSRWLockExclusive ReleaseSRWLockExclusive
    InitializeConditionVariable SleepConditionVariableCS WakeConditionVariable
    InitOnceExecuteOnce FlsAlloc FlsGetValue FlsSetValue FlsFree EncodePointer DecodePointer
    GetSystemTimePreciseAsFileTime CreateHardLinkA SetDllDirectoryA HeapSetInformation
    QueueUserWorkItem CreateTimerQueueTimer GetLogicalProcessorInformation
    RegGetValueA RegDeleteKeyExA RegDeleteTreeA RegSetKeyValueA RegOpenCurrentUser
    SetLayeredWindowAttributes UpdateLayeredWindow PrintWindow GetLayeredWindowAttributes
    SetProcessDPIAware GetDpiForWindow ChangeWindowMessageFilter
    SetDCBrushColor SetDCPenColor GetDCBrushColor AddFontResourceExA
    TaskDialog TaskDialogIndirect SetWindowSubclass DefSubclassProc RemoveWindowSubclass
    LoadIconMetric
    _stat64 _fstat64 _wstat64 _stat64i32 _fstat64i32 _time64 _localtime64 _gmtime64
    _mktime64 _ctime64 _ftime64 _aligned_malloc _aligned_free _strtoi64 _strtoui64
    _set_invalid_parameter_handler _get_errno
)
# Functions ending in W (Unicode) that may stay, with why they are harmless.
declare -A allowed_w=(
    [CreateSemaphoreW]="98 exports it as a stub that fails; libgcc's mutex only waits on it when two threads contend, and the program runs one"
    [GetModuleHandleW]="98 exports it as a stub that returns null; the C runtime then takes its built-in fallback"
    [LoadLibraryW]="98 exports it as a stub that returns null; only the C runtime's rand_s fallback calls it"
)
# msvcrt wide-character functions that never reach the system.
declare -A allowed_crt_w=([wcslen]="pure string function")
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|MSVCRT)\.DLL$'

# From the table: absent_since["USER32.DLL!GetAncestor"]=98 (95 OSR2 lacks it,
# 98 added it); present["MSVCRT.DLL!malloc"]=4.20 and listed_dll[MSVCRT.DLL]=4.20
# (an import from a listed DLL must be on its list).
declare -A absent_since=() present=() listed_dll=()
load_table() {
    local line n=0 kind="" dll="" ver="" extra words
    [ -r "$table" ] || { echo "check-imports: cannot read $table" >&2; return 2; }
    while IFS= read -r line || [ -n "$line" ]; do
        n=$((n + 1))
        line=${line%%#*}
        read -ra words <<<"$line"
        [ ${#words[@]} -eq 0 ] && continue
        if [[ ${words[0]} == \[* ]]; then
            read -r kind dll ver extra <<<"${line//[][]/ }"
            if [[ ! $kind =~ ^(absent|present)$ || -z $ver || -n $extra ]]; then
                echo "check-imports: $table:$n: want [absent DLL RELEASE] or [present DLL VERSION]" >&2
                return 2
            fi
            dll=${dll^^}
            [ "$kind" = present ] && listed_dll[$dll]=$ver
        elif [[ -z $kind || ${#words[@]} -ne 1 || ! ${words[0]} =~ ^[A-Za-z_][A-Za-z0-9_]*$ ]]; then
            echo "check-imports: $table:$n: want one function name under a group line" >&2
            return 2
        elif [ "$kind" = absent ]; then
            absent_since[$dll!${words[0]}]=$ver
        else
            present[$dll!${words[0]}]=$ver
        fi
    done <"$table"
}

declare -A denied=()
for fn in "${deny[@]}"; do denied[$fn]=1; done

# check_dump leaves its lines in report and the C runtime's imports in
# crt_summary (the self-test reads them without a subshell: forks are slow
# here, and it runs 14 times a check).
report=() crt_summary="" failed=0
say() { report+=("$*"); }
fail() { say "FAIL  $*"; failed=1; }
pass() { say "pass  $*"; }

# Checks one `objdump -p` listing; $2 is the file's size in bytes ("" skips
# it), $3 its name.
check_dump() {
    local dump=$1 size=$2 line dll="" fn key field got crt_dll=MSVCRT.DLL
    local -A header=() seen=()
    local -a dlls=() imports=() crt_names=()
    report=() failed=0
    # Header lines are "<field>\t<value>"; "DLL Name: X" starts a DLL's list,
    # whose entries are "\t<vma>\t <hint>  <name>".
    while IFS= read -r line; do
        if [[ $line =~ ^((Major|Minor)(OSystem|Subsystem)Version)[[:space:]]+([0-9]+) ]]; then
            [ -n "${header[${BASH_REMATCH[1]}]:-}" ] || header[${BASH_REMATCH[1]}]=${BASH_REMATCH[4]}
        elif [[ $line =~ DLL\ Name:\ ([^[:space:]]+) ]]; then
            dll=${BASH_REMATCH[1]}
            [ -n "${seen[$dll]:-}" ] || dlls+=("$dll")
            seen[$dll]=1
        elif [[ -n $dll && $line =~ ^$'\t'[0-9a-f]+$'\t'\ *[0-9]+\ +([A-Za-z_][^[:space:]]*)$ ]]; then
            imports+=("$dll ${BASH_REMATCH[1]}")
        fi
    done <<<"$dump"

    for field in MajorOSystemVersion:4 MinorOSystemVersion:0 MajorSubsystemVersion:4 MinorSubsystemVersion:0; do
        got=${header[${field%%:*}]:-}
        [ "$got" = "${field#*:}" ] && pass "${field%%:*} = $got" || fail "${field%%:*} = $got, want ${field#*:}"
    done
    [ ${#imports[@]} -gt 0 ] || fail "no imports found"
    for dll in "${dlls[@]}"; do
        [[ ${dll^^} =~ $system_dlls ]] && pass "imports from $dll" || fail "imports from $dll, not a 98 SE system DLL"
    done

    for line in "${imports[@]}"; do
        dll=${line% *} fn=${line#* }
        key=${dll^^}!$fn
        [ -n "${denied[$fn]:-}" ] && fail "$dll!$fn: absent from Windows 98 SE"
        [ -n "${absent_since[$key]:-}" ] &&
            fail "$dll!$fn: absent from Windows 95 OSR2 (a Windows ${absent_since[$key]} addition)"
        if [ -n "${listed_dll[${dll^^}]:-}" ] && [ -z "${present[$key]:-}" ]; then
            fail "$dll!$fn: not on the list of ${dll,,} ${listed_dll[${dll^^}]} exports in ${table##*/} (check it against the source named there, then add it)"
        fi
        if [[ ${dll^^} == MSVCRT.DLL ]]; then
            crt_dll=$dll
            crt_names+=("$fn")
            if [[ $fn == _w* || $fn == wcs* ]]; then
                [ -n "${allowed_crt_w[$fn]:-}" ] && pass "$dll!$fn allowed: ${allowed_crt_w[$fn]}" ||
                    fail "$dll!$fn: wide-character C runtime function"
            fi
        elif [[ $fn =~ [a-z0-9]W$ ]]; then
            [ -n "${allowed_w[$fn]:-}" ] && pass "$dll!$fn allowed: ${allowed_w[$fn]}" ||
                fail "$dll!$fn: Unicode function; on 98 most are stubs that fail (allow it here, with the reason, if not)"
        fi
    done

    if [ -n "$size" ]; then
        say "check-imports: size $size bytes (limit $size_limit)"
        [ "$size" -le "$size_limit" ] || fail "size $size bytes is above the limit of $size_limit"
    fi
    say "check-imports: ${#imports[@]} imported functions${3:+ in $3}"
    if [ ${#crt_names[@]} -gt 0 ]; then
        say "note  $crt_dll is not part of a bare Windows 95 OSR2 (Internet Explorer 4, Office or a VC++ runtime installs it)"
    fi
    fn=${crt_names[*]}
    crt_summary="check-imports: ${#crt_names[@]} functions imported from $crt_dll:${fn:+ $fn}"
    return "$failed"
}

# Sets fake to a made-up `objdump -p` listing: OS version, then "DLL:function"
# imports, their hints right-aligned in five columns of 1 to 4 digits as there.
fake_dump() {
    local version=$1 dll="" entry hint n=0 hints=(5 60 631 1569)
    shift
    fake="MajorOSystemVersion"$'\t'"$version"$'\nMinorOSystemVersion\t0\nMajorSubsystemVersion\t4\nMinorSubsystemVersion\t0'
    for entry in "$@"; do
        [ "${entry%%:*}" = "$dll" ] || fake+=$'\n\n\tDLL Name: '"${entry%%:*}"$'\n\tvma:  Hint/Ord Member-Name Bound-To'
        dll=${entry%%:*}
        printf -v hint "%5d" "${hints[n++ % 4]}"
        fake+=$'\n\t2358c\t'"$hint  ${entry#*:}"
    done
}

# Each case: expected exit status | a line the report must hold | size | OS version | imports.
self_test_cases=(
    "0|check-imports: 2 functions imported from msvcrt.dll: malloc wcslen|171008|4|KERNEL32.dll:GetVersion USER32.dll:CreateWindowExA COMCTL32.DLL:_TrackMouseEvent msvcrt.dll:malloc msvcrt.dll:wcslen"
    "1|FAIL  USER32.dll!GetAncestor: absent from Windows 95 OSR2 (a Windows 98 addition)|171008|4|KERNEL32.dll:GetVersion USER32.dll:GetAncestor"
    "1|FAIL  user32.dll!GetMonitorInfoA: absent from Windows 95 OSR2 (a Windows 98 addition)|171008|4|user32.dll:GetMonitorInfoA"
    "1|FAIL  KERNEL32.dll!GetFileAttributesExA: absent from Windows 95 OSR2 (a Windows 98 addition)|171008|4|KERNEL32.dll:GetFileAttributesExA"
    "1|FAIL  USER32.dll!GetLastInputInfo: absent from Windows 95 OSR2 (a Windows 2000 addition)|171008|4|USER32.dll:GetLastInputInfo"
    "1|FAIL  USER32.dll!TrackMouseEvent: absent from Windows 95 OSR2 (a Windows 98 addition)|171008|4|USER32.dll:TrackMouseEvent"
    "1|FAIL  COMCTL32.DLL!InitializeFlatSB: absent from Windows 95 OSR2 (a Windows 98 addition)|171008|4|COMCTL32.DLL:InitializeFlatSB"
    "1|FAIL  msvcrt.dll!__iob_func: not on the list of msvcrt.dll 4.20 exports in win95-osr2-imports.txt (check it against the source named there, then add it)|171008|4|KERNEL32.dll:GetVersion msvcrt.dll:__iob_func"
    "1|FAIL  KERNEL32.dll!GlobalMemoryStatusEx: absent from Windows 98 SE|171008|4|KERNEL32.dll:GlobalMemoryStatusEx"
    "1|FAIL  imports from MSIMG32.dll, not a 98 SE system DLL|171008|4|KERNEL32.dll:GetVersion MSIMG32.dll:AlphaBlend"
    "1|FAIL  size 204801 bytes is above the limit of 204800|204801|4|KERNEL32.dll:GetVersion"
    "0|check-imports: size 204800 bytes (limit 204800)|204800|4|KERNEL32.dll:GetVersion"
    "1|FAIL  MajorOSystemVersion = 5, want 4|171008|5|KERNEL32.dll:GetVersion"
    "1|FAIL  no imports found|171008|4|"
)
self_test() {
    local case want text size version imports status line found bad=0 fake
    for case in "${self_test_cases[@]}"; do
        IFS='|' read -r want text size version imports <<<"$case"
        read -ra imports <<<"$imports"
        fake_dump "$version" "${imports[@]}"
        check_dump "$fake" "$size"
        status=$?
        found=0
        for line in "${report[@]}" "$crt_summary"; do [ "$line" = "$text" ] && found=1; done
        if [ "$status" != "$want" ] || [ "$found" -eq 0 ]; then
            echo "check-imports: self-test case [$case] gave status $status:" >&2
            printf '    %s\n' "${report[@]}" "$crt_summary" >&2
            bad=1
        fi
    done
    [ "$bad" -eq 0 ] && echo "check-imports: self-test: all ${#self_test_cases[@]} cases behave"
    return "$bad"
}

load_table || exit 2
self_test || { echo "check-imports: FAILED (the checker itself)"; exit 1; }
[ "${1:-}" = --self-test ] && exit 0

exe=${1:?usage: check-imports.sh <exe> | --self-test}
dump=$("$objdump" -p "$exe") || { echo "check-imports: cannot read $exe" >&2; exit 2; }
check_dump "$dump" "$(stat -c %s "$exe")" "$(basename "$exe")"
status=$?
printf '%s\n' "${report[@]}"
[ "$status" -eq 0 ] && echo "check-imports: passed" || echo "check-imports: FAILED"
echo "$crt_summary"
exit "$status"
