#pragma once
// Raw registry access for the test programs (the in-process tests, the e2e
// driver, the benchmarks): arranging a case and reading back what a run
// left, around the program's own registry code. Values of any type are
// handled as their stored bytes. Paths are below HKEY_LOCAL_MACHINE unless a
// root is given; the value name "" is a key's default value.
#include <windows.h>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The keys the program works with, below HKEY_LOCAL_MACHINE.
extern const char* const VoodooKey;    // SOFTWARE\3dfx Interactive\Voodoo2
extern const char* const GlideKey;     // ...\Voodoo2\Glide
extern const char* const D3DKey;       // ...\Voodoo2\D3D
extern const char* const TemplatesKey; // SOFTWARE\Microsoft\Windows\CurrentVersion\FS Templates
extern const char* const TemplateKey;  // ...\FS Templates\Tarnwick

namespace reg {

// One value as stored: its type and bytes, or absent. Two absent values are
// equal whatever else they hold.
struct Value {
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const Value& o) const
    {
        return present == o.present && (!present || (type == o.type && bytes == o.bytes));
    }
    bool operator!=(const Value& o) const { return !(*this == o); }
};
Value Absent();
Value Raw(DWORD type, std::string bytes);
Value Text(const std::string& text, DWORD type = REG_SZ);  // with its terminating zero
Value Dword(uint32_t value);
Value Binary(std::vector<unsigned char> bytes);
std::string DwordBytes(uint32_t value);  // the four bytes of a REG_DWORD
// "REG_SZ \"1.3\"", "REG_BINARY 40 00", "absent": for failure messages.
std::string Describe(const Value& value);
// Bytes shown as C escapes where they are not printable ASCII.
std::string Escaped(const std::string& bytes);

// A write, key creation or deletion that fails returns false and, when a
// reporter is set, tells it what failed: a test program sets one so that a
// case it could not arrange fails instead of testing something else.
using FailureReporter = void (*)(const std::string& what);
void SetFailureReporter(FailureReporter reporter);
void ReportFailure(const std::string& what);

Value Read(const std::string& path, const std::string& name, HKEY root = HKEY_LOCAL_MACHINE);
// Stores the value, making the key when it is missing; an absent value
// deletes it (and makes no key).
bool Put(const std::string& path, const std::string& name, const Value& value, HKEY root = HKEY_LOCAL_MACHINE);
bool KeyExists(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE);
bool CreateKey(const std::string& path, bool isVolatile = false, HKEY root = HKEY_LOCAL_MACHINE);
// Deletes the key with everything under it and makes it anew as a volatile
// key, which takes only volatile keys below it: how a test makes the
// creation of a key fail for real. True when the key was made new.
bool MakeVolatile(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE);
// Deletes a key and all keys under it; true when it is gone (or never was).
bool DeleteTree(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE);
// Every value of a key, by name; empty when the key is missing.
std::map<std::string, Value> ValuesOf(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE);
// A key, its values and all keys under it as text, one line a value, in
// the registry's own order: equal texts mean equal trees.
std::string Dump(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE);

// Shorthands for arranging and checking.
inline bool SetString(const std::string& path, const std::string& name, const std::string& text)
{
    return Put(path, name, Text(text));
}
inline bool SetDword(const std::string& path, const std::string& name, uint32_t value)
{
    return Put(path, name, Dword(value));
}
inline bool SetBinary(const std::string& path, const std::string& name, std::vector<unsigned char> bytes)
{
    return Put(path, name, Binary(std::move(bytes)));
}
bool SetRaw(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size);
inline bool Exists(const std::string& path, const std::string& name) { return Read(path, name).present; }
// REG_NONE for a missing value.
DWORD Type(const std::string& path, const std::string& name);
// The bytes less one terminating zero; "<missing>" for a missing value.
std::string String(const std::string& path, const std::string& name);
std::vector<unsigned char> Bytes(const std::string& path, const std::string& name);

} // namespace reg
