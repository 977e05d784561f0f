#include "controls/animate_click.h"
#include "core/error_text.h"
#include "platform/child_id.h"
#include <commctrl.h>

const char* const AnimateClickClassName = "TAnimateClick";

void TAnimateClick::RegisterClass(HINSTANCE instance)
{
    // A superclass of the system control: the same, but with double-clicks.
    WNDCLASSA wc{};
    GetClassInfoA(nullptr, ANIMATE_CLASSA, &wc);
    wc.hInstance = instance;
    wc.style |= CS_DBLCLKS;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = AnimateClickClassName;
    ::RegisterClassA(&wc);
}

HWND TAnimateClick::Create(HWND parent, int id, int x, int y, int w, int h)
{
    return CreateWindowExA(0, AnimateClickClassName, "",
                           WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT, x, y, w, h,
                           parent, ChildId(id),
                           GetModuleHandleA(nullptr), nullptr);
}

TAnimateClick::TAnimateClick(HWND hwnd) : Control(hwnd, ControlKind::Animate, 0)
{
    Install(hwnd);
}

Status TAnimateClick::Play()
{
    if (!open_) {
        const BOOL opened = static_cast<BOOL>(SendMessageA(
            Handle(), ACM_OPENA, reinterpret_cast<WPARAM>(resHandle_),
            reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(resId_))));
        if (!opened)
            return Fail(errtext::CannotOpenAvi);
        open_ = true;
    }
    playing_ = true;
    if (!SendMessageA(Handle(), ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF)))
        playing_ = false;
    return Status();
}

void TAnimateClick::Stop()
{
    if (open_)
        SendMessageA(Handle(), ACM_STOP, 0, 0);
    playing_ = false;
}

void TAnimateClick::Close()
{
    if (open_)
        SendMessageA(Handle(), ACM_OPENA, 0, 0);
    open_ = false;
    playing_ = false;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TAnimateClick::OnNotifyCode(int code)
{
    if (code == ACN_START)
        playing_ = true;
    else if (code == ACN_STOP)
        playing_ = false;
}

HBRUSH TAnimateClick::CtlColor(UINT msg, HDC dc, HWND from) const
{
    if (msg != WM_CTLCOLORSTATIC || from != Handle())
        return nullptr;
    SetBkColor(dc, RGB(0, 0, 0));
    return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

LRESULT TAnimateClick::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    // The system control lets the mouse through to its parent; ours takes
    // it, or neither the double-click nor the hint would ever arrive.
    if (msg == WM_NCHITTEST)
        return HTCLIENT;
    if (msg == WM_LBUTTONDBLCLK) {
        // Goes no further: neither the system control nor DefWindowProc see it.
        if (onDblClick_)
            onDblClick_(*this);
        return 0;
    }
    if (msg == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(Handle(), &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    return CallOriginal(msg, wp, lp);
}
