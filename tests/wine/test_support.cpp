#include "tests/wine/test_support.h"
#include "platform/message_box.h"
#include <gtest/gtest.h>

namespace {
constexpr const char* TestKeysParent = "SOFTWARE\\TarnwickTest";
int g_testKeyCount = 0;
ScopedMessageBoxCapture* g_capture = nullptr;

int UnexpectedBox(HWND, const char* text, const char* caption, UINT type)
{
    ADD_FAILURE() << "unexpected message box \"" << caption << "\" (type 0x" << std::hex << type
                  << "): " << text;
    return IDOK;
}
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
    EXPECT_TRUE(DeleteKeyTree(root_, path_)) << "test key " << path_ << " left behind";
    RegDeleteKeyA(root_, TestKeysParent);  // only goes when no other test key is left
}

std::string ScopedTestKey::Path(const std::string& sub) const
{
    return sub.empty() ? path_ : path_ + "\\" + sub;
}

bool ScopedTestKey::CreateSubKey(const std::string& sub, bool isVolatile) const
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG rc = RegCreateKeyExA(root_, Path(sub).c_str(), 0, nullptr,
                                    isVolatile ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &key, &disposition);
    UniqueHKey owner(key);
    return rc == ERROR_SUCCESS;
}

bool DeleteKeyTree(HKEY parent, const std::string& sub)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExA(parent, sub.c_str(), 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS)
        return false;
    {
        UniqueHKey key(raw);
        char name[256];
        DWORD length = sizeof name;
        while (RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS) {
            if (!DeleteKeyTree(key.get(), name))
                return false;
            length = sizeof name;
        }
    }
    return RegDeleteKeyA(parent, sub.c_str()) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    const bool found = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    UniqueHKey owner(key);
    return found;
}

RawValue GetRawValue(HKEY root, const std::string& path, const std::string& name)
{
    RawValue value;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return value;
    UniqueHKey key(raw);
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    std::vector<BYTE> data(size + 1);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, data.data(), &size) != ERROR_SUCCESS)
        return value;
    value.exists = true;
    value.bytes.assign(reinterpret_cast<const char*>(data.data()), size);
    return value;
}

bool SetRawValue(HKEY key, const std::string& name, DWORD type, const std::string& bytes)
{
    return RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

std::string DwordBytes(uint32_t value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

ScopedMessageBoxCapture::ScopedMessageBoxCapture(int answer)
    : answer_(answer), previous_(g_capture)
{
    g_capture = this;
    SetMessageBoxFunction(&ScopedMessageBoxCapture::Record);
}

ScopedMessageBoxCapture::~ScopedMessageBoxCapture()
{
    g_capture = previous_;
    if (!g_capture)
        FailOnUnexpectedMessageBoxes();
}

int ScopedMessageBoxCapture::Record(HWND owner, const char* text, const char* caption, UINT type)
{
    g_capture->boxes_.push_back(ShownBox{owner, text, caption, type});
    return g_capture->answer_;
}

void FailOnUnexpectedMessageBoxes()
{
    SetMessageBoxFunction(&UnexpectedBox);
}
