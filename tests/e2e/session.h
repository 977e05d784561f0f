#pragma once
// Steps most scenarios share: open the program up to its main window, switch
// pages as a user does, close it and check how it ended.
#include "tests/e2e/app_process.h"
#include <cstdint>
#include <vector>

namespace e2e {

constexpr int WindowTimeoutMs = 20000;
constexpr int ExitTimeoutMs = 10000;
constexpr int PageCount = 5;
// How long a posted message may take to be handled, when nothing shows that it was.
constexpr int SettleMs = 500;

// Starts the program and waits for its visible main window; null (after a
// failed check) when it does not come.
HWND OpenMainWindow(AppProcess& app);

// Clicks the page's tab and waits until that page is the one shown.
bool SwitchPage(AppProcess& app, HWND main, int index);
int ActivePage(HWND main);
int VisiblePage(HWND main);  // the one page window shown, -1 for none or several

// Checks that the program ends by itself with exit code 0.
void ExpectCleanExit(AppProcess& app, const char* after);
// Presses the OK button of the message box and waits for it to go.
bool DismissMessageBox(HWND box);

// The pixels shown in a window's client area.
std::vector<uint32_t> Grab(HWND hwnd);
bool WaitForPictureChange(HWND hwnd, int timeoutMs);
bool WaitForStillPicture(HWND hwnd, int stillMs, int timeoutMs);

// A real double-click at the window's centre, through the system's input
// queue, so it goes wherever hit-testing sends it.
void InjectDoubleClick(HWND hwnd);
void MoveMouseTo(POINT screen);
POINT ScreenCentreOf(HWND hwnd);
void ParkMouse();

} // namespace e2e
