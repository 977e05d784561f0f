#include "controls/controls.h"
#include <commctrl.h>
#include "platform/container.h"
#include "platform/handles.h"
#include <vector>

bool IsPushButton(HWND h)
{
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    const LONG type = GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(cls, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

void Control::SetEnabled(bool on) { EnableWindow(hwnd_, on ? TRUE : FALSE); }

std::string Control::Text() const
{
    const int length = GetWindowTextLengthA(hwnd_);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd_, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void Control::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void Label::SetText(const std::string& text)
{
    Control::SetText(text);
    if (autoSize_)
        FitToText();
}

void Label::FitToText()
{
    const std::string text = Text();
    ScopedGetDC dc(Handle());
    ScopedSelectObject font(dc.get(), ProgramFont());
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool CheckBox::Checked() const
{
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool on)
{
    SendMessageA(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

int TrackBar::Position() const { return static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0)); }
// A hidden slider is drawn whole when it is shown again: asking it to
// redraw now would only invalidate what nobody sees.
BOOL TrackBar::Redraw() const { return IsWindowVisible(Handle()); }
void TrackBar::SetPosition(int pos) { SendMessageA(Handle(), TBM_SETPOS, Redraw(), pos); }
void TrackBar::SetSelStart(int v) { SendMessageA(Handle(), TBM_SETSELSTART, Redraw(), v); }
void TrackBar::SetSelEnd(int v) { SendMessageA(Handle(), TBM_SETSELEND, Redraw(), v); }

void ProgressBar::SetMax(int max)
{
    const int min = static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, TRUE, 0));
    SendMessageA(Handle(), PBM_SETRANGE32, min, max);
}
void ProgressBar::SetPosition(int pos) { SendMessageA(Handle(), PBM_SETPOS, pos, 0); }

int TabControl::TabIndex() const { return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)); }
void TabControl::SetTabIndex(int index) { SendMessageA(Handle(), TCM_SETCURSEL, index, 0); }

LRESULT TabControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    // Its own notifications go to its parent the usual way.
    bool fromChild = reinterpret_cast<HWND>(lp) != Handle();
    if (msg == WM_NOTIFY) {
        HWND from = reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
        fromChild = from != Handle() && GetParent(from) == Handle();
    }
    LRESULT forwarded = 0;
    if (fromChild && ForwardToTopLevel(Handle(), msg, wp, lp, forwarded))
        return forwarded;
    return CallOriginal(msg, wp, lp);
}

void Container::SetEnabled(bool on)
{
    Control::SetEnabled(on);
    InvalidateRect(Handle(), nullptr, TRUE);
}
