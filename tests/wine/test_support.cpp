#include "tests/wine/test_support.h"
#include "platform/message_box.h"
#include <gtest/gtest.h>

namespace {
constexpr const char* TestKeysParent = "SOFTWARE\\TarnwickTest";
int g_testKeyCount = 0;

int UnexpectedBox(HWND, const char* text, const char* caption, UINT type)
{
    ADD_FAILURE() << "unexpected message box \"" << caption << "\" (type 0x" << std::hex << type
                  << "): " << text;
    return IDOK;
}

void HelperFailed(const std::string& what) { ADD_FAILURE() << what; }
} // namespace

ScopedTestKey::ScopedTestKey(HKEY root)
    : root_(root),
      path_(std::string(TestKeysParent) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++g_testKeyCount))
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG rc = RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &key, &disposition);
    if (rc != ERROR_SUCCESS)
        ADD_FAILURE() << "cannot make the test key " << path_ << ": error " << rc;
    key_.reset(key);
}

ScopedTestKey::~ScopedTestKey()
{
    key_.reset();
    EXPECT_TRUE(reg::DeleteTree(path_, root_)) << "test key " << path_ << " left behind";
    RegDeleteKeyA(root_, TestKeysParent);  // only goes when no other test key is left
}

std::string ScopedTestKey::Path(const std::string& sub) const
{
    return sub.empty() ? path_ : path_ + "\\" + sub;
}

bool ScopedTestKey::CreateSubKey(const std::string& sub, bool isVolatile) const
{
    return reg::CreateKey(Path(sub), isVolatile, root_);
}

void InstallFailureHandlers()
{
    SetMessageBoxFunction(&UnexpectedBox);
    reg::SetFailureReporter(&HelperFailed);
}
