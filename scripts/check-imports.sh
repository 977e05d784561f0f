#!/bin/bash
# Checks that an exe can load on Windows 98 SE: PE versions 4.0, system DLLs
# only, and no imported function that the 98 SE system DLLs lack.
#   check-imports.sh <exe>
set -uo pipefail
exe=${1:?usage: check-imports.sh <exe>}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
dump=$("$objdump" -p "$exe") || { echo "check-imports: cannot read $exe" >&2; exit 2; }

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

failed=0
fail() { echo "FAIL  $*"; failed=1; }
pass() { echo "pass  $*"; }

header() { awk -v k="$1" '$1 == k { print $2; exit }' <<<"$dump"; }
for field in MajorOSystemVersion:4 MinorOSystemVersion:0 MajorSubsystemVersion:4 MinorSubsystemVersion:0; do
    got=$(header "${field%%:*}")
    [ "$got" = "${field#*:}" ] && pass "${field%%:*} = $got" || fail "${field%%:*} = $got, want ${field#*:}"
done

# "DLL Name: X" starts a DLL's list; its entries are "\t<vma>\t <hint>  <name>".
imports=$(awk '/DLL Name:/ { dll = $3; next }
               dll != "" && /^\t[0-9a-f]+\t *[0-9]+ +[A-Za-z_]/ { print dll, $NF }' <<<"$dump")
[ -n "$imports" ] || fail "no imports found in $exe"

for dll in $(awk '/DLL Name:/ { print $3 }' <<<"$dump" | sort -u); do
    [[ ${dll^^} =~ $system_dlls ]] && pass "imports from $dll" || fail "imports from $dll, not a 98 SE system DLL"
done

while read -r dll fn; do
    [ -n "$fn" ] || continue
    for bad in "${deny[@]}"; do
        [ "$fn" = "$bad" ] && fail "$dll!$fn: absent from Windows 98 SE"
    done
    if [[ ${dll^^} == MSVCRT.DLL ]]; then
        if [[ $fn == _w* || $fn == wcs* ]]; then
            [ -n "${allowed_crt_w[$fn]:-}" ] && pass "$dll!$fn allowed: ${allowed_crt_w[$fn]}" ||
                fail "$dll!$fn: wide-character C runtime function"
        fi
    elif [[ $fn =~ [a-z0-9]W$ ]]; then
        [ -n "${allowed_w[$fn]:-}" ] && pass "$dll!$fn allowed: ${allowed_w[$fn]}" ||
            fail "$dll!$fn: Unicode function; on 98 most are stubs that fail (allow it here, with the reason, if not)"
    fi
done <<<"$imports"

echo "check-imports: $(wc -l <<<"$imports") imported functions in $(basename "$exe")"
[ "$failed" -eq 0 ] && echo "check-imports: passed" || echo "check-imports: FAILED"
exit "$failed"
