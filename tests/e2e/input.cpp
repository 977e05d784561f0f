#include "tests/e2e/input.h"

namespace e2e {
namespace {
LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

LPARAM KeyData(UINT virtualKey, bool up)
{
    const UINT scan = MapVirtualKeyA(virtualKey, 0);
    return 1 | (static_cast<LPARAM>(scan) << 16) | (up ? (3L << 30) : 0);
}
} // namespace

void Click(HWND hwnd, POINT p)
{
    PostMessageA(hwnd, WM_MOUSEMOVE, 0, At(p));
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(p));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, At(p));
}

void DoubleClick(HWND hwnd, POINT p)
{
    // What a double-click brings a window whose class has CS_DBLCLKS.
    Click(hwnd, p);
    PostMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(p));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, At(p));
}

void PressKey(HWND hwnd, UINT virtualKey, wchar_t ch)
{
    PostMessageW(hwnd, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
    if (ch)
        PostMessageW(hwnd, WM_CHAR, ch, KeyData(virtualKey, false));
    PostMessageW(hwnd, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

void PressButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

} // namespace e2e
