#pragma once
// ControlTable: entries 1..47, through which the page handlers reach the
// labels, sliders, number fields, refresh lists and switch boxes. Typed
// access fails with "Range check error" for an index outside 1..47 or an
// entry of another kind.
#include "controls/combobox97.h"
#include "controls/controls.h"
#include "controls/number_field.h"
#include "mainwindow/control_table_map.h"
#include "mainwindow/layout_builder.h"
#include "core/error.h"

class ControlTableT {
public:
    // Fills all 47 entries from the main window's controls. A control that
    // is missing or of another kind than its slot is a fault of the program
    // itself, found here at start rather than at first use.
    Status Fill(const ControlMap& controls);

    Result<Control*> At(int index) const;
    Result<Label*> LabelAt(int index) const;
    Result<TrackBar*> TrackBarAt(int index) const;
    Result<NumberField*> FieldAt(int index) const;
    Result<TComboBox97*> ListAt(int index) const;
    Result<CheckBox*> CheckBoxAt(int index) const;

private:
    template <typename T> Result<T*> Typed(int index, ControlKind kind) const;

    Control* entries_[ControlTableLast + 1] = {};
};
