#pragma once
// A profile (.ini) file through the system's profile API. Named without a
// directory, the file is the one in the Windows directory.
#include "core/error.h"
#include <string>

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

private:
    std::string fileName_;
};
