#include "app/startup.h"
#ifdef TARNWICK_STARTUP_TIMES
#include "app/startup_clock.h"
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef TARNWICK_STARTUP_TIMES
    // The benchmark's build: WinMain to a visible main window, in process.
    StartupClock::Start();
    return RunTarnwick(instance, StartupClock::Stop);
#else
    return RunTarnwick(instance);
#endif
}
