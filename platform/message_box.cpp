#include "platform/message_box.h"
#include <utility>
#include "platform/app_title.h"
#include "core/error_text.h"

namespace {
MessageBoxFunction g_messageBox = nullptr;

HWND ActiveOwner()
{
    // The error box belongs to the window the user is working in, so it
    // stays in front of it and blocks it while open.
    HWND active = GetActiveWindow();
    return active && IsWindowVisible(active) ? active : nullptr;
}
} // namespace

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction fn)
{
    return std::exchange(g_messageBox, fn);
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    if (g_messageBox)
        return g_messageBox(owner, text.c_str(), caption.c_str(), type);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

void ShowPlainMessage(const std::string& text)
{
    ShowMessageBox(nullptr, text, ApplicationTitle(), MB_OK);
}

void ShowErrorBox(const std::string& message)
{
    ShowMessageBox(ActiveOwner(), ErrorBoxText(message), ApplicationTitle(), MB_OK | MB_ICONERROR);
}

void ReportError(const Status& status)
{
    if (!status.ok())
        ShowErrorBox(status.Message());
}

void EndWithError(const std::string& message)
{
    ShowErrorBox(message);
    ExitProcess(FaultExitCode);
}
