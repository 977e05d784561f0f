#pragma once
// Steps of the scenarios that load and save: the boxes the program shows,
// working its tab strips and keyboard controls, ending it with OK.
#include "tests/e2e/app_process.h"
#include <string>

namespace e2e {

// Waits for the program's error box, checks its caption, text, icon and
// single OK button, then presses OK. False when no box came.
bool AnswerErrorBox(AppProcess& app, const std::wstring& text, const std::string& when);

// After a box at start: the main window on the Info page, the splash gone.
HWND ExpectWindowAfterLoadError(AppProcess& app);

// Clicks item `index` of a tab strip and waits until it is the selected one.
bool ClickTab(AppProcess& app, HWND tabs, int index, const std::string& what);

// Gives a control the keyboard focus, so that keys go to it as typed.
bool Focus(AppProcess& app, HWND control);
// Focuses a control and presses a key in it (WM_KEYDOWN, WM_KEYUP).
bool PressKeyIn(AppProcess& app, HWND control, UINT virtualKey);

int SliderPosition(HWND slider);
// The text a control shows, asked with WM_GETTEXT: GetWindowText does not
// ask another process's window, so it misses a list's selected item.
std::wstring ShownText(HWND control);
int ListSelection(HWND list);

// Presses OK (or Mégsem) and checks that the program ends cleanly.
void PressOkAndExpectExit(AppProcess& app, HWND main);
void PressCancelAndExpectExit(AppProcess& app, HWND main);

} // namespace e2e
