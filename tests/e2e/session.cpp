#include "tests/e2e/session.h"
#include "mainwindow/control_ids.h"
#include "tests/e2e/checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/ui_probe.h"
#include <commctrl.h>

namespace e2e {

HWND OpenMainWindow(AppProcess& app)
{
    if (!CHECK(app.Start(), "tarnwick.exe starts"))
        return nullptr;
    HWND main = app.WaitTopLevel(TARNWICK_MAIN_CLASS, WindowTimeoutMs);
    if (!main)
        for (HWND box : app.Dialogs())
            Note("instead, a box: " + Describe(ReadMessageBox(box)));
    CHECK(main != nullptr, "main window (" TARNWICK_MAIN_CLASS ") becomes visible");
    return main;
}

int ActivePage(HWND main)
{
    return static_cast<int>(Ask(ChildById(main, id::PageControl1), TCM_GETCURSEL, 0, 0));
}

int VisiblePage(HWND main)
{
    int shown = -1;
    for (int page = 0; page < PageCount; ++page) {
        if (!IsWindowVisible(ChildById(main, id::TabSheet1 + page)))
            continue;
        if (shown >= 0)
            return -1;
        shown = page;
    }
    return shown;
}

bool SwitchPage(AppProcess& app, HWND main, int index)
{
    HWND tabs = ChildById(main, id::PageControl1);
    const RECT tab = TabItemRect(app.Handle(), tabs, index);
    Click(tabs, POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    const bool switched =
        WaitUntil([&] { return ActivePage(main) == index && VisiblePage(main) == index; }, ReactMs);
    return Record(switched, "tab " + std::to_string(index + 1) + " click shows page " +
                                std::to_string(index + 1),
                  "active tab " + std::to_string(ActivePage(main)) + ", visible page " +
                      std::to_string(VisiblePage(main)),
                  __LINE__);
}

void ExpectCleanExit(AppProcess& app, const char* after)
{
    DWORD code = 0;
    const bool ended = app.WaitExit(ExitTimeoutMs, &code);
    if (!ended)
        for (HWND box : app.Dialogs())
            Note("still open: " + Describe(ReadMessageBox(box)));
    if (CHECK(ended, std::string("program ends after ") + after))
        CHECK_EQ(static_cast<long long>(code), 0LL, "exit code");
    app.Kill();
}

bool DismissMessageBox(HWND box)
{
    PressButton(GetDlgItem(box, IDOK));
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, ReactMs);
}

std::vector<uint32_t> Grab(HWND hwnd) { return GrabScreen(ClientRectOnScreen(hwnd)); }

bool WaitForPictureChange(HWND hwnd, int timeoutMs)
{
    const auto first = Grab(hwnd);
    return WaitUntil([&] { return Grab(hwnd) != first; }, timeoutMs, 40);
}

bool WaitForStillPicture(HWND hwnd, int stillMs, int timeoutMs)
{
    auto last = Grab(hwnd);
    DWORD since = GetTickCount();
    return WaitUntil(
        [&] {
            auto now = Grab(hwnd);
            if (now != last) {
                last = std::move(now);
                since = GetTickCount();
            }
            return static_cast<int>(GetTickCount() - since) >= stillMs;
        },
        timeoutMs, 40);
}

void MoveMouseTo(POINT screen)
{
    // Through the input queue, as a real mouse moves, so the window under
    // the pointer hears of it.
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<DWORD>(screen.x * 65535 / (cx - 1)),
                static_cast<DWORD>(screen.y * 65535 / (cy - 1)), 0, 0);
    SetCursorPos(screen.x, screen.y);
    Sleep(50);
}

POINT ScreenCentreOf(HWND hwnd)
{
    const RECT rc = ClientRectOnScreen(hwnd);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void InjectDoubleClick(HWND hwnd)
{
    MoveMouseTo(ScreenCentreOf(hwnd));
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    Sleep(50);
    ParkMouse();
}

void ParkMouse()
{
    // Bottom right of the screen: over no window, so no hint pops up and no
    // tab lights up under it.
    MoveMouseTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
}

} // namespace e2e
