#pragma once
// Which control stands at each index 1..47 of ControlTable, and of what kind.
// Portable, so the mapping is unit-tested natively.

enum class TableKind { Label, TrackBar, NumberField, RefreshList, CheckBox };

struct TableSlot {
    int controlId;
    TableKind kind;
};

constexpr int ControlTableFirst = 1;
constexpr int ControlTableLast = 47;

// The slot of an index; raises Error("Range check error") outside 1..47.
TableSlot ControlTableSlot(int index);
