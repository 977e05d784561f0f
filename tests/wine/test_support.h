#pragma once
// Helpers for the in-process tests: registry keys that live for one test,
// the text of a failure, and the handlers that fail a test for a message box
// nobody expected or a case its helpers could not arrange. Raw registry
// access is in tests/common/raw_registry.h.
#include "core/error.h"
#include "platform/handles.h"
#include "tests/common/raw_registry.h"
#include <gtest/gtest.h>
#include <cstddef>
#include <string>

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
    bool SubKeyExists(const std::string& sub) const { return reg::KeyExists(Path(sub), root_); }
    // Values in the test key, or in a key under it, as raw bytes.
    bool Set(const std::string& name, DWORD type, const std::string& bytes) const
    {
        return reg::Put(Path(), name, reg::Raw(type, bytes), root_);
    }
    reg::Value Read(const std::string& sub, const std::string& name) const
    {
        return reg::Read(Path(sub), name, root_);
    }

private:
    HKEY root_;
    std::string path_;
    UniqueHKey key_;
};

// The bytes of a literal, zeros inside it included, its own terminator not:
// Bytes("ab\0") is three bytes.
template <size_t N>
std::string Bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}
using reg::DwordBytes;

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

// Outside a MessageBoxRecorder (tests/common/message_box_recorder.h) a
// message box fails the running test, since nobody is there to close it;
// so does a registry or system.ini helper that cannot arrange its case.
void InstallFailureHandlers();
