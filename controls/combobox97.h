#pragma once
// TComboBox97: a drop-down list that can draw itself flat.
//
// Flat, the box shows a thin frame and a flat arrow button while the mouse
// is elsewhere and it has no focus; it lights up (a sunken outer line and a
// raised button) while the mouse is over it or it has the focus. With Flat
// off it looks like any combo box.
//
// A combo box takes its background from its parent's WM_CTLCOLOR* answer,
// so the parent hands those queries back with ReflectCtlColor for the list
// to show its own.
#include "controls/controls.h"
#include "controls/subclass.h"
#include "platform/handles.h"

class TComboBox97 : public Control, public Subclass {
public:
    // Takes over the window procedure of an existing drop-down list
    // (CBS_DROPDOWNLIST).
    TComboBox97(HWND combo, int tag);
    ~TComboBox97() override;

    int ItemIndex() const;
    void SetItemIndex(int index);  // outside the items: no selection

    void SetFlat(bool on);

    // WM_CTLCOLOREDIT/LISTBOX/STATIC from the box.
    HBRUSH CtlColor(UINT msg, HDC dc, HWND from) const override;

    bool Hot() const;  // the mouse is over it or it has the focus

    // Test seam: the state the look is drawn from, which the in-process
    // tests read; the program itself never asks. The background of the
    // box: ParentColor() is true while it is the parent's colour (a flat
    // list that is disabled).
    COLORREF Color() const { return color_; }
    bool ParentColor() const { return parentColor_; }
    HBRUSH BackgroundBrush() const { return brush_.get(); }
    bool MouseInside() const { return mouseInside_; }
    bool Pressed() const { return pressed_; }    // the button is held down
    bool Tracking() const { return tracking_; }  // a press has dropped the list down
    int ButtonWidth() const { return buttonWidth_; }

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    RECT ButtonArea() const;  // in client coordinates
    void SetColor(COLORREF color);
    void Paint(HDC given);
    void DrawFrame();
    void Repaint();
    void OnMouseMove(LPARAM lp);
    void OnEnable(bool enabling);
    void StartLeaveTracking(bool start);

    bool flat_ = false;
    bool hadClientEdge_ = false;

    COLORREF ownColor_ = 0;  // the window colour when the list was made
    COLORREF color_ = 0;
    bool parentColor_ = false;
    UniqueGdi<HBRUSH> brush_;

    int buttonWidth_ = 0;
    bool pressed_ = false;
    bool tracking_ = false;
    bool mouseInside_ = false;
    bool drawnHot_ = false;  // how the frame was last drawn
};
