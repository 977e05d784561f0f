#include "driver/switch_tables.h"

std::vector<TData> GlideSwitches;
std::vector<TData> D3DSwitches;

void InitSettingTables()
{
    // The last ten rows of each table are the professionals' page, alike
    // for both interfaces.
    const std::vector<TData> professionals = {
        {"SSTV2_VIDEO_FILTER_THRESHOLD", "65535"},
        {"SSTV2_BACKPORCH", "1"},
        {"FX_GLIDE_SHAMELESS_PLUG", "1"},
        {"SSTV2_VGA_PASS", "1"},
        {"SSTV2_SLOWPCIWR", "1"},
        {"SSTV2_FASTPCIRD", "1"},
        {"SSTV2_SLOWMEM_WTR", "1"},
        {"SSTV2_SLOWMEM_RTW", "1"},
        {"SSTV2_FASTMEM_RAS_READS", "1"},
        {"SSTV2_VIDEO_DISABLE", "1"},
    };
    GlideSwitches = {
        {"FX_GLIDE_NO_SPLASH", "1"},
        {"FX_GLIDE_SWAPINTERVAL", "0"},
        {"SSTV2_SLIDETECT", "0"},
        {"FX_GLIDE_LOD_DITHER", "1"},
        {"SSTV2_TMU_MEMSIZE", "2"},
        {"FX_GLIDE_ALLOC_COLOR", "3"},
    };
    D3DSwitches = {
        {"FX_GLIDE_SWAPINTERVAL", "0"},
        {"SSTV2_ANTIALIAS", "1"},
        {"SSTV2_SLIDETECT", "0"},
        {"SSTV2_FORCE_TRILINEAR", "1"},
        {"SSTV2_AUTOMIPMAP", "1"},
    };
    GlideSwitches.insert(GlideSwitches.end(), professionals.begin(), professionals.end());
    D3DSwitches.insert(D3DSwitches.end(), professionals.begin(), professionals.end());
}
