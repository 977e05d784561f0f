#pragma once
// Which control stands at each index 1..47 of ControlTable, and of what kind.
// Portable, so the mapping is unit-tested natively.
#include "core/error.h"

enum class TableKind { Label, TrackBar, NumberField, RefreshList, CheckBox };

struct TableSlot {
    int controlId;
    TableKind kind;
};

constexpr int ControlTableFirst = 1;
constexpr int ControlTableLast = 47;

// The slot of an index; fails with "Range check error" outside 1..47.
Result<TableSlot> ControlTableSlot(int index);
