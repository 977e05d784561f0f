#include "platform/platform_version.h"
#include "platform/lookup.h"
#include <commctrl.h>
#include <shlwapi.h>

namespace {
const ComctlVersion* g_override = nullptr;
} // namespace

ComctlVersion VersionFromDllGetVersion(HMODULE module)
{
    const auto getVersion = LookUpFunction<DLLGETVERSIONPROC>(module, "DllGetVersion");
    if (!getVersion)
        return Comctl470;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(getVersion(&info)))
        return Comctl470;
    return ComctlVersion{info.dwMajorVersion, info.dwMinorVersion};
}

ComctlVersion CommonControlsVersion()
{
    if (g_override)
        return *g_override;
    // The program imports from comctl32, so it is loaded before any of this runs.
    static const ComctlVersion loaded = VersionFromDllGetVersion(GetModuleHandleA("comctl32.dll"));
    return loaded;
}

bool IsWindowsNT() { return GetVersion() < 0x80000000; }

namespace {
// ACM_OPEN's module, UDM_SETRANGE32 and TCS_FLATBUTTONS all came with 4.71.
bool Since471() { return !(CommonControlsVersion() < Comctl471); }
} // namespace

bool AnimateOpensFromModule() { return Since471(); }
bool HasUpDownRange32() { return Since471(); }
bool HasFlatTabButtons() { return Since471(); }

UINT ToolInfoSize()
{
    const ComctlVersion version = CommonControlsVersion();
    if (version < Comctl471)
        return TTTOOLINFOA_V1_SIZE;
    if (version < Comctl600)
        return TTTOOLINFOA_V2_SIZE;
    return TTTOOLINFOA_V3_SIZE;
}

ScopedComctlVersionForTest::ScopedComctlVersionForTest(ComctlVersion version)
    : version_(version), previous_(g_override)
{
    g_override = &version_;
}

ScopedComctlVersionForTest::~ScopedComctlVersionForTest() { g_override = previous_; }
