#include "mainwindow/control_table.h"
#include "core/error_text.h"

Status ControlTableT::Fill(const ControlMap& controls)
{
    for (int i = ControlTableFirst; i <= ControlTableLast; ++i) {
        TRY_ASSIGN(const TableSlot slot, ControlTableSlot(i));
        Control* control = controls.Find(slot.controlId);
        if (!control || control->Kind() != slot.kind)
            return Fail("ControlTable entry " + std::to_string(i) + " is not control " +
                        std::to_string(slot.controlId) + " of its kind");
        entries_[i] = control;
    }
    return Status();
}

Result<Control*> ControlTableT::At(int index) const
{
    TRY(ControlTableSlot(index).status());
    if (!entries_[index])
        return Fail(errtext::RangeCheck);
    return entries_[index];
}

template <typename T>
Result<T*> ControlTableT::Typed(int index, ControlKind kind) const
{
    TRY_ASSIGN(Control* c, At(index));
    if (c->Kind() != kind)
        return Fail(errtext::RangeCheck);
    return static_cast<T*>(c);
}

Result<Label*> ControlTableT::LabelAt(int i) const { return Typed<Label>(i, ControlKind::Label); }
Result<TrackBar*> ControlTableT::TrackBarAt(int i) const { return Typed<TrackBar>(i, ControlKind::TrackBar); }
Result<NumberField*> ControlTableT::FieldAt(int i) const { return Typed<NumberField>(i, ControlKind::NumberField); }
Result<TComboBox97*> ControlTableT::ListAt(int i) const { return Typed<TComboBox97>(i, ControlKind::ComboBox); }
Result<CheckBox*> ControlTableT::CheckBoxAt(int i) const { return Typed<CheckBox>(i, ControlKind::CheckBox); }
