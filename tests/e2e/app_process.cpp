#include "tests/e2e/app_process.h"
#include "tests/e2e/image_check.h"

namespace e2e {

AppProcess::~AppProcess()
{
    Kill();
    if (info_.hProcess)
        CloseHandle(info_.hProcess);
    if (info_.hThread)
        CloseHandle(info_.hThread);
}

bool AppProcess::Start()
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string commandLine = "\"" + exe_ + "\"";
    QueryPerformanceCounter(&started_);
    if (!CreateProcessA(exe_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
        return false;
    CheckStartedImage(info_.hProcess, exe_, 20000);
    return true;
}

double AppProcess::MsSinceStart() const
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - started_.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

bool AppProcess::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool AppProcess::WaitExit(int timeoutMs, DWORD* exitCode)
{
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

void AppProcess::Kill()
{
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

namespace {
struct WindowSearch {
    DWORD pid;
    const char* cls;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp)
{
    auto& s = *reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (pid == s.pid && lstrcmpiA(name, s.cls) == 0 && (!s.visibleOnly || IsWindowVisible(hwnd)))
        s.found.push_back(hwnd);
    return TRUE;
}
} // namespace

std::vector<HWND> AppProcess::Windows(const char* cls, bool visibleOnly) const
{
    WindowSearch search{info_.dwProcessId, cls, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND AppProcess::TopLevel(const char* cls, bool visibleOnly) const
{
    const auto found = Windows(cls, visibleOnly);
    return found.empty() ? nullptr : found.front();
}

HWND AppProcess::WaitTopLevel(const char* cls, int timeoutMs) const
{
    HWND hwnd = nullptr;
    WaitUntil([&] { return (hwnd = TopLevel(cls)) != nullptr; }, timeoutMs);
    return hwnd;
}

std::vector<HWND> AppProcess::Dialogs() const { return Windows("#32770", true); }

HWND AppProcess::WaitDialog(int timeoutMs) const
{
    HWND hwnd = nullptr;
    WaitUntil([&] { return (hwnd = TopLevel("#32770")) != nullptr; }, timeoutMs);
    return hwnd;
}

} // namespace e2e
