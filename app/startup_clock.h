#pragma once
// The start-up benchmark's in-process clock: from WinMain to a visible main
// window. Only the timed builds (tarnwick_timed.exe, the floor yardstick)
// have it; it appends "winmain-to-visible-ms=N.NNN" to the file that
// TARNWICK_STARTUP_TIMES names. Win32 calls only, as the exe links no C
// runtime.
#include "platform/handles.h"
#include <windows.h>

namespace StartupClock {
inline LARGE_INTEGER& Started()
{
    static LARGE_INTEGER at{};
    return at;
}
inline void Start() { QueryPerformanceCounter(&Started()); }
inline void Stop()
{
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    char path[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("TARNWICK_STARTUP_TIMES", path, sizeof path) || frequency.QuadPart <= 0)
        return;
    const unsigned long long us =
        static_cast<unsigned long long>(now.QuadPart - Started().QuadPart) * 1000000ull /
        static_cast<unsigned long long>(frequency.QuadPart);
    char line[64];
    const int length = wsprintfA(line, "winmain-to-visible-ms=%lu.%03lu\n", static_cast<unsigned long>(us / 1000),
                                 static_cast<unsigned long>(us % 1000));
    UniqueKernelHandle file(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return;
    }
    DWORD written = 0;
    WriteFile(file.get(), line, static_cast<DWORD>(length), &written, nullptr);
}
} // namespace StartupClock
