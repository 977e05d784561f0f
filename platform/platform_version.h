#pragma once
// The one place that knows which Windows and which common controls the
// program runs on. What works differently from one version to the next asks
// here by feature, and nothing else in the program asks Windows for a
// version.
//
// Wine's comctl32 behaves like the newest one whatever Windows version a
// prefix reports, so these answers are what keeps the program right on the
// comctl32 of Windows 95 OSR2 with Internet Explorer 3 (4.70), Windows 98
// (4.72), 98 SE (5.80), ME and 2000 (5.81) and XP and later (5.82; 6.0 only
// for a program whose manifest asks for it, which ours does not).
#include <windows.h>

// A comctl32 version, as DllGetVersion tells it: 4.72 is {4, 72}, 6.0 {6, 0}.
struct ComctlVersion {
    DWORD major;
    DWORD minor;
};
constexpr bool operator<(ComctlVersion a, ComctlVersion b)
{
    return a.major != b.major ? a.major < b.major : a.minor < b.minor;
}
constexpr bool operator==(ComctlVersion a, ComctlVersion b) { return a.major == b.major && a.minor == b.minor; }

// comctl32 exports DllGetVersion from 4.71 on. A DLL without it is 4.70 or
// older (Windows 95 OSR2 ships 4.00 or, with Internet Explorer 3, 4.70); the
// program treats those alike and answers 4.70 for them.
constexpr ComctlVersion Comctl470{4, 70};
constexpr ComctlVersion Comctl471{4, 71};
constexpr ComctlVersion Comctl600{6, 0};

// The version that a module's DllGetVersion reports, looked up at run time
// (Windows 95 OSR2's comctl32 has none to import); 4.70 for a module without one.
ComctlVersion VersionFromDllGetVersion(HMODULE module);
// The comctl32 this process uses.
ComctlVersion CommonControlsVersion();

// Windows NT, 2000, XP and later rather than Windows 95, 98 or ME.
bool IsWindowsNT();

// What the program uses that arrived after 4.70:
// ACM_OPEN's wParam names the module holding the clip; before, the clip is
// looked up in the module that created the control.
bool AnimateOpensFromModule();
// UDM_SETRANGE32; before, only UDM_SETRANGE and its 16-bit range.
bool HasUpDownRange32();
// TCS_FLATBUTTONS; before, button-style tabs are raised buttons.
bool HasFlatTabButtons();
// The TOOLINFOA size that this comctl32 accepts in TTM_ADDTOOLA: it refuses
// a size it does not know, and the headers' sizeof is 6.0's. TTTOOLINFOA_V1_SIZE
// for 4.70 and older, _V2_SIZE (with lParam) up to 5.8x, _V3_SIZE from 6.0.
UINT ToolInfoSize();

// Test seam: while one lives, CommonControlsVersion and the feature
// questions answer for `version`, so the in-process tests run the paths of
// every version on Wine's one comctl32.
class ScopedComctlVersionForTest {
public:
    explicit ScopedComctlVersionForTest(ComctlVersion version);
    ~ScopedComctlVersionForTest();
    ScopedComctlVersionForTest(const ScopedComctlVersionForTest&) = delete;
    ScopedComctlVersionForTest& operator=(const ScopedComctlVersionForTest&) = delete;

private:
    ComctlVersion version_;
    const ComctlVersion* previous_;
};
