#!/bin/bash
# Checks that an exe can load on a bare Windows 95 OSR2 and on 98 SE to 11: PE
# versions 4.0, the system's own DLLs only (no C runtime DLL, which a bare
# Windows 95 lacks), no imported function that those DLLs lack, no unwind
# tables or base relocations, and a size limit. Every run first checks the
# checker on made-up import tables.
#   check-imports.sh <exe>
#   check-imports.sh --self-test
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
table=$here/win95-osr2-imports.txt   # what 95 OSR2 lacks
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
size_limit=131072

# Functions absent from Windows 98 SE.
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
)
# Functions ending in W (Unicode) that may stay, with why they are harmless:
# on 98 most W functions are stubs that fail. None today.
declare -A allowed_w=()
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32)\.DLL$'
crt_dlls='^(MSVCRT|MSVCRT[0-9]+|MSVCR[0-9]+D?|MSVCP[0-9]+D?|CRTDLL|UCRTBASE|VCRUNTIME[0-9_]+|API-MS-WIN-CRT-.*)\.DLL$'
# Sections the exe must not have: unwind tables (C code built with them)
# and base relocations (9x always loads an exe at its preferred address).
unwanted_sections='^(\.eh_fram|\.eh_frame|\.reloc)$'

# From the table: absent_since["USER32.DLL!GetAncestor"]=98 (95 OSR2 lacks it,
# 98 added it).
declare -A absent_since=()
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
            if [[ $kind != absent || -z $ver || -n $extra ]]; then
                echo "check-imports: $table:$n: want [absent DLL RELEASE]" >&2
                return 2
            fi
            dll=${dll^^}
        elif [[ -z $kind || ${#words[@]} -ne 1 || ! ${words[0]} =~ ^[A-Za-z_][A-Za-z0-9_]*$ ]]; then
            echo "check-imports: $table:$n: want one function name under a group line" >&2
            return 2
        else
            absent_since[$dll!${words[0]}]=$ver
        fi
    done <"$table"
}

declare -A denied=()
for fn in "${deny[@]}"; do denied[$fn]=1; done

# check_dump leaves its lines in report (the self-test reads them without a
# subshell: forks are slow here, and it runs many times a check).
report=() failed=0
say() { report+=("$*"); }
fail() { say "FAIL  $*"; failed=1; }
pass() { say "pass  $*"; }

# Checks one `objdump -p -h` listing; $2 is the file's size in bytes (""
# skips it), $3 its name.
check_dump() {
    local dump=$1 size=$2 line dll="" fn key field got
    local -A header=() seen=()
    local -a dlls=() imports=() sections=()
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
        elif [[ $line =~ ^\ *[0-9]+\ (\.[^[:space:]]+)\ +[0-9a-f]{8}\  ]]; then
            sections+=("${BASH_REMATCH[1]}")  # "Idx Name Size VMA ..."
        fi
    done <<<"$dump"

    for field in MajorOSystemVersion:4 MinorOSystemVersion:0 MajorSubsystemVersion:4 MinorSubsystemVersion:0; do
        got=${header[${field%%:*}]:-}
        [ "$got" = "${field#*:}" ] && pass "${field%%:*} = $got" || fail "${field%%:*} = $got, want ${field#*:}"
    done
    [ ${#imports[@]} -gt 0 ] || fail "no imports found"
    for dll in "${dlls[@]}"; do
        if [[ ${dll^^} =~ $crt_dlls ]]; then
            fail "imports from $dll, a C runtime DLL: a bare Windows 95 OSR2 has none"
        elif [[ ${dll^^} =~ $system_dlls ]]; then
            pass "imports from $dll"
        else
            fail "imports from $dll, not a system DLL of Windows 95 OSR2 and 98 SE"
        fi
    done
    for field in "${sections[@]}"; do
        [[ $field =~ $unwanted_sections ]] && fail "section $field: the exe must have none"
    done

    for line in "${imports[@]}"; do
        dll=${line% *} fn=${line#* }
        key=${dll^^}!$fn
        [ -n "${denied[$fn]:-}" ] && fail "$dll!$fn: absent from Windows 98 SE"
        [ -n "${absent_since[$key]:-}" ] &&
            fail "$dll!$fn: absent from Windows 95 OSR2 (a Windows ${absent_since[$key]} addition)"
        if [[ $fn =~ [a-z0-9]W$ ]]; then
            [ -n "${allowed_w[$fn]:-}" ] && pass "$dll!$fn allowed: ${allowed_w[$fn]}" ||
                fail "$dll!$fn: Unicode function; on 98 most are stubs that fail (allow it here, with the reason, if not)"
        fi
    done

    if [ -n "$size" ]; then
        say "check-imports: size $size bytes (limit $size_limit)"
        [ "$size" -le "$size_limit" ] || fail "size $size bytes is above the limit of $size_limit"
    fi
    say "check-imports: ${#imports[@]} imported functions${3:+ in $3}"
    for dll in "${dlls[@]}"; do
        fn=""
        for line in "${imports[@]}"; do [ "${line% *}" = "$dll" ] && fn+=" ${line#* }"; done
        say "check-imports: from $dll:$fn"
    done
    return "$failed"
}

# Sets fake to a made-up `objdump -p -h` listing: OS version, a section
# table ("sections" names them, .text alone by default), then "DLL:function"
# imports, their hints right-aligned in five columns of 1 to 4 digits as there.
fake_dump() {
    local version=$1 dll="" entry hint n=0 hints=(5 60 631 1569) section i=0
    shift
    fake="MajorOSystemVersion"$'\t'"$version"$'\nMinorOSystemVersion\t0\nMajorSubsystemVersion\t4\nMinorSubsystemVersion\t0'
    fake+=$'\n\nSections:\nIdx Name          Size      VMA       LMA       File off  Algn'
    for section in ${sections:-.text}; do
        printf -v entry '%3d %-13s 00001000  %08x  %08x  00000400  2**2' $((i)) "$section" $((0x401000 + i * 0x1000)) $((0x401000 + i * 0x1000))
        fake+=$'\n'"$entry"$'\n                  CONTENTS, ALLOC, LOAD, DATA'
        i=$((i + 1))
    done
    for entry in "$@"; do
        [ "${entry%%:*}" = "$dll" ] || fake+=$'\n\n\tDLL Name: '"${entry%%:*}"$'\n\tvma:  Hint/Ord Member-Name Bound-To'
        dll=${entry%%:*}
        printf -v hint "%5d" "${hints[n++ % 4]}"
        fake+=$'\n\t2358c\t'"$hint  ${entry#*:}"
    done
}

# Each case: expected exit status | a line the report must hold | size | OS
# version | sections | imports.
self_test_cases=(
    "0|check-imports: from USER32.dll: CreateWindowExA|100352|4|.text .rdata .rsrc|KERNEL32.dll:GetVersion USER32.dll:CreateWindowExA COMCTL32.DLL:_TrackMouseEvent"
    "1|FAIL  imports from msvcrt.dll, a C runtime DLL: a bare Windows 95 OSR2 has none|100352|4||KERNEL32.dll:GetVersion msvcrt.dll:malloc"
    "1|FAIL  imports from MSVCR71.dll, a C runtime DLL: a bare Windows 95 OSR2 has none|100352|4||MSVCR71.dll:malloc"
    "1|FAIL  imports from api-ms-win-crt-heap-l1-1-0.dll, a C runtime DLL: a bare Windows 95 OSR2 has none|100352|4||api-ms-win-crt-heap-l1-1-0.dll:malloc"
    "1|FAIL  USER32.dll!GetAncestor: absent from Windows 95 OSR2 (a Windows 98 addition)|100352|4||KERNEL32.dll:GetVersion USER32.dll:GetAncestor"
    "1|FAIL  user32.dll!GetMonitorInfoA: absent from Windows 95 OSR2 (a Windows 98 addition)|100352|4||user32.dll:GetMonitorInfoA"
    "1|FAIL  KERNEL32.dll!GetFileAttributesExA: absent from Windows 95 OSR2 (a Windows 98 addition)|100352|4||KERNEL32.dll:GetFileAttributesExA"
    "1|FAIL  USER32.dll!GetLastInputInfo: absent from Windows 95 OSR2 (a Windows 2000 addition)|100352|4||USER32.dll:GetLastInputInfo"
    "1|FAIL  USER32.dll!TrackMouseEvent: absent from Windows 95 OSR2 (a Windows 98 addition)|100352|4||USER32.dll:TrackMouseEvent"
    "1|FAIL  COMCTL32.DLL!InitializeFlatSB: absent from Windows 95 OSR2 (a Windows 98 addition)|100352|4||COMCTL32.DLL:InitializeFlatSB"
    "1|FAIL  KERNEL32.dll!GlobalMemoryStatusEx: absent from Windows 98 SE|100352|4||KERNEL32.dll:GlobalMemoryStatusEx"
    "1|FAIL  KERNEL32.dll!GetModuleHandleW: Unicode function; on 98 most are stubs that fail (allow it here, with the reason, if not)|100352|4||KERNEL32.dll:GetModuleHandleW"
    "1|FAIL  imports from MSIMG32.dll, not a system DLL of Windows 95 OSR2 and 98 SE|100352|4||KERNEL32.dll:GetVersion MSIMG32.dll:AlphaBlend"
    "1|FAIL  section .eh_fram: the exe must have none|100352|4|.text .eh_fram .rsrc|KERNEL32.dll:GetVersion"
    "1|FAIL  section .reloc: the exe must have none|100352|4|.text .rsrc .reloc|KERNEL32.dll:GetVersion"
    "1|FAIL  size 131073 bytes is above the limit of 131072|131073|4||KERNEL32.dll:GetVersion"
    "0|check-imports: size 131072 bytes (limit 131072)|131072|4||KERNEL32.dll:GetVersion"
    "1|FAIL  MajorOSystemVersion = 5, want 4|100352|5||KERNEL32.dll:GetVersion"
    "1|FAIL  no imports found|100352|4||"
)
self_test() {
    local case want text size version sections imports status line found bad=0 fake
    for case in "${self_test_cases[@]}"; do
        IFS='|' read -r want text size version sections imports <<<"$case"
        read -ra imports <<<"$imports"
        fake_dump "$version" "${imports[@]}"
        check_dump "$fake" "$size"
        status=$?
        found=0
        for line in "${report[@]}"; do [ "$line" = "$text" ] && found=1; done
        if [ "$status" != "$want" ] || [ "$found" -eq 0 ]; then
            echo "check-imports: self-test case [$case] gave status $status:" >&2
            printf '    %s\n' "${report[@]}" >&2
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
dump=$("$objdump" -p -h "$exe") || { echo "check-imports: cannot read $exe" >&2; exit 2; }
check_dump "$dump" "$(stat -c %s "$exe")" "$(basename "$exe")"
status=$?
printf '%s\n' "${report[@]}"
[ "$status" -eq 0 ] && echo "check-imports: passed" || echo "check-imports: FAILED"
exit "$status"
