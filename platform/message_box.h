#pragma once
// Message boxes. In-process tests replace the box itself (a modal box would
// stop them); everything up to the MessageBoxA call stays real.
#include "core/error.h"
#include <windows.h>
#include <string>

using MessageBoxFunction = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// Test seam: the in-process tests record the boxes instead of showing them.
// Returns the previous function; pass nullptr to restore MessageBoxA.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction fn);
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// A box with the text, one OK button and no icon, captioned with the
// application's title.
void ShowPlainMessage(const std::string& text);
// The box for an error nobody caught: the application's title, the error
// icon, OK, and the message with a full stop appended when it has none.
void ShowErrorBox(const std::string& message);

// The end of every event handler's error: a failure is shown in the error
// box, and the handler's action has ended at the step that failed.
void ReportError(const Status& status);

// The exit code of a run that a fault of the program ended: an internal
// fault, or a main window that could not be made. Every other end, the
// no-card message among them, gives 0.
constexpr unsigned FaultExitCode = 3;

// For a fault of the program itself, which no user action can mend: shows
// the error box and ends the process with FaultExitCode.
[[noreturn]] void EndWithError(const std::string& message);
