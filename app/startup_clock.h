#pragma once
// The start-up benchmark's in-process clock: from WinMain to a visible main
// window. Only the timed builds (tarnwick_timed.exe, the floor yardstick)
// have it; it appends "winmain-to-visible-ms=N" to the file that
// TARNWICK_STARTUP_TIMES names.
#include <windows.h>
#include <cstdio>

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
    if (!GetEnvironmentVariableA("TARNWICK_STARTUP_TIMES", path, sizeof path))
        return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "winmain-to-visible-ms=%.3f\n",
                     1000.0 * static_cast<double>(now.QuadPart - Started().QuadPart) / static_cast<double>(frequency.QuadPart));
        std::fclose(f);
    }
}
} // namespace StartupClock
