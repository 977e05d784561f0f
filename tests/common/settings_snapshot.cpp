#include "tests/common/settings_snapshot.h"
#include "tests/common/raw_registry.h"
#include <windows.h>
#include <cstdio>
#include <sstream>

namespace {

// The bytes of a file; false when it cannot be read (missing, a folder).
bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    bytes.clear();
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, got);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

std::string Take(const std::vector<std::string>& keys)
{
    std::string text;
    for (const std::string& key : keys)
        text += reg::Dump(key);
    std::string ini;
    if (ReadFileBytes(SystemIniPath(), ini))
        text += "system.ini:\n" + ini;
    else
        text += "system.ini absent\n";
    return text;
}

} // namespace

std::string SystemIniPath()
{
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\system.ini";
}

std::string ReadSystemIni()
{
    std::string bytes;
    return ReadFileBytes(SystemIniPath(), bytes) ? bytes : std::string();
}

bool WriteSystemIni(const std::string& content)
{
    FILE* f = std::fopen(SystemIniPath().c_str(), "wb");
    bool ok = f && std::fwrite(content.data(), 1, content.size(), f) == content.size();
    if (f)
        ok &= std::fclose(f) == 0;
    if (!ok)
        reg::ReportFailure("cannot write " + SystemIniPath());
    return ok;
}

std::vector<std::string> ProgramKeys() { return {"SOFTWARE\\3dfx Interactive", TemplatesKey}; }

SettingsSnapshot::SettingsSnapshot(std::vector<std::string> keys) : keys_(std::move(keys)), taken_(Take(keys_)) {}

std::string SettingsSnapshot::Changes() const
{
    const std::string now = Take(keys_);
    if (now == taken_)
        return "";
    std::istringstream a(taken_), b(now);
    std::string lineA, lineB, key;
    for (;;) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA || !moreB || lineA != lineB)
            return (key.empty() ? "" : "in " + key + ": ") + "before: " + (moreA ? lineA : "<end>") +
                   " | after: " + (moreB ? lineB : "<end>");
        if (lineA.compare(0, 1, "[") == 0)
            key = lineA;
    }
}
