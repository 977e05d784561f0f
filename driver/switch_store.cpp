#include "driver/switch_store.h"
#include "core/error_text.h"
#include "core/number_text.h"
#include "driver/setting.h"
#include "platform/registry.h"

namespace {
std::string GlideKey() { return DriverSubkeyPath(GlideKeyName); }
// From the root, not below the Glide key the accessor holds open.
std::string D3DKeyFromRoot() { return "\\" + DriverSubkeyPath(D3DKeyName); }

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

template <size_t N>
Status WriteRows(RegistryAccessor& reg, const std::array<TData, N>& rows, const std::array<bool, N>& on,
                 std::array<bool, N>& loaded)
{
    for (size_t n = 0; n < N; ++n) {
        if (on[n] == loaded[n])
            continue;
        if (on[n])
            TRY(reg.WriteString(rows[n].Name, rows[n].Value));
        else
            reg.DeleteValue(rows[n].Name);
        loaded[n] = on[n];
    }
    return Status();
}
} // namespace

Status ReadSwitchStates(StoredSwitches& out)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey(GlideKey(), false)) {
        for (size_t n = 0; n < GlideSwitches.size(); ++n) {
            if (reg.ValueExists(GlideSwitches[n].Name))
                out.glide[n] = true;
        }
    }
    // A missing Direct3D key leaves its boxes alone; its rows are never
    // looked up among the Glide values that are still open.
    if (!reg.OpenKey(D3DKeyFromRoot(), false))
        return Status();
    for (size_t n = 0; n < D3DSwitches.size(); ++n) {
        const TData& row = D3DSwitches[n];
        if (!reg.ValueExists(row.Name))
            continue;
        TRY_ASSIGN(const std::string text, D3DValueText(reg, row.Name));
        out.d3d[n] = text == row.Value;
    }
    return Status();
}

Status WriteSwitchStates(const SwitchStates& states, SwitchStates& loaded)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    reg.OpenKey(GlideKey(), true);
    TRY(WriteRows(reg, GlideSwitches, states.glide, loaded.glide));
    if (reg.OpenKey(D3DKeyFromRoot(), true))
        return WriteRows(reg, D3DSwitches, states.d3d, loaded.d3d);
    // The Direct3D key can be neither opened nor created: its rows must not
    // land in the Glide key that is still open. A row turned on fails as a
    // write to a missing key does; with none there is nothing to do.
    for (size_t n = 0; n < D3DSwitches.size(); ++n) {
        if (states.d3d[n] && !loaded.d3d[n])
            return Fail(FormatMessageText(errtext::FailedToSetData, D3DSwitches[n].Name));
    }
    return Status();
}
