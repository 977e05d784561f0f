#include "controls/combobox97.h"

namespace {
const char* const SelfProperty = "TComboBox97";
}

TComboBox97::TComboBox97(HWND combo, int tag) : Control(combo, ControlKind::ComboBox, tag)
{
    SetPropA(combo, SelfProperty, this);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

TComboBox97::~TComboBox97()
{
    if (IsWindow(Handle())) {
        SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        RemovePropA(Handle(), SelfProperty);
    }
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

void TComboBox97::AddItem(const std::string& text)
{
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBox97::SetFlat(bool on)
{
    if (on == flat_)
        return;
    flat_ = on;
    // The 3-D border goes with the plain look.
    LONG_PTR ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    ex = on ? (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE)) : (ex | WS_EX_CLIENTEDGE);
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ex);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT CALLBACK TComboBox97::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = static_cast<TComboBox97*>(GetPropA(hwnd, SelfProperty));
    return self->HandleMessage(msg, wp, lp);
}

LRESULT TComboBox97::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    const WNDPROC old = oldProc_;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(Handle(), SelfProperty);
    }
    return CallWindowProcA(old, Handle(), msg, wp, lp);
}
