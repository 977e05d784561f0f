#pragma once
// TComboBox97: a drop-down list that can draw itself flat.
//
// Flat, the box shows a thin frame and a flat arrow button while the mouse
// is elsewhere and it has no focus; it lights up (a sunken outer line and a
// raised button) while the mouse is over it or it has the focus. With Flat
// off it looks like any combo box.
//
// A combo box takes its background from its parent's WM_CTLCOLOR* answer,
// so the parent passes those messages to AnswerCtlColor (or returns
// BackgroundBrush() itself) for the list to show Color().
#include "controls/controls.h"
#include "platform/handles.h"

class TComboBox97 : public Control {
public:
    // Takes over the window procedure of an existing combo box.
    TComboBox97(HWND combo, int tag);
    ~TComboBox97() override;

    int ItemIndex() const;
    void SetItemIndex(int index);  // outside the items: no selection
    void AddItem(const std::string& text);

    bool Flat() const { return flat_; }
    void SetFlat(bool on);

    // The background of the box and of its dropped-down list. ParentColor()
    // is true while it is the parent's colour (a flat list that is disabled).
    COLORREF Color() const { return color_; }
    bool ParentColor() const { return parentColor_; }
    HBRUSH BackgroundBrush() const { return brush_.get(); }

    // For the parent's WM_CTLCOLOREDIT/LISTBOX/STATIC: when the query comes
    // from this list (the box itself or a window of it), sets up the DC,
    // puts the background brush in result and returns true.
    bool AnswerCtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) const;

    bool MouseInside() const { return mouseInside_; }
    bool Pressed() const { return pressed_; }    // the button is held down
    bool Tracking() const { return tracking_; }  // a press has dropped the list down
    int ButtonWidth() const { return buttonWidth_; }
    bool Hot() const;  // the mouse is over it or it has the focus

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT CallOld(UINT msg, WPARAM wp, LPARAM lp);

    bool Simple() const;
    RECT ButtonArea() const;  // in client coordinates
    void SetColor(COLORREF color, bool parentColor);
    void Paint(HDC given);
    void DrawFrame();
    void Repaint();
    void OnMouseMove(LPARAM lp);
    void OnEnable(bool enabling);
    void StartLeaveTracking(bool start);

    WNDPROC oldProc_ = nullptr;
    bool attached_ = false;
    bool flat_ = false;
    bool hadClientEdge_ = false;

    COLORREF color_ = 0;
    bool parentColor_ = false;
    UniqueGdi<HBRUSH> brush_;
    COLORREF savedColor_ = 0;
    bool savedParentColor_ = false;
    bool colorSwapped_ = false;  // the parent's colour stands in for the saved one

    int buttonWidth_ = 0;
    bool pressed_ = false;
    bool tracking_ = false;
    bool mouseInside_ = false;
    bool drawnHot_ = false;  // how the frame was last drawn
};
