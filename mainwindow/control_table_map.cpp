#include "mainwindow/control_table_map.h"
#include "mainwindow/control_ids.h"
#include "core/error_text.h"

Result<TableSlot> ControlTableSlot(int index)
{
    // The gamma labels and sliders stand in red, blue, green order: a slider
    // with tag t has its label at t and itself at t + 3.
    static constexpr TableSlot First16[] = {
        {id::lred, TableKind::Label},          {id::lblue, TableKind::Label},
        {id::lgreen, TableKind::Label},        {id::TrRed, TableKind::TrackBar},
        {id::TrBlue, TableKind::TrackBar},     {id::TrGreen, TableKind::TrackBar},
        {id::camin, TableKind::NumberField},   {id::camax, TableKind::NumberField},
        {id::cachunk, TableKind::NumberField}, {id::cadir, TableKind::NumberField},
        {id::cafil, TableKind::NumberField},
        {id::Refrrate512x384, TableKind::RefreshList}, {id::Refrrate640x400, TableKind::RefreshList},
        {id::Refrrate640x480, TableKind::RefreshList}, {id::Refrrate800x600, TableKind::RefreshList},
        {id::Refrrate1024x768, TableKind::RefreshList},
    };
    if (index < ControlTableFirst || index > ControlTableLast)
        return Fail(errtext::RangeCheck);
    if (index <= 16)
        return First16[index - 1];
    if (index <= 32)
        return TableSlot{id::gcb(index - 16), TableKind::CheckBox};
    return TableSlot{id::dcb(index - 32), TableKind::CheckBox};
}
