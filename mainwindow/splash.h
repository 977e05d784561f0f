#pragma once
// TSplashForm: the borderless window with the picture and the load
// progress bar, on screen while the main window loads the settings.
#include "platform/handles.h"
#include <windows.h>
#include <memory>

class TSplashForm {
public:
    static void RegisterClass(HINSTANCE instance);
    TSplashForm();
    ~TSplashForm();
    TSplashForm(const TSplashForm&) = delete;
    TSplashForm& operator=(const TSplashForm&) = delete;

    HWND Handle() const { return hwnd_; }  // test seam: the Splash test looks at the window
    HWND ProgressBar() const { return pb_; }
    void ShowAndPaint();
    void Hide();

private:
    HWND hwnd_ = nullptr;
    HWND pb_ = nullptr;
    UniqueGdi<HBITMAP> picture_;  // freed after the window that shows it
};

// The splash window while it exists.
extern std::unique_ptr<TSplashForm> SplashForm;

// One step of the load: advance the bar by 1 of 8 and repaint it at once.
void SplashStep();
// Hides and frees the splash window, if it is still there.
void FreeSplash();
