#pragma once
// Helpers for the in-process tests: registry keys that live for one test,
// raw value access that goes around the program's own code, the text of a
// failure, and message boxes that answer themselves.
#include "core/error.h"
#include "platform/handles.h"
#include <gtest/gtest.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A key of the test's own, ROOT\SOFTWARE\TarnwickTest\<unique>: made when
// constructed, deleted with everything under it when destroyed.
class ScopedTestKey {
public:
    explicit ScopedTestKey(HKEY root = HKEY_CURRENT_USER);
    ~ScopedTestKey();
    ScopedTestKey(const ScopedTestKey&) = delete;
    ScopedTestKey& operator=(const ScopedTestKey&) = delete;

    HKEY root() const { return root_; }
    HKEY get() const { return key_.get(); }
    // The test key's path from the root (no leading '\'), or that of a key
    // under it.
    std::string Path(const std::string& sub = std::string()) const;
    // The same with a leading '\', as OpenKey takes a path from the root.
    std::string Rooted(const std::string& sub = std::string()) const { return "\\" + Path(sub); }
    // Makes a key under the test key; a volatile one takes only volatile
    // children, which is how a test makes key creation fail for real.
    bool CreateSubKey(const std::string& sub, bool isVolatile = false) const;

private:
    HKEY root_;
    std::string path_;
    UniqueHKey key_;
};

// Deletes a key and all keys under it; true when it is gone.
bool DeleteKeyTree(HKEY parent, const std::string& sub);
bool KeyExists(HKEY root, const std::string& path);

struct RawValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string bytes;
};
// Reads and stores values with RegQueryValueExA / RegSetValueExA directly.
RawValue GetRawValue(HKEY root, const std::string& path, const std::string& name);
bool SetRawValue(HKEY key, const std::string& name, DWORD type, const std::string& bytes);

// The bytes of a literal, zeros inside it included, its own terminator not:
// Bytes("ab\0") is three bytes.
template <size_t N>
std::string Bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}
std::string DwordBytes(uint32_t value);

// The message of a failure; empty for success.
inline std::string ErrorOf(const Status& status) { return status.Message(); }
template <typename T>
std::string ErrorOf(const Result<T>& result)
{
    return result.status().Message();
}
// The same, taking the value into `out` when there is one.
template <typename T, typename U>
std::string ErrorOf(const Result<T>& result, U& out)
{
    if (result.ok())
        out = *result;
    return result.status().Message();
}

// A routine that must succeed here.
#define EXPECT_OK(expr) EXPECT_EQ(ErrorOf(expr), "")

// A message box as the program asked for it.
struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// While it lives, message boxes are recorded instead of shown, and each is
// answered with `answer`. Outside one, a box fails the running test (see
// wine_test_main.cpp), since nobody is there to close it.
class ScopedMessageBoxCapture {
public:
    explicit ScopedMessageBoxCapture(int answer = IDOK);
    ~ScopedMessageBoxCapture();
    ScopedMessageBoxCapture(const ScopedMessageBoxCapture&) = delete;
    ScopedMessageBoxCapture& operator=(const ScopedMessageBoxCapture&) = delete;
    const std::vector<ShownBox>& boxes() const { return boxes_; }

private:
    static int Record(HWND owner, const char* text, const char* caption, UINT type);
    std::vector<ShownBox> boxes_;
    int answer_;
    ScopedMessageBoxCapture* previous_;
};

// Installs the handler that fails the test for a box nobody expected.
void FailOnUnexpectedMessageBoxes();
