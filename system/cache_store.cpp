#include "system/cache_store.h"
#include "core/error_text.h"
#include "core/number_text.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "platform/registry_decode.h"
#include "system/ini_integer.h"

const char* const SystemIni = "system.ini";
const char* const VCacheSection = "vcache";
const char* const VCacheKeys[3] = {"minfilecache", "maxfilecache", "chunksize"};
const char* const TemplatesKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates";
const char* const TemplateValueNames[2] = {"PathCache", "NameCache"};

namespace {
const char* const TemplateName = "Tarnwick";
const char* const OtherTemplateName = "Desktop";
} // namespace

std::string TemplateKeyPath() { return std::string(TemplatesKeyPath) + "\\" + TemplateName; }

namespace {

bool SameNameInAnyCase(const std::string& a, const char* b)
{
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return i == a.size() && !b[i];
}

// The choice names our template; a value of another type names none.
bool TemplateChosen()
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(TemplatesKeyPath, false))
        return false;
    const Result<std::string> choice = reg.ReadString("");
    return choice.ok() && SameNameInAnyCase(*choice, TemplateName);
}

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

Status WriteVCacheKeys(ProfileFile& ini, const CacheSettings& settings)
{
    if (!settings.diskCacheOn)
        return ini.EraseSection(VCacheSection);
    for (int i = 0; i < 3; ++i)
        TRY(ini.WriteString(VCacheSection, VCacheKeys[i], IntToText(settings.vcache[i])));
    return Status();
}

// Flushed after the writes, also after one that failed: what was written
// reaches the disk before the user may restart.
Status WriteVCache(const CacheSettings& settings)
{
    ProfileFile ini(SystemIni);
    const Status written = WriteVCacheKeys(ini, settings);
    ini.Flush();
    return written;
}

Status WriteTemplateValues(const CacheSettings& settings)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    reg.OpenKey(TemplateKeyPath(), true);
    for (int i = 0; i < 2; ++i)
        TRY(WriteTemplateNumber(reg, TemplateValueNames[i], settings.templateValues[i]));
    return Status();
}
} // namespace

VCacheSettings LoadVCache()
{
    const ProfileFile ini(SystemIni);
    VCacheSettings settings;
    settings.present = ini.SectionHasKeys(VCacheSection);
    for (int i = 0; i < 3; ++i)
        settings.values[i] = IniTextToInt(ini.ReadString(VCacheSection, VCacheKeys[i], ""), 0);
    return settings;
}

Status LoadFileSystemTemplate(TemplateSettings& out)
{
    RegistryAccessor reg(HKEY_LOCAL_MACHINE);
    out.present = reg.OpenKey(TemplateKeyPath(), false);
    out.chosen = out.present && TemplateChosen();
    for (int i = 0; i < 2; ++i) {
        int32_t number = 0;
        if (out.present) {
            TRY_ASSIGN(number, ReadTemplateNumber(reg, TemplateValueNames[i]));
        }
        out.values[i] = number;
    }
    return Status();
}

Status StoreCacheSettings(const CacheSettings& settings)
{
    if (settings.choiceChanged) {
        const std::string choice = settings.templateOn ? TemplateName : OtherTemplateName;
        RegSetValueA(HKEY_LOCAL_MACHINE, TemplatesKeyPath, REG_SZ, choice.c_str(), static_cast<DWORD>(choice.size()));
    }
    TRY(WriteVCache(settings));
    return WriteTemplateValues(settings);
}
