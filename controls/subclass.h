#pragma once
// How a control object takes over the window procedure of its window.
//
// Install puts WindowProc in the window's place and keeps the object, which
// holds the procedure it replaced, under one window property. Every message
// then goes to the object's OnMessage; what it leaves alone it passes on
// with CallOriginal. At WM_NCDESTROY the old procedure and the property go
// back before the window's own handling of it; an object that goes first
// puts them back in its destructor.
#include <windows.h>

class Subclass {
public:
    Subclass() = default;
    virtual ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // The object installed on a window, or null.
    static Subclass* Of(HWND hwnd);

    // A WM_CTLCOLOR* query from the window named by from: sets up dc and
    // gives the background brush, or null to leave the colours to the parent.
    virtual HBRUSH CtlColor(UINT msg, HDC dc, HWND from) const;

protected:
    void Install(HWND hwnd);
    // The window lives and its messages come through this object.
    bool Installed() const { return hwnd_ != nullptr; }
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT CallOriginal(UINT msg, WPARAM wp, LPARAM lp) const;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void Uninstall();

    HWND hwnd_ = nullptr;  // null once the window has let go of the object
    WNDPROC original_ = nullptr;
};

// For a parent's WM_CTLCOLOR*: hands the query back to the control that
// asked (the window named by lp). True with the brush in result when that
// control gave its own colours.
bool ReflectCtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
