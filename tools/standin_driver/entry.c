/* Our stand-in for the driver's library: it holds nothing but resources.
   An entry point that does nothing keeps it loadable as a real module too. */
#include <windows.h>

BOOL WINAPI StandInEntry(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance; (void)reason; (void)reserved;
    return TRUE;
}
