#pragma once
// Thin wrappers over the HWND controls of the main window, with the
// operations the handlers use. Setting a value from code raises no change
// notification, with one exception: an edit field sends EN_CHANGE for any
// new text, its own SetWindowText included, so NumberField's SetValue and
// Step do too.
#include "controls/control_kind.h"
#include "controls/subclass.h"
#include <windows.h>
#include <string>

// A BUTTON window of the push-button kind (default or not).
bool IsPushButton(HWND hwnd);

class Control {
public:
    Control(HWND hwnd, ControlKind kind, int tag) : hwnd_(hwnd), kind_(kind), tag_(tag) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return hwnd_; }
    ControlKind Kind() const { return kind_; }
    int Tag() const { return tag_; }

    bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    virtual void SetEnabled(bool on);
    std::string Text() const;
    virtual void SetText(const std::string& text);

private:
    HWND hwnd_;
    ControlKind kind_;
    int tag_;
};

class Label : public Control {
public:
    Label(HWND h, int tag, bool autoSize = false)
        : Control(h, ControlKind::Label, tag), autoSize_(autoSize) {}
    // An auto-sized label fits itself to each new text.
    void SetText(const std::string& text) override;
    void FitToText();

private:
    bool autoSize_;
};

class CheckBox : public Control {
public:
    CheckBox(HWND h, int tag) : Control(h, ControlKind::CheckBox, tag) {}
    bool Checked() const;
    void SetChecked(bool on);
};

class TrackBar : public Control {
public:
    TrackBar(HWND h, int tag) : Control(h, ControlKind::TrackBar, tag) {}
    int Position() const;
    void SetPosition(int pos);  // clamped by the control into its range
    void SetSelStart(int v);
    void SetSelEnd(int v);

private:
    BOOL Redraw() const;
};

class ProgressBar : public Control {
public:
    ProgressBar(HWND h, int tag) : Control(h, ControlKind::ProgressBar, tag) {}
    void SetMax(int max);
    void SetPosition(int pos);
};

// A tab control passes what it hears from the windows placed on it (its
// pages) on to the top-level window, as a container does.
class TabControl : public Control, public Subclass {
public:
    TabControl(HWND h, int tag) : Control(h, ControlKind::TabControl, tag) { Install(h); }
    int TabIndex() const;
    void SetTabIndex(int index);

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

class PaintBox : public Control {
public:
    PaintBox(HWND h, int tag) : Control(h, ControlKind::PaintBox, tag) {}
};

// Group boxes, pages, panels: windows that hold other controls.
class Container : public Control {
public:
    Container(HWND h, int tag) : Control(h, ControlKind::Container, tag) {}
    void SetEnabled(bool on) override;  // also repaints the caption's look
};
