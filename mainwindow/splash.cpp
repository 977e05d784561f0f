#include "mainwindow/splash.h"
#include "mainwindow/control_ids.h"
#include "platform/child_id.h"
#include "platform/container.h"
#include <commctrl.h>

std::unique_ptr<TSplashForm> SplashForm;

namespace {
constexpr int Width = 317, Height = 199;

LRESULT CALLBACK SplashProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(hwnd, msg, wp, lp);
}
} // namespace

void TSplashForm::RegisterClass(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = SplashProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = TARNWICK_SPLASH_CLASS;
    ::RegisterClassA(&wc);
}

TSplashForm::TSplashForm()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    // Centred on the screen; a tool window, so it has no task-bar button.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - Width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - Height) / 2;
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, TARNWICK_SPLASH_CLASS, "", WS_POPUP, x, y, Width,
                            Height, nullptr, nullptr, instance, nullptr);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFont()), FALSE);
    // The bar lies over the picture: made first, it stays above it.
    pb_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | PBS_SMOOTH,
                          30, 176, 257, 10, hwnd_,
                          ChildId(id::pb), instance, nullptr);
    SendMessageA(pb_, PBM_SETRANGE32, 0, 8);
    SendMessageA(pb_, PBM_SETSTEP, 1, 0);
    picture_.reset(static_cast<HBITMAP>(LoadImageA(instance, "SPLASH", IMAGE_BITMAP, 0, 0, 0)));
    HWND image = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_BITMAP,
                                 0, 0, Width, Height, hwnd_,
                                 ChildId(id::Image1), instance,
                                 nullptr);
    SendMessageA(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
}

TSplashForm::~TSplashForm()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void TSplashForm::ShowAndPaint()
{
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
}

void TSplashForm::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void SplashStep()
{
    if (!SplashForm)
        return;
    SendMessageA(SplashForm->ProgressBar(), PBM_STEPIT, 0, 0);
    // No message loop runs during the load: paint now.
    RedrawWindow(SplashForm->ProgressBar(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void FreeSplash()
{
    if (!SplashForm)
        return;
    SplashForm->Hide();
    SplashForm.reset();
}
