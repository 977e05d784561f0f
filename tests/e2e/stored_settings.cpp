#include "tests/e2e/stored_settings.h"
#include "tests/e2e/checks.h"
#include <algorithm>
#include <cstdio>
#include <sstream>

namespace e2e {

const char* const CardKey = "SOFTWARE\\3dfx Interactive\\Voodoo2";
const char* const GlideKey = "SOFTWARE\\3dfx Interactive\\Voodoo2\\Glide";
const char* const D3DKey = "SOFTWARE\\3dfx Interactive\\Voodoo2\\D3D";
const char* const TemplatesKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates";
const char* const TemplateKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates\\Tarnwick";
const char* const SystemIniPath = "C:\\windows\\system.ini";

Stored Absent() { return Stored{}; }

Stored Text(const char* text, DWORD type) { return Stored{true, type, std::string(text) + '\0'}; }

Stored Dword(DWORD value)
{
    return Stored{true, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

Stored Binary(std::vector<unsigned char> bytes)
{
    return Stored{true, REG_BINARY, std::string(bytes.begin(), bytes.end())};
}

std::string Describe(const Stored& value)
{
    if (!value.present)
        return "absent";
    const bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
    std::string out = value.type == REG_SZ          ? "REG_SZ"
                      : value.type == REG_EXPAND_SZ ? "REG_EXPAND_SZ"
                      : value.type == REG_DWORD     ? "REG_DWORD"
                      : value.type == REG_BINARY    ? "REG_BINARY"
                                                    : "type " + std::to_string(value.type);
    if (text) {
        std::string shown = value.bytes;
        if (!shown.empty() && shown.back() == '\0')
            shown.pop_back();
        else
            out += " (no terminating zero)";
        return out + " \"" + Escaped(shown) + "\"";
    }
    char hex[4];
    for (unsigned char c : value.bytes) {
        std::snprintf(hex, sizeof hex, " %02x", c);
        out += hex;
    }
    return out;
}

namespace {
class Key {
public:
    Key(const std::string& path, REGSAM access)
    {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() { if (key_) RegCloseKey(key_); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};
} // namespace

Stored ReadValue(const std::string& key, const std::string& name)
{
    Key k(key, KEY_READ);
    DWORD type = REG_NONE, size = 0;
    if (!k.get() || RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return Absent();
    std::string bytes(size, '\0');
    if (size && RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                                 &size) != ERROR_SUCCESS)
        return Absent();
    bytes.resize(size);
    return Stored{true, type, bytes};
}

bool PutValue(const std::string& key, const std::string& name, const Stored& value)
{
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &k, nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = value.present
                  ? RegSetValueExA(k, name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                                   static_cast<DWORD>(value.bytes.size()))
                  : RegDeleteValueA(k, name.c_str());
    RegCloseKey(k);
    return rc == ERROR_SUCCESS || (!value.present && rc == ERROR_FILE_NOT_FOUND);
}

bool KeyExists(const std::string& key) { return Key(key, KEY_READ).get() != nullptr; }

bool DeleteTree(const std::string& key)
{
    {
        Key k(key, KEY_READ);
        if (!k.get())
            return true;
        char name[256];
        std::vector<std::string> children;
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            children.push_back(name);
        }
        for (const auto& child : children)
            if (!DeleteTree(key + "\\" + child))
                return false;
    }
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str()) == ERROR_SUCCESS;
}

bool CreateVolatileKey(const std::string& key)
{
    HKEY k = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &k, &disposition) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return disposition == REG_CREATED_NEW_KEY;
}

std::map<std::string, Stored> ValuesOf(const std::string& key)
{
    std::map<std::string, Stored> values;
    Key k(key, KEY_READ);
    char name[512];
    for (DWORD i = 0; k.get(); ++i) {
        DWORD length = sizeof name;
        if (RegEnumValueA(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values[name] = ReadValue(key, name);
    }
    return values;
}

bool CheckStored(const std::string& key, const std::string& name, const Stored& want, int line)
{
    const Stored got = ReadValue(key, name);
    const std::string shortKey = key.substr(key.rfind('\\') + 1);
    return Record(got == want, shortKey + "\\" + (name.empty() ? "(default)" : name) + " is " + Describe(want),
                  "got " + Describe(got), line);
}

namespace {
std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    const size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}
} // namespace

IniContent ParseIni(const std::string& text)
{
    IniContent ini;
    std::istringstream lines(text);
    std::string line, section;
    while (std::getline(lines, line)) {
        line = Trimmed(line);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = Lower(line.substr(1, line.size() - 2));
            ini[section];
            continue;
        }
        const size_t eq = line.find('=');
        if (!line.empty() && line[0] != ';')
            ini[section][Lower(Trimmed(line.substr(0, eq)))] = eq == std::string::npos ? "" : Trimmed(line.substr(eq + 1));
    }
    return ini;
}

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace e2e
