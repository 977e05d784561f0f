#!/usr/bin/env python3
"""Checks that an exe can load on a bare Windows 95 OSR2 and on 98 SE to 11.

    pe_imports.py EXE           (scripts/check-imports.sh EXE)
    pe_imports.py --self-test   (scripts/check-imports.sh --self-test)

PE OS and subsystem versions 4.0, the system's own DLLs only (no C runtime
DLL, which a bare Windows 95 lacks), no imported function that those DLLs
lack, none imported by ordinal, no unwind tables or base relocations, and a
size limit.  Exit 0 when the exe passes, 1 when it fails, 2 when it or the
table cannot be read.

The check works on a model of the exe (versions, section names, imports,
size) that pe_image.py reads from the file.  Every run first checks the
checker: the check on made-up models, and the reader on a small exe linked
on the spot with the MinGW binutils.
"""

import os
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
import pe_image  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
TABLE = os.path.join(HERE, '..', 'scripts', 'win95-osr2-imports.txt')  # what 95 OSR2 lacks
TOOL_PREFIX = 'i686-w64-mingw32-'
SIZE_LIMIT = 131072

# Functions absent from Windows 98 SE.
DENY = set('''
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
'''.split())
# Functions ending in W (Unicode) that may stay, with why they are harmless:
# on 98 most W functions are stubs that fail. None today.
ALLOWED_W = {}
SYSTEM_DLLS = re.compile(r'^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32)\.DLL$')
CRT_DLLS = re.compile(r'^(MSVCRT|MSVCRT[0-9]+|MSVCR[0-9]+D?|MSVCP[0-9]+D?|CRTDLL|UCRTBASE|VCRUNTIME[0-9_]+|API-MS-WIN-CRT-.*)\.DLL$')
# Sections the exe must not have: unwind tables (C code built with them; an
# exe's section names are cut to eight letters) and base relocations (9x
# always loads an exe at its preferred address).
UNWANTED_SECTIONS = re.compile(r'^(\.eh_fram|\.eh_frame|\.reloc)$')
VERSION_FIELDS = (('MajorOSystemVersion', 'os_version', 0), ('MinorOSystemVersion', 'os_version', 1),
                  ('MajorSubsystemVersion', 'subsystem_version', 0),
                  ('MinorSubsystemVersion', 'subsystem_version', 1))
WANTED_VERSION = (4, 0)


class TableError(Exception):
    pass


def load_table(path):
    """{'USER32.DLL!GetAncestor': '98'}: 95 OSR2 lacks it, 98 added it."""
    try:
        with open(path, encoding='latin-1') as f:
            lines = f.read().splitlines()
    except OSError:
        raise TableError('cannot read %s' % path)
    absent, dll, release = {}, None, None
    for n, line in enumerate(lines, 1):
        words = line.split('#', 1)[0].split()
        if not words:
            continue
        if words[0].startswith('['):
            group = line.split('#', 1)[0].replace('[', ' ').replace(']', ' ').split()
            if len(group) != 3 or group[0] != 'absent':
                raise TableError('%s:%d: want [absent DLL RELEASE]' % (path, n))
            dll, release = group[1].upper(), group[2]
        elif dll is None or len(words) != 1 or not re.match(r'^[A-Za-z_][A-Za-z0-9_]*$', words[0]):
            raise TableError('%s:%d: want one function name under a group line' % (path, n))
        else:
            absent['%s!%s' % (dll, words[0])] = release
    return absent


def model_of(image):
    """What the check looks at, from a pe_image.PeImage.  An import is
    (DLL, name), or (DLL, ordinal) for one imported by ordinal."""
    return {
        'name': os.path.basename(image.path),
        'size': image.size,
        'os_version': image.os_version,
        'subsystem_version': image.subsystem_version,
        'sections': [s.name for s in image.sections],
        'imports': [(i.dll, i.name if i.name is not None else i.ordinal) for i in image.imports],
    }


def check(model, absent):
    """(report lines, failed)."""
    report, failed = [], [False]

    def fail(text):
        report.append('FAIL  ' + text)
        failed[0] = True

    def good(text):
        report.append('pass  ' + text)

    for field, key, index in VERSION_FIELDS:
        got, want = model[key][index], WANTED_VERSION[index]
        if got == want:
            good('%s = %d' % (field, got))
        else:
            fail('%s = %d, want %d' % (field, got, want))
    imports = model['imports']
    if not imports:
        fail('no imports found')
    dlls = list(dict.fromkeys(dll for dll, _ in imports))
    for dll in dlls:
        if CRT_DLLS.match(dll.upper()):
            fail('imports from %s, a C runtime DLL: a bare Windows 95 OSR2 has none' % dll)
        elif SYSTEM_DLLS.match(dll.upper()):
            good('imports from %s' % dll)
        else:
            fail('imports from %s, not a system DLL of Windows 95 OSR2 and 98 SE' % dll)
    for section in model['sections']:
        if UNWANTED_SECTIONS.match(section):
            fail('section %s: the exe must have none' % section)

    for dll, fn in imports:
        if isinstance(fn, int):
            fail('%s!#%d: imported by ordinal, which no list here can vouch for '
                 '(ordinals differ between Windows releases)' % (dll, fn))
            continue
        if fn in DENY:
            fail('%s!%s: absent from Windows 98 SE' % (dll, fn))
        since = absent.get('%s!%s' % (dll.upper(), fn))
        if since:
            fail('%s!%s: absent from Windows 95 OSR2 (a Windows %s addition)' % (dll, fn, since))
        if re.search(r'[a-z0-9]W$', fn):
            if fn in ALLOWED_W:
                good('%s!%s allowed: %s' % (dll, fn, ALLOWED_W[fn]))
            else:
                fail('%s!%s: Unicode function; on 98 most are stubs that fail '
                     '(allow it here, with the reason, if not)' % (dll, fn))

    size = model.get('size')
    if size is not None:
        report.append('check-imports: size %d bytes (limit %d)' % (size, SIZE_LIMIT))
        if size > SIZE_LIMIT:
            fail('size %d bytes is above the limit of %d' % (size, SIZE_LIMIT))
    name = model.get('name')
    report.append('check-imports: %d imported functions%s' % (len(imports), ' in ' + name if name else ''))
    for dll in dlls:
        names = [fn if isinstance(fn, str) else '#%d' % fn for d, fn in imports if d == dll]
        report.append('check-imports: from %s: %s' % (dll, ' '.join(names)))
    return report, failed[0]


# --------------------------------------------------------------------------
# Self-test of the check, on made-up models.
# --------------------------------------------------------------------------

def made_up(size, versions, sections, imports):
    """A model from a case row: versions "4.0/4.0" (OS/subsystem), section
    names (.text alone when empty), imports "DLL:name" or "DLL:#ordinal"."""
    os_version, subsystem_version = (tuple(int(n) for n in v.split('.')) for v in versions.split('/'))
    return {
        'name': None,
        'size': size,
        'os_version': os_version,
        'subsystem_version': subsystem_version,
        'sections': sections.split() or ['.text'],
        'imports': [(dll, int(fn[1:]) if fn.startswith('#') else fn)
                    for dll, fn in (entry.split(':', 1) for entry in imports.split())],
    }


# Each case: fails? | a line the report must hold | size | versions | sections | imports.
CASES = [
    (0, 'check-imports: from USER32.dll: CreateWindowExA', 100352, '4.0/4.0', '.text .rdata .rsrc',
     'KERNEL32.dll:GetVersion USER32.dll:CreateWindowExA COMCTL32.DLL:_TrackMouseEvent'),
    (0, 'check-imports: from KERNEL32.dll: GetVersion ExitProcess', 100352, '4.0/4.0', '',
     'KERNEL32.dll:GetVersion USER32.dll:CreateWindowExA KERNEL32.dll:ExitProcess'),
    (0, 'check-imports: 3 imported functions', 100352, '4.0/4.0', '',
     'KERNEL32.dll:GetVersion USER32.dll:CreateWindowExA KERNEL32.dll:ExitProcess'),
    (1, 'FAIL  imports from msvcrt.dll, a C runtime DLL: a bare Windows 95 OSR2 has none', 100352, '4.0/4.0', '',
     'KERNEL32.dll:GetVersion msvcrt.dll:malloc'),
    (1, 'FAIL  imports from MSVCR71.dll, a C runtime DLL: a bare Windows 95 OSR2 has none', 100352, '4.0/4.0', '',
     'MSVCR71.dll:malloc'),
    (1, 'FAIL  imports from ucrtbase.dll, a C runtime DLL: a bare Windows 95 OSR2 has none', 100352, '4.0/4.0', '',
     'ucrtbase.dll:malloc'),
    (1, 'FAIL  imports from api-ms-win-crt-heap-l1-1-0.dll, a C runtime DLL: a bare Windows 95 OSR2 has none',
     100352, '4.0/4.0', '', 'api-ms-win-crt-heap-l1-1-0.dll:malloc'),
    (1, 'FAIL  USER32.dll!GetAncestor: absent from Windows 95 OSR2 (a Windows 98 addition)', 100352, '4.0/4.0', '',
     'KERNEL32.dll:GetVersion USER32.dll:GetAncestor'),
    (1, 'FAIL  user32.dll!GetMonitorInfoA: absent from Windows 95 OSR2 (a Windows 98 addition)', 100352, '4.0/4.0', '',
     'user32.dll:GetMonitorInfoA'),
    (1, 'FAIL  KERNEL32.dll!GetFileAttributesExA: absent from Windows 95 OSR2 (a Windows 98 addition)', 100352,
     '4.0/4.0', '', 'KERNEL32.dll:GetFileAttributesExA'),
    (1, 'FAIL  USER32.dll!GetLastInputInfo: absent from Windows 95 OSR2 (a Windows 2000 addition)', 100352,
     '4.0/4.0', '', 'USER32.dll:GetLastInputInfo'),
    (1, 'FAIL  USER32.dll!TrackMouseEvent: absent from Windows 95 OSR2 (a Windows 98 addition)', 100352, '4.0/4.0', '',
     'USER32.dll:TrackMouseEvent'),
    (1, 'FAIL  COMCTL32.DLL!InitializeFlatSB: absent from Windows 95 OSR2 (a Windows 98 addition)', 100352, '4.0/4.0',
     '', 'COMCTL32.DLL:InitializeFlatSB'),
    (1, 'FAIL  KERNEL32.dll!GlobalMemoryStatusEx: absent from Windows 98 SE', 100352, '4.0/4.0', '',
     'KERNEL32.dll:GlobalMemoryStatusEx'),
    (1, 'FAIL  KERNEL32.dll!GetModuleHandleW: Unicode function; on 98 most are stubs that fail '
        '(allow it here, with the reason, if not)', 100352, '4.0/4.0', '', 'KERNEL32.dll:GetModuleHandleW'),
    (1, 'FAIL  COMCTL32.DLL!#17: imported by ordinal, which no list here can vouch for '
        '(ordinals differ between Windows releases)', 100352, '4.0/4.0', '', 'KERNEL32.dll:GetVersion COMCTL32.DLL:#17'),
    (1, 'FAIL  imports from MSIMG32.dll, not a system DLL of Windows 95 OSR2 and 98 SE', 100352, '4.0/4.0', '',
     'KERNEL32.dll:GetVersion MSIMG32.dll:AlphaBlend'),
    (1, 'FAIL  section .eh_fram: the exe must have none', 100352, '4.0/4.0', '.text .eh_fram .rsrc',
     'KERNEL32.dll:GetVersion'),
    (1, 'FAIL  section .eh_frame: the exe must have none', 100352, '4.0/4.0', '.text .eh_frame .rsrc',
     'KERNEL32.dll:GetVersion'),
    (1, 'FAIL  section .reloc: the exe must have none', 100352, '4.0/4.0', '.text .rsrc .reloc',
     'KERNEL32.dll:GetVersion'),
    (1, 'FAIL  size 131073 bytes is above the limit of 131072', 131073, '4.0/4.0', '', 'KERNEL32.dll:GetVersion'),
    (0, 'check-imports: size 131072 bytes (limit 131072)', 131072, '4.0/4.0', '', 'KERNEL32.dll:GetVersion'),
    (1, 'FAIL  MajorOSystemVersion = 5, want 4', 100352, '5.0/4.0', '', 'KERNEL32.dll:GetVersion'),
    (1, 'FAIL  MinorOSystemVersion = 10, want 0', 100352, '4.10/4.0', '', 'KERNEL32.dll:GetVersion'),
    (1, 'FAIL  MajorSubsystemVersion = 5, want 4', 100352, '4.0/5.0', '', 'KERNEL32.dll:GetVersion'),
    (1, 'FAIL  MinorSubsystemVersion = 10, want 0', 100352, '4.0/4.10', '', 'KERNEL32.dll:GetVersion'),
    (1, 'FAIL  no imports found', 100352, '4.0/4.0', '', ''),
]


def check_cases(absent):
    bad = []
    for case in CASES:
        want, line, size, versions, sections, imports = case
        report, failed = check(made_up(size, versions, sections, imports), absent)
        if failed != bool(want) or line not in report:
            bad.append('self-test case %r gave %s:\n%s' % (
                case, 'a failure' if failed else 'a pass', '\n'.join('    ' + l for l in report)))
    return bad


# --------------------------------------------------------------------------
# Self-test of the reader, on an exe linked here with import libraries
# made from .def files: two functions from KERNEL32, one from USER32, one from
# MSIMG32 by ordinal only, an unwind-table section and base relocations.
# Linked twice: stripped, where the linker cuts .eh_frame to eight letters,
# and with long section names, which the string table then holds.
# --------------------------------------------------------------------------

SAMPLE = '''
.text
.globl _start
_start:
  call *__imp__GetVersion
  call *__imp__MessageBoxA
  call *__imp__GetTickCount
  call *__imp__AlphaBlend
  ret
.section .eh_frame,"dr"
  .long 0
'''
SAMPLE_LIBRARIES = {
    'kernel32': 'LIBRARY KERNEL32.dll\nEXPORTS\nGetVersion\nGetTickCount\n',
    'user32': 'LIBRARY USER32.dll\nEXPORTS\nMessageBoxA\n',
    'msimg32': 'LIBRARY MSIMG32.dll\nEXPORTS\nAlphaBlend @300 NONAME\n',
}
SAMPLE_IMPORTS = sorted([('KERNEL32.dll', 'GetVersion'), ('KERNEL32.dll', 'GetTickCount'),
                         ('USER32.dll', 'MessageBoxA'), ('MSIMG32.dll', 300)], key=str)
SAMPLE_VERSIONS = ['--major-os-version', '4', '--minor-os-version', '10',
                   '--major-subsystem-version', '3', '--minor-subsystem-version', '51']
# (exe, extra linker options, the unwind section's name in the exe)
SAMPLE_LINKS = [
    ('stripped.exe', ['-s'], '.eh_fram'),
    ('long-names.exe', ['--enable-long-section-names'], '.eh_frame'),
]
# Lines the check must give on the stripped sample, beside its failure.
SAMPLE_REPORT = [
    'pass  MajorOSystemVersion = 4',
    'FAIL  MinorOSystemVersion = 10, want 0',
    'FAIL  MajorSubsystemVersion = 3, want 4',
    'FAIL  MinorSubsystemVersion = 51, want 0',
    'FAIL  imports from MSIMG32.dll, not a system DLL of Windows 95 OSR2 and 98 SE',
    'FAIL  section .eh_fram: the exe must have none',
    'FAIL  section .reloc: the exe must have none',
    'FAIL  MSIMG32.dll!#300: imported by ordinal, which no list here can vouch for '
    '(ordinals differ between Windows releases)',
    'check-imports: 4 imported functions in stripped.exe',
]


def run(args, folder):
    try:
        subprocess.run(args, cwd=folder, check=True, capture_output=True, text=True)
    except OSError as e:
        raise RuntimeError('%s: %s' % (args[0], e.strerror or e))
    except subprocess.CalledProcessError as e:
        raise RuntimeError('%s failed: %s' % (' '.join(args), e.stderr.strip()))


def check_reader(absent):
    bad = []
    with tempfile.TemporaryDirectory(prefix='check-imports-') as folder:
        try:
            with open(os.path.join(folder, 'sample.s'), 'w') as f:
                f.write(SAMPLE)
            run([TOOL_PREFIX + 'as', '--32', '-o', 'sample.o', 'sample.s'], folder)
            for name, text in SAMPLE_LIBRARIES.items():
                with open(os.path.join(folder, name + '.def'), 'w') as f:
                    f.write(text)
                run([TOOL_PREFIX + 'dlltool', '-d', name + '.def', '-l', 'lib%s.a' % name], folder)
            for exe, options, _ in SAMPLE_LINKS:
                run([TOOL_PREFIX + 'ld', '-e', '_start', '--enable-reloc-section'] + SAMPLE_VERSIONS + options
                    + ['-o', exe, 'sample.o'] + ['lib%s.a' % name for name in SAMPLE_LIBRARIES], folder)
        except RuntimeError as e:
            return ['cannot link the sample exe: %s' % e]

        models = {}
        for exe, _, unwind in SAMPLE_LINKS:
            path = os.path.join(folder, exe)
            try:
                model = models[exe] = model_of(pe_image.PeImage(path))
            except pe_image.PeError as e:
                bad.append('the reader refuses the sample %s: %s' % (exe, e))
                continue
            expected = [
                ('size', os.path.getsize(path)),
                ('os_version', (4, 10)),
                ('subsystem_version', (3, 51)),
                ('imports', SAMPLE_IMPORTS),
            ]
            got = dict(model, imports=sorted(model['imports'], key=str))
            for key, value in expected:
                if got[key] != value:
                    bad.append('reader, %s: %s is %r, want %r' % (exe, key, got[key], value))
            for section in ('.text', '.idata', '.reloc', unwind):
                if section not in model['sections']:
                    bad.append('reader, %s: no section %s among %s' % (exe, section, model['sections']))
    if SAMPLE_LINKS[0][0] in models:
        report, failed = check(models[SAMPLE_LINKS[0][0]], absent)
        missing = [line for line in SAMPLE_REPORT if line not in report]
        if not failed or missing:
            bad.append('check on the stripped sample: %s; lacks %s; report:\n%s' % (
                'failed' if failed else 'passed', missing, '\n'.join('    ' + l for l in report)))
    return bad


def self_test(absent):
    bad = check_cases(absent) + check_reader(absent)
    for text in bad:
        print('check-imports: ' + text, file=sys.stderr)
    if not bad:
        print('check-imports: self-test: all %d cases behave; the reader reads %d linked samples right'
              % (len(CASES), len(SAMPLE_LINKS)))
    return not bad


def main(argv):
    if len(argv) != 1:
        print('usage: check-imports.sh <exe> | --self-test', file=sys.stderr)
        return 2
    try:
        absent = load_table(TABLE)
    except TableError as e:
        print('check-imports: %s' % e, file=sys.stderr)
        return 2
    if not self_test(absent):
        print('check-imports: FAILED (the checker itself)')
        return 1
    if argv[0] == '--self-test':
        return 0
    try:
        image = pe_image.PeImage(argv[0])
    except pe_image.PeError as e:
        print('check-imports: %s' % e, file=sys.stderr)
        return 2
    report, failed = check(model_of(image), absent)
    print('\n'.join(report))
    print('check-imports: FAILED' if failed else 'check-imports: passed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
