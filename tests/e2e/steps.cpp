#include "tests/e2e/steps.h"
#include "mainwindow/control_ids.h"
#include "tests/e2e/checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/session.h"
#include "tests/e2e/ui_probe.h"
#include <commctrl.h>

namespace e2e {

bool AnswerErrorBox(AppProcess& app, const std::wstring& text, const std::string& when)
{
    HWND box = app.WaitDialog(WindowTimeoutMs);
    if (!CHECK(box != nullptr, "error box " + when))
        return false;
    const MessageBoxView view = ReadMessageBox(box);
    CHECK_EQ(view.text, text, "error box text " + when);
    CHECK_EQ(view.caption, std::wstring(L"Tarnwick"), "error box caption " + when);
    CHECK(view.icon && view.buttonIds == std::vector<int>{IDOK},
          "error icon and one OK button " + when + ": " + Describe(view));
    return CHECK(DismissMessageBox(box), "OK closes the error box " + when);
}

HWND ExpectWindowAfterLoadError(AppProcess& app)
{
    HWND main = app.WaitTopLevel(TARNWICK_MAIN_CLASS, WindowTimeoutMs);
    if (!CHECK(main != nullptr, "main window opens after the box"))
        return nullptr;
    CHECK(ActivePage(main) == 0 && VisiblePage(main) == 0, "it shows the Info page");
    CHECK(!app.TopLevel(TARNWICK_SPLASH_CLASS, false), "splash gone");
    CHECK(!app.WaitDialog(SettleMs), "no second box");
    return main;
}

bool ClickTab(AppProcess& app, HWND tabs, int index, const std::string& what)
{
    const RECT tab = TabItemRect(app.Handle(), tabs, index);
    Click(tabs, POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    return CHECK(WaitUntil([&] { return Ask(tabs, TCM_GETCURSEL, 0, 0) == index; }, ReactMs),
                 "click selects the " + what + " tab");
}

bool Focus(AppProcess& app, HWND control)
{
    // Keyboard focus belongs to a thread's input state; sharing the
    // program's for a moment lets SetFocus act on its window.
    const DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, app.ThreadId(), TRUE);
    SetFocus(control);
    AttachThreadInput(self, app.ThreadId(), FALSE);
    return WaitUntil([&] { return FocusOf(app.ThreadId()) == control; }, ReactMs);
}

bool PressKeyIn(AppProcess& app, HWND control, UINT virtualKey)
{
    if (!CHECK(Focus(app, control), "control " + std::to_string(GetDlgCtrlID(control)) + " takes the focus"))
        return false;
    PressKey(control, virtualKey, 0);
    return true;
}

int SliderPosition(HWND slider) { return static_cast<int>(Ask(slider, TBM_GETPOS, 0, 0)); }

std::wstring ShownText(HWND control)
{
    wchar_t text[256] = {};
    Ask(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

int ListSelection(HWND list) { return static_cast<int>(Ask(list, CB_GETCURSEL, 0, 0)); }

void PressOkAndExpectExit(AppProcess& app, HWND main)
{
    PressButton(ChildById(main, id::Button1));
    ExpectCleanExit(app, "OK");
}

void PressCancelAndExpectExit(AppProcess& app, HWND main)
{
    PressButton(ChildById(main, id::Button2));
    ExpectCleanExit(app, "Megsem");
}

} // namespace e2e
