// Reading and writing the tweak switches: a switch is on while its value
// exists (Glide) or holds the row's text (Direct3D).
#include "core/number_text.h"
#include "driver/setting.h"
#include "driver/switch_tables.h"
#include "mainwindow/form1.h"
#include "core/error_text.h"
#include "platform/registry.h"

namespace {
const std::string GlideKey = std::string(DriverKeyPath) + "\\Glide";
const std::string D3DKeyFromRoot = std::string("\\") + DriverKeyPath + "\\D3D";

// The text a Direct3D value is compared as. A value of another type than
// string or integer compares as the empty text, so it never matches.
Result<std::string> D3DValueText(const RegistryAccessor& reg, const std::string& name)
{
    switch (reg.GetDataType(name)) {
    case RegistryAccessor::DataType::String:
    case RegistryAccessor::DataType::ExpandString:
        return reg.ReadString(name);
    case RegistryAccessor::DataType::Integer: {
        TRY_ASSIGN(const int32_t value, reg.ReadInteger(name));
        return IntToText(value);
    }
    default:
        return std::string();
    }
}

Status WriteRows(RegistryAccessor& reg, const std::vector<TData>& rows, const ControlTableT& table,
                 int firstEntry)
{
    for (size_t n = 0; n < rows.size(); ++n) {
        TRY_ASSIGN(const CheckBox* box, table.CheckBoxAt(firstEntry + static_cast<int>(n)));
        if (box->Checked())
            TRY(reg.WriteString(rows[n].Name, rows[n].Value));
        else
            reg.DeleteValue(rows[n].Name);
    }
    return Status();
}
} // namespace

Status TForm1::ReadSwitches()
{
    const ControlTableT& table = ControlTable();
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey(GlideKey, false)) {
        for (size_t n = 0; n < GlideSwitches.size(); ++n) {
            if (!reg.ValueExists(GlideSwitches[n].Name))
                continue;
            TRY_ASSIGN(CheckBox* box, table.CheckBoxAt(FirstGlideSwitchEntry + static_cast<int>(n)));
            box->SetChecked(true);
        }
    }
    // A missing Direct3D key leaves its boxes alone; its rows are never
    // looked up among the Glide values that are still open.
    if (!reg.OpenKey(D3DKeyFromRoot, false))
        return Status();
    for (size_t n = 0; n < D3DSwitches.size(); ++n) {
        const TData& row = D3DSwitches[n];
        if (!reg.ValueExists(row.Name))
            continue;
        TRY_ASSIGN(CheckBox* box, table.CheckBoxAt(FirstD3DSwitchEntry + static_cast<int>(n)));
        TRY_ASSIGN(const std::string text, D3DValueText(reg, row.Name));
        box->SetChecked(text == row.Value);
    }
    return Status();
}

Status TForm1::WriteSwitches()
{
    const ControlTableT& table = ControlTable();
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    reg.OpenKey(GlideKey, true);
    TRY(WriteRows(reg, GlideSwitches, table, FirstGlideSwitchEntry));
    if (reg.OpenKey(D3DKeyFromRoot, true))
        return WriteRows(reg, D3DSwitches, table, FirstD3DSwitchEntry);
    // The Direct3D key can be neither opened nor created: its rows must not
    // land in the Glide key that is still open. A checked row fails as a
    // write to a missing key does; with none checked there is nothing to do.
    for (size_t n = 0; n < D3DSwitches.size(); ++n) {
        TRY_ASSIGN(const CheckBox* box, table.CheckBoxAt(FirstD3DSwitchEntry + static_cast<int>(n)));
        if (box->Checked())
            return Fail(FormatMessageText(errtext::FailedToSetData, D3DSwitches[n].Name));
    }
    return Status();
}
