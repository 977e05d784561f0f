#include "mainwindow/control_table_map.h"
#include "core/error_text.h"
#include "mainwindow/control_ids.h"

Result<TableSlot> ControlTableSlot(int index)
{
    using K = ControlKind;
    static constexpr TableSlot First16[] = {
        {id::lred, K::Label},          {id::lblue, K::Label},         {id::lgreen, K::Label},
        {id::TrRed, K::TrackBar},      {id::TrBlue, K::TrackBar},     {id::TrGreen, K::TrackBar},
        {id::camin, K::NumberField},   {id::camax, K::NumberField},   {id::cachunk, K::NumberField},
        {id::cadir, K::NumberField},   {id::cafil, K::NumberField},
        {id::Refrrate512x384, K::ComboBox}, {id::Refrrate640x400, K::ComboBox},
        {id::Refrrate640x480, K::ComboBox}, {id::Refrrate800x600, K::ComboBox},
        {id::Refrrate1024x768, K::ComboBox},
    };
    static_assert(entry::FirstGlideSwitch == 1 + sizeof First16 / sizeof First16[0]);
    if (index < ControlTableFirst || index > ControlTableLast)
        return Fail(errtext::RangeCheck);
    if (index < entry::FirstGlideSwitch)
        return First16[index - 1];
    if (index < entry::FirstD3DSwitch)
        return TableSlot{id::gcb(index - entry::FirstGlideSwitch + 1), K::CheckBox};
    return TableSlot{id::dcb(index - entry::FirstD3DSwitch + 1), K::CheckBox};
}
