#pragma once
// An integer edit field with up/down buttons: the buttons and the Up and
// Down keys step it by 1, without bounds; typed characters other than
// digits, signs, "." and control characters (Enter excepted) are refused
// with the default beep.
#include "controls/controls.h"
#include "controls/subclass.h"
#include <cstdint>

class NumberField : public Control, public Subclass {
public:
    NumberField(HWND edit, HWND updown, int tag);

    void SetEnabled(bool on) override;

    // The text as a signed 32-bit integer; 0 when it is not one.
    int32_t Value() const;
    void SetValue(int32_t value);
    // The up/down buttons' request to step by delta.
    void Step(int delta);

    static bool IsAcceptedChar(char c);

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    HWND updown_;
};
