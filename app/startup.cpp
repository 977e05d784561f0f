#include "app/startup.h"
#include "mainwindow/splash.h"
#include "controls/animate_click.h"
#include "controls/controls.h"
#include "driver/setting.h"
#include "mainwindow/form1.h"
#include "platform/app_title.h"
#include "platform/container.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include <commctrl.h>

namespace {
const char* const NoCardMessage = "Nem találtam Voodoo2 kártyát!";
} // namespace

bool ProbeCard()
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    return reg.OpenKey(DriverKeyPath, false);
}

void InitialiseWindowClasses(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                             ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&icc);
    RegisterContainerClasses(instance);
    TAnimateClick::RegisterClass(instance);
    TSplashForm::RegisterClass(instance);
    TForm1::RegisterClass(instance);
}

void RunMessageLoop(HWND mainWindow)
{
    MSG msg;
    while (IsWindow(mainWindow) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Enter on a push button presses that button. The dialog manager
        // would ask for the default one when the window is not active.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && IsChild(mainWindow, msg.hwnd) &&
            IsPushButton(msg.hwnd) && IsWindowEnabled(msg.hwnd)) {
            SendMessageA(msg.hwnd, BM_CLICK, 0, 0);
            continue;
        }
        if (IsDialogMessageA(mainWindow, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int RunTarnwick(HINSTANCE instance, void (*shown)())
{
    if (!ProbeCard()) {
        ShowPlainMessage(NoCardMessage);
        return 0;
    }
    InitialiseWindowClasses(instance);
    SplashForm = std::make_unique<TSplashForm>();
    SplashForm->ShowAndPaint();
    SetApplicationTitle("Tarnwick");
    TForm1 form;
    const Status created = form.Create();
    if (created.ok()) {
        form.Show();
        if (shown)
            shown();
        RunMessageLoop(form.Handle());
    }
    ReportError(created);
    FreeSplash();
    return created.ok() ? 0 : static_cast<int>(FaultExitCode);
}
