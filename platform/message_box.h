#pragma once
// Message boxes. In-process tests replace the box itself (a modal box would
// stop them); everything up to the MessageBoxA call stays real.
#include <windows.h>
#include <string>

using MessageBoxFunction = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// Returns the previous function; pass nullptr to restore MessageBoxA.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction fn);
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// A box with the text, one OK button and no icon, captioned with the
// application's title.
void ShowPlainMessage(const std::string& text);
// The box for an error nobody caught: the application's title, the error
// icon, OK, and the message with a full stop appended when it has none.
void ShowErrorBox(const std::string& message);

// Runs an action, showing any error it raises in the error box. Every event
// handler runs inside this: no exception may leave a window procedure.
template <typename Action>
void RunGuarded(Action&& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    } catch (...) {
        ShowErrorBox("Unknown error");
    }
}
