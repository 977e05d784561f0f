#include "tests/common/raw_registry.h"
#include <cstdio>

const char* const VoodooKey = "SOFTWARE\\3dfx Interactive\\Voodoo2";
const char* const GlideKey = "SOFTWARE\\3dfx Interactive\\Voodoo2\\Glide";
const char* const D3DKey = "SOFTWARE\\3dfx Interactive\\Voodoo2\\D3D";
const char* const TemplatesKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates";
const char* const TemplateKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates\\Tarnwick";

namespace reg {
namespace {

FailureReporter g_reporter = nullptr;

bool Reported(bool ok, const std::string& what)
{
    if (!ok)
        ReportFailure(what);
    return ok;
}

std::string Where(HKEY root, const std::string& path)
{
    const char* rootName = root == HKEY_LOCAL_MACHINE  ? "HKLM"
                           : root == HKEY_CURRENT_USER ? "HKCU"
                                                       : "(root)";
    return std::string(rootName) + "\\" + path;
}

std::string Where(HKEY root, const std::string& path, const std::string& name)
{
    return Where(root, path) + " value \"" + name + "\"";
}

// An open key, closed when it goes; null when it could not be opened.
class Key {
public:
    Key(HKEY root, const std::string& path, REGSAM access)
    {
        if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    explicit Key(HKEY key) : key_(key) {}
    ~Key()
    {
        if (key_)
            RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

LONG Create(HKEY root, const std::string& path, bool isVolatile, HKEY* key, DWORD* disposition)
{
    return RegCreateKeyExA(root, path.c_str(), 0, nullptr, isVolatile ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, key, disposition);
}

// Registry names as text: printable ASCII as it is, anything else as \uXXXX.
std::string Shown(const std::wstring& name)
{
    std::string out;
    for (wchar_t c : name) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
            out += code;
        }
    }
    return out;
}

std::string Hex(const BYTE* data, DWORD size)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(2 * size);
    for (DWORD i = 0; i < size; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

// Through the wide functions: the system keeps names and strings as
// Unicode, and the ANSI ones would show two texts it cannot convert alike.
// The buffers serve the whole tree: a name is at most 16383 characters, and
// the data buffer grows to the largest value met.
struct DumpBuffers {
    std::vector<wchar_t> name = std::vector<wchar_t>(16384);
    std::vector<BYTE> data = std::vector<BYTE>(4096);
};

void DumpKey(HKEY root, const std::wstring& path, DumpBuffers& buffers, std::string& out)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        out += "[" + Shown(path) + "] absent\n";
        return;
    }
    std::vector<std::wstring> children;
    {
        Key key(raw);
        out += "[" + Shown(path) + "]\n";
        std::vector<wchar_t>& name = buffers.name;
        std::vector<BYTE>& data = buffers.data;
        for (DWORD i = 0;;) {
            DWORD nameLength = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()), type = 0;
            const LONG rc = RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &size);
            if (rc == ERROR_MORE_DATA && size > data.size()) {
                data.resize(size);
                continue;
            }
            if (rc != ERROR_SUCCESS) {
                if (rc != ERROR_NO_MORE_ITEMS)
                    out += "  values listed up to here: error " + std::to_string(rc) + "\n";
                break;
            }
            out += "  \"" + Shown(std::wstring(name.data(), nameLength)) + "\" type " + std::to_string(type) +
                   " = " + Hex(data.data(), size) + "\n";
            ++i;
        }
        for (DWORD i = 0;; ++i) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            if (RegEnumKeyExW(key.get(), i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            children.emplace_back(name.data(), nameLength);
        }
    }
    for (const std::wstring& child : children)
        DumpKey(root, path + L"\\" + child, buffers, out);
}

std::wstring Wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

} // namespace

Value Absent() { return Value{}; }

Value Raw(DWORD type, std::string bytes) { return Value{true, type, std::move(bytes)}; }

Value Text(const std::string& text, DWORD type) { return Raw(type, text + '\0'); }

Value Dword(uint32_t value) { return Raw(REG_DWORD, DwordBytes(value)); }

Value Binary(std::vector<unsigned char> bytes) { return Raw(REG_BINARY, std::string(bytes.begin(), bytes.end())); }

std::string DwordBytes(uint32_t value)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

std::string Escaped(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c < 0x20 || c >= 0x7F ? "\\x%02X" : "%c", c);
        out += hex;
    }
    return out;
}

std::string Describe(const Value& value)
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

void SetFailureReporter(FailureReporter reporter) { g_reporter = reporter; }

void ReportFailure(const std::string& what)
{
    if (g_reporter)
        g_reporter(what);
}

Value Read(const std::string& path, const std::string& name, HKEY root)
{
    Key key(root, path, KEY_QUERY_VALUE);
    DWORD type = REG_NONE, size = 0;
    if (!key.get() || RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return Absent();
    std::string bytes(size, '\0');
    if (size && RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                                 &size) != ERROR_SUCCESS)
        return Absent();
    bytes.resize(size);
    return Raw(type, bytes);
}

bool Put(const std::string& path, const std::string& name, const Value& value, HKEY root)
{
    if (!value.present) {
        Key key(root, path, KEY_SET_VALUE);
        if (!key.get())
            return !KeyExists(path, root) || Reported(false, "cannot open " + Where(root, path));
        const LONG rc = RegDeleteValueA(key.get(), name.c_str());
        return Reported(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND, "cannot delete " + Where(root, path, name));
    }
    HKEY raw = nullptr;
    if (!Reported(Create(root, path, false, &raw, nullptr) == ERROR_SUCCESS, "cannot create " + Where(root, path)))
        return false;
    Key key(raw);
    return Reported(RegSetValueExA(key.get(), name.c_str(), 0, value.type,
                                   reinterpret_cast<const BYTE*>(value.bytes.data()),
                                   static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS,
                    "cannot write " + Where(root, path, name));
}

bool KeyExists(const std::string& path, HKEY root) { return Key(root, path, KEY_READ).get() != nullptr; }

bool CreateKey(const std::string& path, bool isVolatile, HKEY root)
{
    HKEY raw = nullptr;
    const LONG rc = Create(root, path, isVolatile, &raw, nullptr);
    Key key(raw);
    return Reported(rc == ERROR_SUCCESS, "cannot create " + Where(root, path) + ": error " + std::to_string(rc));
}

bool MakeVolatile(const std::string& path, HKEY root)
{
    if (!DeleteTree(path, root))
        return false;
    HKEY raw = nullptr;
    DWORD disposition = 0;
    const LONG rc = Create(root, path, true, &raw, &disposition);
    Key key(raw);
    return Reported(rc == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY,
                    "cannot make " + Where(root, path) + " anew as a volatile key: error " + std::to_string(rc));
}

bool DeleteTree(const std::string& path, HKEY root)
{
    if (!Reported(!path.empty(), "no key named to delete"))
        return false;
    {
        Key key(root, path, KEY_READ);
        if (!key.get())
            return !KeyExists(path, root) || Reported(false, "cannot open " + Where(root, path));
        std::vector<std::string> children;
        char name[256];  // the longest key name is 255 characters
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            children.push_back(name);
        }
        for (const std::string& child : children)
            if (!DeleteTree(path + "\\" + child, root))
                return false;
    }
    return Reported(RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS, "cannot delete " + Where(root, path));
}

std::map<std::string, Value> ValuesOf(const std::string& path, HKEY root)
{
    std::map<std::string, Value> values;
    Key key(root, path, KEY_READ);
    if (!key.get())
        return values;
    DWORD maxName = 0;
    RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, nullptr,
                     nullptr, nullptr);
    std::vector<char> name(maxName + 1);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueA(key.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::string valueName(name.data(), length);
        values[valueName] = Read(path, valueName, root);
    }
    return values;
}

std::string Dump(const std::string& path, HKEY root)
{
    std::string out;
    DumpBuffers buffers;
    DumpKey(root, Wide(path), buffers, out);
    return out;
}

bool SetRaw(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size)
{
    return Put(path, name, Raw(type, std::string(static_cast<const char*>(data), size)));
}

DWORD Type(const std::string& path, const std::string& name)
{
    const Value value = Read(path, name);
    return value.present ? value.type : REG_NONE;
}

std::string String(const std::string& path, const std::string& name)
{
    Value value = Read(path, name);
    if (!value.present)
        return "<missing>";
    if (!value.bytes.empty() && value.bytes.back() == '\0')
        value.bytes.pop_back();
    return value.bytes;
}

std::vector<unsigned char> Bytes(const std::string& path, const std::string& name)
{
    const std::string bytes = Read(path, name).bytes;
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

} // namespace reg
