#pragma once
// The program under test as a child process, and its top-level windows.
#include <windows.h>
#include <string>
#include <vector>

namespace e2e {

// Polls `done` every `stepMs` until it holds or `timeoutMs` passes.
template <typename F> bool WaitUntil(F done, int timeoutMs, int stepMs = 10)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs)
            return false;
        Sleep(stepMs);
    }
}

class AppProcess {
public:
    explicit AppProcess(std::string exe) : exe_(std::move(exe)) {}
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool Start();
    HANDLE Handle() const { return info_.hProcess; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    // Milliseconds since just before CreateProcess, from the performance counter.
    double MsSinceStart() const;

    bool Running() const;
    // Waits for the process to end; false when it is still running.
    bool WaitExit(int timeoutMs, DWORD* exitCode);
    void Kill();

    // The process's first top-level window of this class, or null.
    HWND TopLevel(const char* cls, bool visibleOnly = true) const;
    HWND WaitTopLevel(const char* cls, int timeoutMs) const;
    // Its visible message boxes and other dialog boxes (class #32770).
    std::vector<HWND> Dialogs() const;
    HWND WaitDialog(int timeoutMs) const;

private:
    std::vector<HWND> Windows(const char* cls, bool visibleOnly) const;

    std::string exe_;
    PROCESS_INFORMATION info_{};
    LARGE_INTEGER started_{};
};

} // namespace e2e
