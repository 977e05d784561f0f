// The exe's entry point, in place of a C runtime's start-up code: the
// program takes no arguments and reads no environment, so all it needs
// before WinMain is the FPU in its full precision and the static
// constructors run.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show);
void RunExitFunctions();

// From the linker: the constructor list, -1 first and 0 last.
extern "C" void (*__CTOR_LIST__[])();

namespace {
void RunStaticConstructors()
{
    // The linker keeps them last first, as the C runtime runs them.
    int count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (int i = count; i >= 1; --i)
        __CTOR_LIST__[i]();
}

int ShowCommand()
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : SW_SHOWDEFAULT;
}
} // namespace

// The stack may come aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup()
{
    // Windows starts a process with the x87 rounding to 53 bits; the gamma
    // arithmetic and the number texts work in the full 64 of long double.
    __asm__ volatile("fninit");
    RunStaticConstructors();
    const int code = WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), ShowCommand());
    RunExitFunctions();
    ExitProcess(static_cast<UINT>(code));
}
