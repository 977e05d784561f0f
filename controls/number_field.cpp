#include "controls/number_field.h"
#include "core/number_text.h"

NumberField::NumberField(HWND edit, HWND updown, int tag)
    : Control(edit, ControlKind::NumberField, tag), updown_(updown)
{
    Install(edit);
}

void NumberField::SetEnabled(bool on)
{
    Control::SetEnabled(on);
    EnableWindow(updown_, on ? TRUE : FALSE);
}

int32_t NumberField::Value() const
{
    int32_t value = 0;
    return TextToInt(Text(), value) ? value : 0;
}

void NumberField::SetValue(int32_t value) { SetText(IntToText(value)); }

void NumberField::Step(int delta)
{
    int64_t next = static_cast<int64_t>(Value()) + delta;
    if (next > INT32_MAX) next = INT32_MAX;
    if (next < INT32_MIN) next = INT32_MIN;
    SetValue(static_cast<int32_t>(next));
}

bool NumberField::IsAcceptedChar(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || (u < 32 && c != '\r');
}

LRESULT NumberField::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CHAR && !IsAcceptedChar(static_cast<char>(wp))) {
        MessageBeep(0);
        return 0;
    }
    return CallOriginal(msg, wp, lp);
}
