#pragma once
// A profile (.ini) file through the system's profile API. Named without a
// directory, the file is the one in the Windows directory.
#include "core/error.h"
#include <string>
#include <windows.h>

class ProfileFile {
public:
    explicit ProfileFile(std::string fileName) : fileName_(std::move(fileName)) {}

    // True when the section lists at least one key.
    bool SectionHasKeys(const std::string& section) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // Both fail with "Unable to write to <file name>" when the system refuses.
    Status WriteString(const std::string& section, const std::string& key, const std::string& value);
    Status EraseSection(const std::string& section);
    // Windows keeps the profile file it used last in memory and writes it
    // out later: this writes it now, so that a restart, a crash or a power
    // cut right after the save keeps what was written. Its answer says
    // nothing (Wine's is always FALSE), so there is none.
    void Flush();

private:
    std::string fileName_;
};

// Test seam: the function every profile write goes through
// (WritePrivateProfileStringA's signature); null puts the system's back.
using ProfileWriteFunction = BOOL(WINAPI*)(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);
ProfileWriteFunction SetProfileWriteFunction(ProfileWriteFunction fn);
