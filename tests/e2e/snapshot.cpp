#include "tests/e2e/snapshot.h"
#include "tests/e2e/checks.h"
#include "tests/e2e/stored_settings.h"
#include <windows.h>
#include <cstdio>
#include <sstream>

namespace e2e {
namespace {

const wchar_t* const WatchedKeys[] = {
    L"SOFTWARE\\3dfx Interactive",
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates",
};

std::string Hex(const BYTE* data, DWORD size)
{
    std::string out;
    char byte[4];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(byte, sizeof byte, "%02x", data[i]);
        out += byte;
    }
    return out;
}

void DumpKey(HKEY parent, const std::wstring& path, std::ostringstream& out)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        out << "[" << Utf8(path) << "] absent\n";
        return;
    }
    out << "[" << Utf8(path) << "]\n";
    wchar_t name[512];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 512, type = 0, size = sizeof data;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        out << "  \"" << Utf8(name) << "\" type " << type << " = " << Hex(data, size) << "\n";
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 512;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DumpKey(HKEY_LOCAL_MACHINE, path + L"\\" + name, out);
    }
    RegCloseKey(key);
}


} // namespace

std::string SettingsSnapshot()
{
    std::ostringstream out;
    for (const wchar_t* key : WatchedKeys)
        DumpKey(HKEY_LOCAL_MACHINE, key, out);
    out << "system.ini:\n" << FileBytes("C:\\windows\\system.ini");
    return out.str();
}

std::string FirstDifference(const std::string& before, const std::string& after)
{
    std::istringstream a(before), b(after);
    std::string lineA, lineB;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return "no difference";
        if (!moreA || !moreB || lineA != lineB)
            return "before: " + (moreA ? lineA : "<end>") + " | after: " + (moreB ? lineB : "<end>");
    }
}

bool CardKeyPresent()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\3dfx Interactive\\Voodoo2", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace e2e
