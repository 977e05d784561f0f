#include "mainwindow/control_table.h"
#include "platform/error.h"
#include "platform/error_text.h"

void ControlTableT::Fill(const ControlMap& controls)
{
    for (int i = ControlTableFirst; i <= ControlTableLast; ++i) {
        auto it = controls.find(ControlTableSlot(i).controlId);
        entries_[i] = it == controls.end() ? nullptr : it->second.get();
    }
    filled_ = true;
}

Control& ControlTableT::At(int index) const
{
    ControlTableSlot(index);  // raises outside 1..47
    if (!entries_[index])
        throw Error(errtext::RangeCheck);
    return *entries_[index];
}

template <typename T>
T& ControlTableT::Typed(int index, ControlKind kind) const
{
    Control& c = At(index);
    if (c.Kind() != kind)
        throw Error(errtext::RangeCheck);
    return static_cast<T&>(c);
}

Label& ControlTableT::LabelAt(int i) const { return Typed<Label>(i, ControlKind::Label); }
TrackBar& ControlTableT::TrackBarAt(int i) const { return Typed<TrackBar>(i, ControlKind::TrackBar); }
NumberField& ControlTableT::FieldAt(int i) const { return Typed<NumberField>(i, ControlKind::NumberField); }
TComboBox97& ControlTableT::ListAt(int i) const { return Typed<TComboBox97>(i, ControlKind::ComboBox); }
CheckBox& ControlTableT::CheckBoxAt(int i) const { return Typed<CheckBox>(i, ControlKind::CheckBox); }
