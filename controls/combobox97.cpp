#include "controls/combobox97.h"
#include <commctrl.h>

namespace {

// The strip at the right of the client area that the flat look paints
// itself: the arrow button and a few pixels of margin left of it.
constexpr int ButtonMargin = 4;

RECT ClientRect(HWND hwnd)
{
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return rc;
}

} // namespace

TComboBox97::TComboBox97(HWND combo, int tag)
    : Control(combo, ControlKind::ComboBox, tag),
      hadClientEdge_((GetWindowLongPtrA(combo, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0),
      ownColor_(GetSysColor(COLOR_WINDOW)), buttonWidth_(GetSystemMetrics(SM_CXVSCROLL) + 2)
{
    SetColor(ownColor_);
    Install(combo);
}

TComboBox97::~TComboBox97()
{
    if (mouseInside_ && Installed())
        StartLeaveTracking(false);
}

int TComboBox97::ItemIndex() const
{
    return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox97::SetItemIndex(int index)
{
    const int count = static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
    SendMessageA(Handle(), CB_SETCURSEL, (index >= 0 && index < count) ? index : -1, 0);
}

void TComboBox97::SetFlat(bool on)
{
    if (on == flat_)
        return;
    flat_ = on;
    drawnHot_ = false;
    // A combo box draws its sunken border inside its client area; the flat
    // frame is painted over it. A client edge would put a second border
    // outside, so it goes while flat and comes back only if it was there.
    const LONG_PTR ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    LONG_PTR wanted = ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (!on && hadClientEdge_)
        wanted |= WS_EX_CLIENTEDGE;
    if (wanted != ex) {
        SetWindowLongPtrA(Handle(), GWL_EXSTYLE, wanted);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    Repaint();
}

HBRUSH TComboBox97::CtlColor(UINT msg, HDC dc, HWND from) const
{
    if (msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORLISTBOX && msg != WM_CTLCOLORSTATIC)
        return nullptr;
    // The dropped-down list is not the box's child (GetParent does not name
    // the box) and keeps the system's colours: it drops only while the box
    // is enabled, when they are the box's own.
    if (from != Handle())
        return nullptr;
    SetBkColor(dc, color_);
    SetTextColor(dc, GetSysColor(Enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return brush_.get();
}

bool TComboBox97::Hot() const
{
    if (mouseInside_)
        return true;
    HWND focus = GetFocus();
    return focus && (focus == Handle() || IsChild(Handle(), focus));
}

RECT TComboBox97::ButtonArea() const
{
    RECT rc = ClientRect(Handle());
    rc.left = rc.right - buttonWidth_;
    return rc;
}

void TComboBox97::SetColor(COLORREF color)
{
    if (brush_ && color == color_)
        return;
    color_ = color;
    brush_.reset(CreateSolidBrush(color));
}

void TComboBox97::Repaint()
{
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TComboBox97::StartLeaveTracking(bool start)
{
    // The comctl32 entry point: it works on every Windows the program runs on.
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = start ? TME_LEAVE : (TME_LEAVE | TME_CANCEL);
    tme.hwndTrack = Handle();
    _TrackMouseEvent(&tme);
}

void TComboBox97::Paint(HDC given)
{
    const RECT client = ClientRect(Handle());
    auto paintOn = [&](HDC dc) {
        const int saved = SaveDC(dc);
        FillRect(dc, &client, brush_.get());
        RECT button = ButtonArea();
        InflateRect(&button, -1, -1);
        DrawFrameControl(dc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | DFCS_FLAT | (Enabled() ? 0 : DFCS_INACTIVE));
        // Keep the box from painting its own button over ours.
        ExcludeClipRect(dc, client.right - buttonWidth_ - ButtonMargin, 0, client.right,
                        client.bottom);
        CallOriginal(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    };
    if (given) {
        paintOn(given);
    } else {
        ScopedPaint paint(Handle());
        paintOn(paint.dc());
    }
    DrawFrame();
}

void TComboBox97::DrawFrame()
{
    if (!flat_)
        return;
    ScopedGetDC dc(Handle(), true);
    if (!dc.get())
        return;
    RECT window{};
    GetWindowRect(Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(Handle(), &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;  // client area in the window
    const RECT client = ClientRect(Handle());
    const int cw = client.right, ch = client.bottom;
    RECT r{0, 0, window.right - window.left, window.bottom - window.top};

    UniqueGdi<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    UniqueGdi<HBRUSH> background(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    const bool hot = Hot();

    // Outer border: a sunken line when hot, button face when not, then the
    // window colour inside it.
    if (hot) {
        DrawEdge(dc.get(), &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameRect(dc.get(), &r, face.get());
    } else {
        FrameRect(dc.get(), &r, face.get());
        InflateRect(&r, -1, -1);
        FrameRect(dc.get(), &r, face.get());
    }
    InflateRect(&r, -1, -1);
    FrameRect(dc.get(), &r, background.get());

    // The button: raised (flat while held down) when hot, its edge hidden
    // under button face when not. The arrow inside is left alone.
    ExcludeClipRect(dc.get(), dx + cw - buttonWidth_ + 4, dy + 4, dx + cw - 4, dy + ch - 4);
    RECT b{dx + cw - buttonWidth_ - 2, dy, dx + cw, dy + ch};
    InflateRect(&b, -2, -2);
    if (hot) {
        DrawEdge(dc.get(), &b, EDGE_RAISED, BF_RECT | (pressed_ ? BF_FLAT : 0));
    } else {
        InflateRect(&b, -1, -1);
        FillRect(dc.get(), &b, face.get());
    }

    // The raised edge reaches a pixel beyond what the plain look covers;
    // repaint the button strip so none of it stays behind.
    if (drawnHot_ && !hot) {
        RECT strip{cw - buttonWidth_ - ButtonMargin, 0, cw, ch};
        InvalidateRect(Handle(), &strip, FALSE);
    }
    drawnHot_ = hot;
}

void TComboBox97::OnMouseMove(LPARAM lp)
{
    const POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    // While the box holds the mouse it also hears of moves outside itself.
    const RECT client = ClientRect(Handle());
    if (!mouseInside_ && Enabled() && PtInRect(&client, pt)) {
        mouseInside_ = true;
        StartLeaveTracking(true);
        DrawFrame();
    }
    if (tracking_ && pressed_) {
        const RECT button = ButtonArea();
        if (!PtInRect(&button, pt)) {
            pressed_ = false;
            DrawFrame();
        }
    }
}

void TComboBox97::OnEnable(bool enabling)
{
    bool changed = false;
    if (!enabling) {
        // A disabled window hears nothing of the mouse; start afresh when
        // it is enabled again.
        if (mouseInside_) {
            StartLeaveTracking(false);
            mouseInside_ = false;
        }
        pressed_ = false;
    }
    if (enabling && parentColor_) {
        SetColor(ownColor_);
        parentColor_ = false;
        changed = true;
    } else if (!enabling && flat_) {
        SetColor(GetSysColor(COLOR_BTNFACE));
        parentColor_ = true;
        changed = true;
    }
    if (flat_ || changed)
        Repaint();
}

LRESULT TComboBox97::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT:
        if (!flat_)
            break;
        Paint(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = CallOriginal(msg, wp, lp);
        DrawFrame();
        return result;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(lp);
        break;
    case WM_MOUSELEAVE:
        // The leave ends the tracking, so the flag goes even while disabled.
        if (mouseInside_) {
            mouseInside_ = false;
            DrawFrame();
        }
        break;
    case WM_LBUTTONDOWN: {
        const LRESULT result = CallOriginal(msg, wp, lp);
        if (SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0)) {
            pressed_ = true;
            tracking_ = true;
            Repaint();
        }
        return result;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        // The button comes up with the mouse, and cannot stay down once the
        // box has lost it.
        if (pressed_) {
            pressed_ = false;
            DrawFrame();
        }
        break;
    case WM_ENABLE: {
        const LRESULT result = CallOriginal(msg, wp, lp);
        OnEnable(wp != FALSE);
        return result;
    }
    default:
        break;
    }
    return CallOriginal(msg, wp, lp);
}
