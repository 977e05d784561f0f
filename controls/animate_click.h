#pragma once
// TAnimateClick: the system animation control, plus a double-click event.
// It opens its clip from a module's "AVI" resource when first played. Its
// window class is the system one with double-clicks and a black background.
#include "controls/controls.h"
#include "controls/subclass.h"
#include "core/error.h"
#include <functional>

class TAnimateClick : public Control, public Subclass {
public:
    static void RegisterClass(HINSTANCE instance);
    static HWND Create(HWND parent, int id, int x, int y, int w, int h);

    explicit TAnimateClick(HWND hwnd);

    void SetOnDblClick(std::function<void(Control&)> handler) { onDblClick_ = std::move(handler); }
    void SetResId(int resId) { resId_ = resId; }
    void SetResHandle(HMODULE module) { resHandle_ = module; }

    // Plays the clip once from its first frame; fails with "Cannot open AVI"
    // when the clip cannot be opened.
    Status Play();
    bool Playing() const { return playing_; }
    void Stop();
    void Close();
    // The control's ACN_START / ACN_STOP notifications, passed on by the window.
    void OnNotifyCode(int code);

    // Black behind the clip, where the system control asks its parent.
    HBRUSH CtlColor(UINT msg, HDC dc, HWND from) const override;

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    std::function<void(Control&)> onDblClick_;
    int resId_ = 0;
    HMODULE resHandle_ = nullptr;
    bool open_ = false;
    bool playing_ = false;
};

// The window class RegisterClass makes ("TAnimateClick"). Test seam: a test
// unregisters it to make a control that cannot be created.
extern const char* const AnimateClickClassName;
