// The Cache page's lower half: the disk cache limits in system.ini and the
// program's file-system template in the registry.
#include "core/number_text.h"
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include "core/error_text.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "platform/registry_decode.h"
#include "system/ini_integer.h"

namespace {
const char* const SystemIni = "system.ini";
const char* const VCacheSection = "vcache";
const char* const VCacheKeys[3] = {"minfilecache", "maxfilecache", "chunksize"};
constexpr int FirstVCacheEntry = 7;  // camin, camax, cachunk

const char* const TemplatesPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates";
const char* const TemplateName = "Tarnwick";
const char* const OtherTemplateName = "Desktop";
const struct { int entry; const char* name; } TemplateValues[2] = {
    {10, "PathCache"},  // cadir
    {11, "NameCache"},  // cafil
};

std::string TemplatePath() { return std::string(TemplatesPath) + "\\" + TemplateName; }

// A 4-byte little-endian number; shorter values are zero-extended.
Result<int32_t> ReadTemplateNumber(const RegistryAccessor& reg, const char* name)
{
    unsigned char bytes[4] = {};
    TRY_ASSIGN(const int size, reg.ReadBinaryData(name, bytes, sizeof bytes));
    return TemplateNumberFromBytes(name, bytes, static_cast<size_t>(size));
}

Status WriteTemplateNumber(RegistryAccessor& reg, const char* name, int32_t value)
{
    if (value < 0)
        return Fail(errtext::RangeCheck);
    const uint32_t bits = static_cast<uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                    static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    return reg.WriteBinaryData(name, bytes, sizeof bytes);
}
} // namespace

void TForm1::EnableDiskClick(Control& sender)
{
    Find(id::DiskCacBox).SetEnabled(static_cast<CheckBox&>(sender).Checked());
    const bool enabled = Find(id::DiskCacBox).Enabled();
    for (int control : {id::camin, id::camax, id::cachunk, id::Label13, id::Label14, id::Label7})
        Find(control).SetEnabled(enabled);
}

void TForm1::EnableFileClick(Control& sender)
{
    Find(id::FilCacBox).SetEnabled(static_cast<CheckBox&>(sender).Checked());
    const bool enabled = Find(id::FilCacBox).Enabled();
    for (int control : {id::cafil, id::cadir, id::Label18, id::Label15})
        Find(control).SetEnabled(enabled);
}

Status TForm1::ReadCacheSettings()
{
    TRY(ReadVCache());
    return ReadFileSystemTemplate();
}

Status TForm1::ReadVCache()
{
    const ProfileFile ini(SystemIni);
    auto& enableDisk = Get<CheckBox>(id::EnableDisk);
    enableDisk.SetChecked(ini.SectionHasKeys(VCacheSection));
    EnableDiskClick(enableDisk);
    for (int i = 0; i < 3; ++i) {
        TRY_ASSIGN(NumberField* field, ControlTable().FieldAt(FirstVCacheEntry + i));
        field->SetValue(IniTextToInt(ini.ReadString(VCacheSection, VCacheKeys[i], ""), 0));
    }
    return Status();
}

Status TForm1::ReadFileSystemTemplate()
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    auto& enableFile = Get<CheckBox>(id::EnableFile);
    const bool present = reg.OpenKey(TemplatePath(), false);
    enableFile.SetChecked(present);
    EnableFileClick(enableFile);
    for (const auto& value : TemplateValues) {
        TRY_ASSIGN(NumberField* field, ControlTable().FieldAt(value.entry));
        int32_t number = 0;
        if (present) {
            TRY_ASSIGN(number, ReadTemplateNumber(reg, value.name));
        }
        field->SetValue(number);
    }
    return Status();
}

Status TForm1::WriteCacheSettings()
{
    const std::string choice = Get<CheckBox>(id::EnableFile).Checked() ? TemplateName : OtherTemplateName;
    RegSetValueA(HKEY_LOCAL_MACHINE, TemplatesPath, REG_SZ, choice.c_str(), static_cast<DWORD>(choice.size()));
    TRY(WriteVCache());
    return WriteFileSystemTemplate();
}

Status TForm1::WriteVCache()
{
    ProfileFile ini(SystemIni);
    if (!Get<CheckBox>(id::EnableDisk).Checked())
        return ini.EraseSection(VCacheSection);
    for (int i = 0; i < 3; ++i) {
        TRY_ASSIGN(const NumberField* field, ControlTable().FieldAt(FirstVCacheEntry + i));
        TRY(ini.WriteString(VCacheSection, VCacheKeys[i], IntToText(field->Value())));
    }
    return Status();
}

Status TForm1::WriteFileSystemTemplate()
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    reg.OpenKey(TemplatePath(), true);
    for (const auto& value : TemplateValues) {
        TRY_ASSIGN(const NumberField* field, ControlTable().FieldAt(value.entry));
        TRY(WriteTemplateNumber(reg, value.name, field->Value()));
    }
    return Status();
}
