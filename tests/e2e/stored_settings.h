#pragma once
// The registry values and system.ini as the driver sees them: arranging a
// case before the program starts and reading back what it left behind.
#include <windows.h>
#include <map>
#include <string>
#include <vector>

namespace e2e {

extern const char* const CardKey;       // HKLM\SOFTWARE\3dfx Interactive\Voodoo2
extern const char* const GlideKey;      // its Glide profile
extern const char* const D3DKey;        // its Direct3D profile
extern const char* const TemplatesKey;  // HKLM\...\FS Templates
extern const char* const TemplateKey;   // FS Templates\Tarnwick
extern const char* const SystemIniPath;

// One value as stored: its type and raw bytes, or absent.
struct Stored {
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const Stored& o) const
    {
        return present == o.present && (!present || (type == o.type && bytes == o.bytes));
    }
};
Stored Absent();
Stored Text(const char* text, DWORD type = REG_SZ);  // with its terminating zero
Stored Dword(DWORD value);
Stored Binary(std::vector<unsigned char> bytes);
std::string Describe(const Stored& value);

// Keys below HKEY_LOCAL_MACHINE; a value name "" is the key's default value.
Stored ReadValue(const std::string& key, const std::string& name);
bool PutValue(const std::string& key, const std::string& name, const Stored& value);  // Absent deletes
bool KeyExists(const std::string& key);
bool DeleteTree(const std::string& key);
bool CreateVolatileKey(const std::string& key);
// Every value of a key, by name; empty when the key is missing.
std::map<std::string, Stored> ValuesOf(const std::string& key);

bool CheckStored(const std::string& key, const std::string& name, const Stored& want, int line);

// system.ini, parsed: section -> key -> value, names lower-cased, values
// trimmed, as the profile functions read them.
using IniContent = std::map<std::string, std::map<std::string, std::string>>;
IniContent ParseIni(const std::string& text);
std::string FileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace e2e

#define CHECK_STORED(key, name, want) e2e::CheckStored((key), (name), (want), __LINE__)
