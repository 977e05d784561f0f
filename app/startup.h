#pragma once
// The program's start: the card check, the splash window, the main window
// and its message loop.
#include <windows.h>

// True when the driver's key could be opened with all access. Opens it
// without creating it, and closes it again.
bool ProbeCard();

// Registers the window classes and common controls the program uses.
void InitialiseWindowClasses(HINSTANCE instance);

// Dispatches messages until the main window is gone. Tab, Enter and the
// default button work as in a dialog.
void RunMessageLoop(HWND mainWindow);

// The whole program; returns the exit code: 0, also after the no-card
// message; FaultExitCode when the main window could not be made. `shown`,
// when given, runs once the main window is on screen (the timed build's
// clock).
int RunTarnwick(HINSTANCE instance, void (*shown)() = nullptr);

