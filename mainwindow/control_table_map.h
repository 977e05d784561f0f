#pragma once
// Which control stands at each index 1..47 of ControlTable, and of what kind.
// Portable, so the mapping is unit-tested natively.
#include "controls/control_kind.h"
#include "core/error.h"

struct TableSlot {
    int controlId;
    ControlKind kind;
};

constexpr int ControlTableFirst = 1;
constexpr int ControlTableLast = 47;

// The entries the pages reach by number.
namespace entry {
// The gamma labels (1..3) and sliders (4..6) stand in red, blue, green
// order: a slider with tag t has its label at t and itself at t + 3.
constexpr int FirstGammaLabel = 1;
constexpr int FirstGammaSlider = 4;
constexpr int RedSlider = 4, BlueSlider = 5, GreenSlider = 6;
constexpr int FirstCacheField = 7;   // minfilecache, maxfilecache, chunksize
constexpr int PathCacheField = 10, NameCacheField = 11;
constexpr int FirstRefreshList = 12; // 512x384 .. 1024x768
constexpr int FirstGlideSwitch = 17; // 16 boxes
constexpr int FirstD3DSwitch = 33;   // 15 boxes
} // namespace entry

// The slot of an index; fails with "Range check error" outside 1..47.
Result<TableSlot> ControlTableSlot(int index);
