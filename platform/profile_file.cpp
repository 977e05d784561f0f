#include "platform/profile_file.h"
#include "core/error_text.h"
#include <utility>
#include <vector>

namespace {
ProfileWriteFunction g_write = nullptr;

BOOL Write(const char* section, const char* key, const char* value, const std::string& file)
{
    return (g_write ? g_write : WritePrivateProfileStringA)(section, key, value, file.c_str());
}
} // namespace

ProfileWriteFunction SetProfileWriteFunction(ProfileWriteFunction fn) { return std::exchange(g_write, fn); }

bool ProfileFile::SectionHasKeys(const std::string& section) const
{
    std::vector<char> names(16384, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", names.data(),
                                                  static_cast<DWORD>(names.size()), fileName_.c_str());
    return length > 0 && names[0] != '\0';
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& fallback) const
{
    std::vector<char> text(2048, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), text.data(),
                             static_cast<DWORD>(text.size()), fileName_.c_str());
    return text.data();
}

Status ProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    if (!Write(section.c_str(), key.c_str(), value.c_str(), fileName_))
        return Fail(FormatMessageText(errtext::UnableToWrite, fileName_));
    return Status();
}

Status ProfileFile::EraseSection(const std::string& section)
{
    if (!Write(section.c_str(), nullptr, nullptr, fileName_))
        return Fail(FormatMessageText(errtext::UnableToWrite, fileName_));
    return Status();
}

void ProfileFile::Flush() { Write(nullptr, nullptr, nullptr, fileName_); }
