#pragma once
// ControlTable: entries 1..47, through which the page handlers reach the
// labels, sliders, number fields, refresh lists and switch boxes. Typed
// access raises "Range check error" for an index outside 1..47 or an entry
// of another kind.
#include "controls/combobox97.h"
#include "controls/controls.h"
#include "controls/number_field.h"
#include "mainwindow/control_table_map.h"
#include "mainwindow/layout_builder.h"

class ControlTableT {
public:
    // Fills all 47 entries from the main window's controls.
    void Fill(const ControlMap& controls);
    bool Filled() const { return filled_; }

    Control& At(int index) const;
    Label& LabelAt(int index) const;
    TrackBar& TrackBarAt(int index) const;
    NumberField& FieldAt(int index) const;
    TComboBox97& ListAt(int index) const;
    CheckBox& CheckBoxAt(int index) const;

private:
    template <typename T> T& Typed(int index, ControlKind kind) const;

    Control* entries_[ControlTableLast + 1] = {};
    bool filled_ = false;
};
