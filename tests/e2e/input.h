#pragma once
// Input for another process's windows, always posted: a sent message that
// opens a modal box would leave the driver waiting for the box to close.
#include <windows.h>

namespace e2e {

void Click(HWND hwnd, POINT clientPoint);
void DoubleClick(HWND hwnd, POINT clientPoint);
// WM_KEYDOWN, WM_CHAR (when `ch` is not 0) and WM_KEYUP for one key.
void PressKey(HWND hwnd, UINT virtualKey, wchar_t ch);
void PressButton(HWND button);

} // namespace e2e
