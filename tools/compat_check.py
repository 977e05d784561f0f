#!/usr/bin/env python3
"""Holds the program to its Windows 9x compatibility table (tests/compat/win9x.tsv).

    compat_check.py check ROOT    checks the product sources under ROOT
    compat_check.py --self-test   checks the checker on made-up sources only

Every test runs on Wine, whose comctl32 behaves like the newest one whatever
Windows version a prefix reports: a message, style or structure size that
the comctl32 of Windows 95 OSR2 (4.70), 98 (4.72) or 98 SE (5.80) lacks
passes every test there and fails for users. So the table lists, one row
each, every comctl32 identifier the product uses and every call whose
documented behaviour differs on Windows 9x, with what the program does
below the version that has it and the test that covers that.

The check fails on
  - a comctl32 message, style, notification, flag, class, function, macro
    or structure in the product sources that has no row (recognised by the
    prefixes and names below, as check-imports.sh fails an unlisted import);
  - a structure the product hands over with its size (cbSize, dwSize,
    dwLength, cb) that has no row, whatever header it comes from;
  - a watched call (its behaviour differs on 9x) or a function looked up at
    run time (GetProcAddress) that has no row;
  - a row with a fallback that names no test, or names a test that does not
    exist in tests/ (TEST/TEST_F/TEST_P, or e2e:<scenario> from
    tests/e2e/scenario_list.h);
  - a row for something the product no longer uses, a duplicate row, or a
    row that is not of the table's form.
Comments and string literals do not count as uses, except the name a
function is looked up by.
"""
import pathlib
import re
import sys

PRODUCT_FOLDERS = ("app", "mainwindow", "controls", "platform", "system", "driver", "core")
SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cpp")
TABLE = "tests/compat/win9x.tsv"
SCENARIO_LIST = "tests/e2e/scenario_list.h"

COLUMNS = ("identifier", "kind", "since", "win95_osr2", "win98", "win98_se", "me_2000", "xp",
           "source", "below", "test")
KINDS = ("message", "style", "notification", "flag", "class", "struct-size", "comctl32-function", "call")
# The "below" column: what the program does where the item is missing or
# behaves otherwise. A fallback must name its test.
FALLBACK = "fallback:"
NONE_NEEDED = "none needed"

# comctl32's names by prefix: messages, styles, notifications and flags of
# every common control (commctrl.h), and the flags of _TrackMouseEvent.
# SB_ is left out on purpose: USER32's scroll-bar codes share it with the
# status bar's messages (which are listed by name instead).
COMCTL_PREFIXES = (
    "ACM_", "ACN_", "ACS_",                                      # animation
    "BCM_", "BCN_", "BCSIF_", "BCSS_", "BCCL_",                  # 6.0 buttons
    "CBEM_", "CBEN_", "CBES_", "CBEIF_",                         # ComboBoxEx
    "CCM_", "CCS_", "CDDS_", "CDIS_", "CDRF_", "CLR_",           # common, custom draw
    "DL_", "DTM_", "DTN_", "DTS_", "GDT_", "GDTR_",              # drag list, date picker
    "ECM_", "HDF_", "HDI_", "HDM_", "HDN_", "HDS_", "HHT_",      # header
    "HKM_", "HKCOMB_", "HOTKEYF_",                               # hot key
    "ICC_", "ILC_", "ILCF_", "ILD_", "ILIF_", "ILP_", "ILS_",    # init, image lists
    "IPM_", "IPN_", "LIF_", "LIS_", "LM_", "LWS_",               # IP address, SysLink
    "LVA_", "LVCF_", "LVFI_", "LVGF_", "LVGS_", "LVHT_", "LVIF_", "LVIS_", "LVM_", "LVN_",
    "LVNI_", "LVS_", "LVSIL_",                                   # list view
    "MCM_", "MCN_", "MCS_", "MCSC_", "MCHT_",                    # month calendar
    "NM_", "PBM_", "PBS_", "PBST_", "PGF_", "PGM_", "PGN_", "PGS_",  # progress, pager
    "RBBIM_", "RBBS_", "RBN_", "RBS_", "RB_", "RBHT_",           # rebar
    "SBARS_", "SBT_",                                            # status bar styles
    "TBCDRF_", "TBIF_", "TBM_", "TBN_", "TBS_", "TBSTATE_", "TBSTYLE_", "BTNS_", "TB_",
    "TCHT_", "TCIF_", "TCIS_", "TCM_", "TCN_", "TCS_",           # tab
    "TDCBF_", "TDF_", "TDM_", "TDN_",                            # task dialog
    "TME_", "TTDT_", "TTF_", "TTI_", "TTM_", "TTN_", "TTS_",     # mouse tracking, tooltip
    "TVE_", "TVGN_", "TVHT_", "TVI_", "TVIF_", "TVIS_", "TVM_", "TVN_", "TVS_",
    "UDM_", "UDN_", "UDS_", "UD_", "WSB_", "WC_",                # up-down, flat SB, classes
)
# Names the prefixes above would take that are not comctl32's.
NOT_COMCTL = {"WC_DIALOG", "CLR_INVALID"}
# comctl32 names no prefix above catches: messages commctrl.h adds to USER32
# controls (6.0), mouse tracking's messages, and the status bar's messages.
COMCTL_NAMES = {
    "WM_MOUSELEAVE", "WM_MOUSEHOVER", "WM_NCMOUSELEAVE", "WM_NCMOUSEHOVER",
    "EM_SETCUEBANNER", "EM_GETCUEBANNER", "EM_SHOWBALLOONTIP", "EM_HIDEBALLOONTIP",
    "CB_SETMINVISIBLE", "CB_GETMINVISIBLE", "CB_SETCUEBANNER", "CB_GETCUEBANNER",
    "BS_SPLITBUTTON", "BS_DEFSPLITBUTTON", "BS_COMMANDLINK", "BS_DEFCOMMANDLINK",
    "SB_SETTEXTA", "SB_GETTEXTA", "SB_SETPARTS", "SB_GETPARTS", "SB_SIMPLE", "SB_SETMINHEIGHT",
    "SB_SETICON", "SB_SETTIPTEXTA", "SB_GETRECT", "SB_ISSIMPLE",
    "LPSTR_TEXTCALLBACKA", "LPSTR_TEXTCALLBACK", "I_IMAGECALLBACK", "I_IMAGENONE",
    "STATUSCLASSNAMEA", "STATUSCLASSNAME", "TOOLBARCLASSNAMEA", "TOOLBARCLASSNAME",
    "REBARCLASSNAMEA", "REBARCLASSNAME",
}
# Window class names: ANIMATE_CLASSA, PROGRESS_CLASSA, TOOLTIPS_CLASSA, ...
COMCTL_CLASS = re.compile(r"[A-Z]+_CLASS[AW]?$")
# Functions and the macros that wrap messages, by prefix and by name.
COMCTL_FUNCTION_PREFIXES = ("Animate_", "TabCtrl_", "ImageList_", "ListView_", "TreeView_", "Header_",
                            "DateTime_", "MonthCal_", "Pager_", "FlatSB_", "DPA_", "DSA_", "Str_")
COMCTL_FUNCTIONS = {
    "InitCommonControls", "InitCommonControlsEx", "_TrackMouseEvent", "DllGetVersion",
    "CreateStatusWindowA", "CreateStatusWindow", "DrawStatusTextA", "DrawStatusText",
    "CreateToolbarEx", "CreateUpDownControl", "CreateMappedBitmap", "MenuHelp",
    "ShowHideMenuCtl", "GetEffectiveClientRect", "DrawInsert", "LBItemFromPt", "MakeDragList",
    "CreatePropertySheetPageA", "CreatePropertySheetPage", "PropertySheetA", "PropertySheet",
    "DestroyPropertySheetPage", "InitializeFlatSB", "UninitializeFlatSB",
    "SetWindowSubclass", "DefSubclassProc", "RemoveWindowSubclass", "GetWindowSubclass",
    "TaskDialog", "TaskDialogIndirect", "LoadIconMetric", "LoadIconWithScaleDown",
    "InitMUILanguage", "GetMUILanguage", "DrawShadowText",
    "Edit_SetCueBannerText", "Edit_ShowBalloonTip", "ComboBox_SetCueBannerText",
    "ComboBox_SetMinVisible", "Button_GetIdealSize", "Button_SetElevationRequiredState",
}
# comctl32's structures, whose size the version decides.
COMCTL_STRUCT = re.compile(
    r"(NMHDR|NM[A-Z][A-Z0-9]*[AW]?|NM_[A-Z]+[AW]?|TT?TOOLINFO\w*|TTHITTESTINFO\w*|TCITEM\w*|TC_ITEM\w*|"
    r"TC_HITTESTINFO|TCHITTESTINFO|INITCOMMONCONTROLSEX|TRACKMOUSEEVENT|DLLVERSIONINFO2?|"
    r"TBBUTTON\w*|TBADDBITMAP|REBARBANDINFO\w*|LV_?ITEM\w*|LV_?COLUMN\w*|TV_?ITEM\w*|"
    r"TV_?INSERTSTRUCT\w*|HD_?ITEM\w*|PROPSHEETPAGE\w*|PROPSHEETHEADER\w*|IMAGELISTDRAWPARAMS|"
    r"IMAGEINFO|COLORSCHEME|UDACCEL|PBRANGE|TASKDIALOGCONFIG|BUTTON_IMAGELIST|BUTTON_SPLITINFO|"
    r"EDITBALLOONTIP|LITEM|MCHITTESTINFO|DATETIMEPICKERINFO|COMBOBOXEXITEM\w*)$")

# KERNEL32, USER32, GDI32 and ADVAPI32 calls whose documented behaviour on
# Windows 95/98/ME differs from NT's (Microsoft's "Windows 95/98" remarks):
# each one the product calls needs a row.
WATCHED_CALLS = {
    # registry: value sizes, the default value's type, volatile keys, no
    # security, RegDeleteKey deleting subkeys on 9x only
    "RegCreateKeyExA", "RegCreateKeyA", "RegOpenKeyExA", "RegOpenKeyA", "RegQueryValueExA",
    "RegQueryValueA", "RegSetValueExA", "RegSetValueA", "RegDeleteKeyA", "RegEnumKeyExA",
    "RegEnumValueA", "RegQueryInfoKeyA", "RegFlushKey", "RegNotifyChangeKeyValue",
    "RegSaveKeyA", "RegLoadKeyA", "RegSetKeySecurity", "RegGetKeySecurity",
    # profile files: the 9x profile cache
    "WritePrivateProfileStringA", "WritePrivateProfileSectionA", "GetPrivateProfileSectionA",
    "GetPrivateProfileSectionNamesA", "WriteProfileStringA",
    # memory, versions, folders, libraries, restart and its privilege
    "GlobalMemoryStatus", "GlobalMemoryStatusEx", "GetVersion", "GetVersionExA",
    "GetSystemDirectoryA", "GetWindowsDirectoryA", "GetModuleFileNameA",
    "LoadLibraryA", "LoadLibraryExA", "ExitWindowsEx", "OpenProcessToken",
    "LookupPrivilegeValueA", "AdjustTokenPrivileges", "SetForegroundWindow",
    # fonts and text: 9x draws "A" text in the font's character set
    "CreateFontA", "CreateFontIndirectA", "EnumFontFamiliesExA", "EnumFontFamiliesA",
}

IDENTIFIER = re.compile(r"\b[A-Za-z_][A-Za-z0-9_]*\b")
# The name a function is looked up by at run time.
LOOKUP = re.compile(r"(?:GetProcAddress|LookUpFunction\s*<[^;>]*>)\s*\([^;]*?\"([A-Za-z_][A-Za-z0-9_]*)\"")
SIZE_FIELDS = r"(?:cbSize|dwSize|dwLength|cb|cbStruct|lStructSize)"
TEST_DEFINITION = re.compile(r"\bTEST(?:_F|_P)?\s*\(\s*(\w+)\s*,\s*(\w+)\s*\)")
SCENARIO = re.compile(r'^\s*SCENARIO\s*\(\s*"([^"]+)"', re.M)


def strip_code(text):
    """The text without comments and string or character literals (each
    replaced by a space, lines kept), and the names looked up at run time."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j) or " ")
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + " " + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    # Lookups keep their string: strip comments only, then read the names.
    no_comments = re.sub(r"//[^\n]*|/\*.*?\*/", " ", text, flags=re.S)
    return "".join(out), set(LOOKUP.findall(no_comments))


def sized_structures(code):
    """Types of the structures the code hands over with their size set."""
    found = set()
    for var in re.findall(r"\b(\w+)\s*(?:\.|->)\s*" + SIZE_FIELDS + r"\s*=", code):
        decl = re.search(r"\b([A-Z][A-Z0-9_]*)\s*\*?\s*\b" + re.escape(var) + r"\s*(?:\{|;|=|\[|\))", code)
        if decl:
            found.add(decl.group(1))
    # TYPE name{sizeof name, ...} or TYPE name = {sizeof(TYPE), ...}
    for kind in re.findall(r"\b([A-Z][A-Z0-9_]*)\s+\w+\s*=?\s*\{\s*sizeof\b", code):
        found.add(kind)
    return found


def is_comctl(name):
    if name in NOT_COMCTL:
        return False
    return (name in COMCTL_NAMES or name in COMCTL_FUNCTIONS or name.startswith(COMCTL_PREFIXES)
            or name.startswith(COMCTL_FUNCTION_PREFIXES) or bool(COMCTL_CLASS.match(name))
            or bool(COMCTL_STRUCT.match(name)))


def product_uses(sources):
    """sources: {path: text}. Returns (every identifier and looked-up name
    in the code -> files, the names that need a row -> files)."""
    present, needed = {}, {}
    for path, text in sorted(sources.items()):
        code, lookups = strip_code(text)
        names = set(IDENTIFIER.findall(code)) | lookups
        for name in names:
            present.setdefault(name, set()).add(path)
        wanted = {n for n in names if is_comctl(n) or n in WATCHED_CALLS} | lookups | sized_structures(code)
        for name in wanted:
            needed.setdefault(name, set()).add(path)
    return present, needed


def parse_table(text):
    """Rows as dicts (with their line number), and the form's faults."""
    rows, faults, header = [], [], None
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        cells = [cell.strip() for cell in line.split("\t")]
        if header is None:
            header = cells
            if tuple(cells) != COLUMNS:
                faults.append(f"line {number}: the header must name the columns {' '.join(COLUMNS)}")
                return rows, faults
            continue
        if len(cells) != len(COLUMNS) or not all(cells):
            faults.append(f"line {number}: want {len(COLUMNS)} non-empty tab-separated cells, got {len(cells)}")
            continue
        row = dict(zip(COLUMNS, cells))
        row["line"] = number
        if row["kind"] not in KINDS:
            faults.append(f"line {number}: {row['identifier']}: kind '{row['kind']}' is not one of {', '.join(KINDS)}")
        if not (row["below"].startswith(FALLBACK) or row["below"].startswith(NONE_NEEDED)):
            faults.append(f"line {number}: {row['identifier']}: 'below' must start with "
                          f"'{FALLBACK}' or '{NONE_NEEDED}'")
        rows.append(row)
    if header is None:
        faults.append("no header line")
    return rows, faults


def known_tests(test_sources, scenario_list):
    names = set()
    for text in test_sources.values():
        names |= {f"{suite}.{name}" for suite, name in TEST_DEFINITION.findall(text)}
    names |= {f"e2e:{name}" for name in SCENARIO.findall(scenario_list)}
    return names


def check(sources, table_text, test_sources, scenario_list):
    """Returns (faults, summary counts)."""
    rows, faults = parse_table(table_text)
    present, needed = product_uses(sources)
    tests = known_tests(test_sources, scenario_list)
    listed = {}
    for row in rows:
        name = row["identifier"]
        if name in listed:
            faults.append(f"line {row['line']}: {name}: listed twice (also line {listed[name]['line']})")
            continue
        listed[name] = row
        if name not in present:
            faults.append(f"line {row['line']}: {name}: the product no longer uses it; remove the row")
        named = [] if row["test"] == "-" else [t.strip() for t in row["test"].split(",")]
        if row["below"].startswith(FALLBACK) and not named:
            faults.append(f"line {row['line']}: {name}: has a fallback but names no test")
        for test in named:
            if test not in tests:
                faults.append(f"line {row['line']}: {name}: names test '{test}', which does not exist in tests/")
    for name in sorted(set(needed) - set(listed)):
        faults.append(f"{name}: used in {', '.join(sorted(needed[name]))} but not in the table")
    fallbacks = sum(1 for row in listed.values() if row["below"].startswith(FALLBACK))
    counts = {"rows": len(rows), "used": len(set(needed) | (set(listed) & set(present))),
              "fallbacks": fallbacks}
    return faults, counts


def read_tree(root, folders, suffixes=SOURCE_SUFFIXES):
    files = {}
    for folder in folders:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix in suffixes and path.is_file():
                files[str(path.relative_to(root))] = path.read_text(encoding="utf-8", errors="replace")
    return files


# The checker checked on made-up sources, every run. Each case: what it
# shows, the product's files, the table's rows (header added), whether the
# check passes, and a text one of its faults must hold.
HEADER = "\t".join(COLUMNS)
TESTS = {"tests/wine/a_test.cpp": "TEST_F(Hints, Size) {}\nTEST(Tabs, Fallback) {}\n"
                                  "TEST_P(Params, Case) {}\n"}
SCENARIOS = 'SCENARIO("restart-yes", RestartYes, demo, with_clip, may_save)\n'


def row(identifier, kind="message", below="none needed", test="-"):
    return "\t".join([identifier, kind, "comctl32 4.00", "yes", "yes", "yes", "yes", "yes", "MS", below, test])


SELF_TEST_CASES = [
    ("an unlisted message fails",
     {"a.cpp": "SendMessageA(h, TBM_SETPOS, 1, 2);"}, [], False, "TBM_SETPOS: used in a.cpp but not in the table"),
    ("a listed message passes",
     {"a.cpp": "SendMessageA(h, TBM_SETPOS, 1, 2);"}, [row("TBM_SETPOS")], True, ""),
    ("a row with a fallback but no test fails",
     {"a.cpp": "f(TCS_FLATBUTTONS);"}, [row("TCS_FLATBUTTONS", "style", "fallback: raised")], False,
     "TCS_FLATBUTTONS: has a fallback but names no test"),
    ("a row naming a missing test fails",
     {"a.cpp": "f(TCS_FLATBUTTONS);"}, [row("TCS_FLATBUTTONS", "style", "fallback: raised", "Tabs.Missing")],
     False, "names test 'Tabs.Missing', which does not exist"),
    ("a fallback's TEST, TEST_F, TEST_P and e2e tests are found",
     {"a.cpp": "f(TCS_FLATBUTTONS, UDM_SETRANGE32, ExitWindowsEx, TTM_ADDTOOLA);"},
     [row("TCS_FLATBUTTONS", "style", "fallback: raised", "Tabs.Fallback"),
      row("UDM_SETRANGE32", "message", "fallback: 16 bits", "Params.Case"),
      row("ExitWindowsEx", "call", "fallback: no privilege on 9x", "e2e:restart-yes"),
      row("TTM_ADDTOOLA", "message", "fallback: V1 size", "Hints.Size")], True, ""),
    ("a fallback naming a scenario that is not in the list fails",
     {"a.cpp": "ExitWindowsEx(EWX_REBOOT, 0);"}, [row("ExitWindowsEx", "call", "fallback: no privilege", "e2e:reboot")],
     False, "names test 'e2e:reboot', which does not exist"),
    ("a stale row fails",
     {"a.cpp": "int x;"}, [row("PBM_SETRANGE32")], False, "PBM_SETRANGE32: the product no longer uses it"),
    ("a name in a comment or a string is no use",
     {"a.cpp": "// TBM_SETPOS\n/* UDM_SETRANGE32 */ const char* s = \"TCM_SETCURSEL\";"},
     [row("TBM_SETPOS")], False, "TBM_SETPOS: the product no longer uses it"),
    ("a structure with its size set is recognised, whatever its header",
     {"a.cpp": "MEMORYSTATUS status{};\nstatus.dwLength = sizeof status;"}, [], False,
     "MEMORYSTATUS: used in a.cpp but not in the table"),
    ("a structure initialised with its size first is recognised",
     {"a.cpp": "STARTUPINFOA s{sizeof s, 0};"}, [], False, "STARTUPINFOA: used in a.cpp but not in the table"),
    ("a comctl32 structure is recognised by its name",
     {"a.cpp": "const NMUPDOWN* n = p;"}, [], False, "NMUPDOWN: used in a.cpp but not in the table"),
    ("a function looked up at run time needs a row",
     {"a.cpp": "auto f = LookUpFunction<Fn>(m, \"GlobalMemoryStatusEx\");"}, [], False,
     "GlobalMemoryStatusEx: used in a.cpp but not in the table"),
    ("a looked-up function with a row passes",
     {"a.cpp": "auto f = GetProcAddress(m, \"DllGetVersion\");"},
     [row("DllGetVersion", "comctl32-function", "fallback: 4.70", "Hints.Size")], True, ""),
    ("a watched call needs a row",
     {"a.cpp": "WritePrivateProfileStringA(s, k, v, f);"}, [], False,
     "WritePrivateProfileStringA: used in a.cpp but not in the table"),
    ("a comctl32 function, macro and class are recognised",
     {"a.cpp": "ImageList_Draw(l, 0, dc, 0, 0, ILD_NORMAL); CreateWindowExA(0, TOOLTIPS_CLASSA);"},
     [row("ImageList_Draw", "comctl32-function"), row("ILD_NORMAL", "flag")], False,
     "TOOLTIPS_CLASSA: used in a.cpp but not in the table"),
    ("a row listed twice fails",
     {"a.cpp": "f(TBM_SETPOS);"}, [row("TBM_SETPOS"), row("TBM_SETPOS")], False, "TBM_SETPOS: listed twice"),
    ("a row of the wrong form fails",
     {"a.cpp": "f(TBM_SETPOS);"}, ["TBM_SETPOS\tmessage\tcomctl32 4.00"], False, "want 11 non-empty"),
    ("'below' must say fallback or none needed",
     {"a.cpp": "f(TBM_SETPOS);"}, [row("TBM_SETPOS", "message", "works")], False, "'below' must start with"),
    ("an unknown kind fails",
     {"a.cpp": "f(TBM_SETPOS);"}, [row("TBM_SETPOS", "gadget")], False, "kind 'gadget' is not one of"),
    ("a USER32 scroll code is not taken for comctl32's",
     {"a.cpp": "f(SB_LINEUP, WM_HSCROLL, BM_SETCHECK, WC_DIALOG);"}, [], True, ""),
]


def self_test():
    bad = 0
    for what, sources, rows, passes, fault in SELF_TEST_CASES:
        table = "# made up\n" + HEADER + "\n" + "\n".join(rows) + "\n"
        faults, _ = check(sources, table, TESTS, SCENARIOS)
        ok = (not faults) == passes and (not fault or any(fault in f for f in faults))
        if not ok:
            bad += 1
            print(f"compat: self-test case '{what}' gave:", *faults or ["no fault"], sep="\n    ", file=sys.stderr)
    if bad:
        print(f"compat: self-test: {bad} of {len(SELF_TEST_CASES)} cases misbehave")
        return False
    print(f"compat: self-test: all {len(SELF_TEST_CASES)} cases behave")
    return True


def main(argv):
    if argv[1:] == ["--self-test"]:
        return 0 if self_test() else 1
    if len(argv) != 3 or argv[1] != "check":
        print(__doc__, file=sys.stderr)
        return 2
    if not self_test():
        print("compat: FAILED (the checker itself)")
        return 1
    root = pathlib.Path(argv[2])
    sources = read_tree(root, PRODUCT_FOLDERS)
    tests = read_tree(root, ("tests",))
    scenarios = (root / SCENARIO_LIST).read_text(encoding="utf-8")
    faults, counts = check(sources, (root / TABLE).read_text(encoding="utf-8"), tests, scenarios)
    for fault in faults:
        print(f"compat: {TABLE}: {fault}")
    state = "all covered" if not faults else f"{len(faults)} fault{'s' if len(faults) != 1 else ''}: FAILED"
    print(f"compat: {counts['rows']} rows, {counts['used']} identifiers used by the product, "
          f"{counts['fallbacks']} rows with a fallback, {state}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
