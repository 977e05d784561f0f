#include "driver/switch_tables.h"

namespace {
// The last ten rows of each table are the professionals' page, alike for
// both interfaces.
constexpr std::array<TData, 10> Professionals = {{
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
}};

template <size_t A, size_t B>
constexpr std::array<TData, A + B> Join(const std::array<TData, A>& beginners, const std::array<TData, B>& rest)
{
    std::array<TData, A + B> rows{};
    for (size_t i = 0; i < A; ++i)
        rows[i] = beginners[i];
    for (size_t i = 0; i < B; ++i)
        rows[A + i] = rest[i];
    return rows;
}

constexpr std::array<TData, 6> GlideBeginners = {{
    {"FX_GLIDE_NO_SPLASH", "1"},
    {"FX_GLIDE_SWAPINTERVAL", "0"},
    {"SSTV2_SLIDETECT", "0"},
    {"FX_GLIDE_LOD_DITHER", "1"},
    {"SSTV2_TMU_MEMSIZE", "2"},
    {"FX_GLIDE_ALLOC_COLOR", "3"},
}};

constexpr std::array<TData, 5> D3DBeginners = {{
    {"FX_GLIDE_SWAPINTERVAL", "0"},
    {"SSTV2_ANTIALIAS", "1"},
    {"SSTV2_SLIDETECT", "0"},
    {"SSTV2_FORCE_TRILINEAR", "1"},
    {"SSTV2_AUTOMIPMAP", "1"},
}};
} // namespace

// Made by the compiler: no code runs to fill them.
constexpr std::array<TData, GlideSwitchCount> GlideSwitches = Join(GlideBeginners, Professionals);
constexpr std::array<TData, D3DSwitchCount> D3DSwitches = Join(D3DBeginners, Professionals);
