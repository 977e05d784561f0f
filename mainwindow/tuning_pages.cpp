// The two tuning pages: one check box per switch row, Glide and Direct3D.
#include "driver/switch_store.h"
#include "mainwindow/control_table_map.h"
#include "mainwindow/form1.h"

Status TForm1::ReadSwitches()
{
    StoredSwitches stored;
    const Status read = ReadSwitchStates(stored);
    // The rows read before a failure are shown all the same.
    const struct { int first; const std::optional<bool>* states; size_t count; } pages[] = {
        {entry::FirstGlideSwitch, stored.glide.data(), stored.glide.size()},
        {entry::FirstD3DSwitch, stored.d3d.data(), stored.d3d.size()},
    };
    for (const auto& page : pages) {
        for (size_t n = 0; n < page.count; ++n) {
            if (!page.states[n])
                continue;
            TRY_ASSIGN(CheckBox* box, controlTable_.CheckBoxAt(page.first + static_cast<int>(n)));
            box->SetChecked(*page.states[n]);
        }
    }
    return read;
}

Status TForm1::ShownSwitches(SwitchStates& states) const
{
    for (size_t n = 0; n < states.glide.size(); ++n) {
        TRY_ASSIGN(const CheckBox* box, controlTable_.CheckBoxAt(entry::FirstGlideSwitch + static_cast<int>(n)));
        states.glide[n] = box->Checked();
    }
    for (size_t n = 0; n < states.d3d.size(); ++n) {
        TRY_ASSIGN(const CheckBox* box, controlTable_.CheckBoxAt(entry::FirstD3DSwitch + static_cast<int>(n)));
        states.d3d[n] = box->Checked();
    }
    return Status();
}

// Only the boxes the user changed since the load are written or deleted.
Status TForm1::WriteSwitches()
{
    SwitchStates states;
    TRY(ShownSwitches(states));
    return WriteSwitchStates(states, loadedSwitches_);
}
