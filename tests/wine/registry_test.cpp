// The registry accessor against the real registry of the Wine prefix. Each
// test works under a key of its own and removes it afterwards; values of
// types the program never writes are stored with RegSetValueExA directly.
#include "platform/registry.h"
#include "tests/wine/test_support.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <iterator>

namespace {

using Type = RegistryAccessor::DataType;
constexpr DWORD NoValue = 0xFFFFFFFF;  // the row stores nothing
constexpr DWORD REG_QWORD_TYPE = 11;   // not in the Windows 95 era headers

struct RootCase {
    HKEY key;
    const char* name;
};
const RootCase Roots[] = {{HKEY_CURRENT_USER, "HKCU"}, {HKEY_LOCAL_MACHINE, "HKLM"}};

// Fixture for the value tests: the accessor has the test key open.
class RegistryValues : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(reg_.OpenKey(key_.Rooted(), false)); }
    void Store(const char* name, DWORD type, const std::string& bytes)
    {
        if (type != NoValue) {
            ASSERT_TRUE(key_.Set(name, type, bytes));
        }
    }
    reg::Value Raw(const char* name) const { return key_.Read("", name); }

    ScopedTestKey key_;
    RegistryAccessor reg_;
};

} // namespace

TEST(RegistryKeys, OpenKeyPathsAndFailures)
{
    // In paths '$' stands for the test key's path from the root. The key
    // `start` is opened first (nullptr: none is); `now` is where the
    // accessor stands afterwards (nullptr: no key open), `absent` a key the
    // call must not have made.
    struct Row {
        int line;
        const char* start;
        const char* path;
        bool create;
        bool ok;
        const char* now;
        const char* absent;
    };
    const Row rows[] = {
        {__LINE__, nullptr, "\\$\\A", false, true, "A", nullptr},
        {__LINE__, nullptr, "$\\A", false, true, "A", nullptr},
        {__LINE__, "A", "B", false, true, "A\\B", nullptr},
        {__LINE__, "A", "\\$\\B", false, true, "B", nullptr},
        {__LINE__, "A", "\\$", false, true, "", nullptr},
        {__LINE__, "A", "$\\B", false, false, "A", "A\\SOFTWARE"},
        {__LINE__, nullptr, "\\$\\Missing", false, false, nullptr, "Missing"},
        {__LINE__, "A", "Missing", false, false, "A", "A\\Missing"},
        {__LINE__, "A", "New", true, true, "A\\New", nullptr},
        {__LINE__, "A", "B", true, true, "A\\B", nullptr},
        {__LINE__, nullptr, "\\$\\N1\\N2", true, true, "N1\\N2", nullptr},
        {__LINE__, nullptr, "$\\N1", true, true, "N1", nullptr},
        {__LINE__, "A", "\\$\\Vol\\Child", true, false, "A", "Vol\\Child"},
        {__LINE__, nullptr, "\\$\\Vol\\Child", true, false, nullptr, "Vol\\Child"},
    };
    for (const RootCase& root : Roots) {
        for (const Row& row : rows) {
            testing::ScopedTrace trace(__FILE__, row.line, root.name);
            ScopedTestKey key(root.key);
            ASSERT_TRUE(key.CreateSubKey("A\\B"));
            ASSERT_TRUE(key.CreateSubKey("B"));
            ASSERT_TRUE(key.CreateSubKey("Vol", true));
            std::string path = row.path;
            if (const auto at = path.find('$'); at != std::string::npos)
                path.replace(at, 1, key.Path());

            RegistryAccessor reg(root.key);
            if (row.start) {
                ASSERT_TRUE(reg.OpenKey(key.Rooted(row.start), false));
            }
            EXPECT_EQ(reg.OpenKey(path, row.create), row.ok);
            if (row.absent) {
                EXPECT_FALSE(key.SubKeyExists(row.absent));
            }

            // A write lands in the key the accessor stands in, which also
            // shows that keys are opened for writing even without create.
            const std::string mark = std::to_string(row.line);
            if (row.now) {
                EXPECT_EQ(ErrorOf(reg.WriteString("Mark", mark)), "");
                EXPECT_EQ(key.Read(row.now, "Mark").bytes, mark + '\0');
            } else {
                EXPECT_EQ(ErrorOf(reg.WriteString("Mark", mark)),
                          "Failed to set data for 'Mark'");
            }
        }
    }
}

TEST(RegistryKeys, PathsStartAtTheAccessorsRoot)
{
    ScopedTestKey machine(HKEY_LOCAL_MACHINE), user(HKEY_CURRENT_USER);
    ASSERT_TRUE(machine.Set("Who", REG_SZ, Bytes("machine\0")));
    ASSERT_TRUE(user.Set("Who", REG_SZ, Bytes("user\0")));

    RegistryAccessor onMachine(HKEY_LOCAL_MACHINE), onUser(HKEY_CURRENT_USER);
    ASSERT_TRUE(onMachine.OpenKey(machine.Rooted(), false));
    EXPECT_EQ(*onMachine.ReadString("Who"), "machine");
    // The other root's key is not there for it.
    EXPECT_FALSE(onUser.OpenKey(machine.Rooted(), false));
    EXPECT_FALSE(onUser.ValueExists("Who"));
    // With no key open a relative path starts at the root.
    ASSERT_TRUE(onUser.OpenKey(user.Path(), false));
    EXPECT_EQ(*onUser.ReadString("Who"), "user");
}

TEST(RegistryKeys, EveryOpenedKeyIsClosed)
{
    // Wine hands out the lowest free handle, so a key the accessor did not
    // close shows as a different handle for the next key opened here.
    ScopedTestKey key;
    auto nextHandle = [&] {
        HKEY h = nullptr;
        RegOpenKeyExA(key.root(), key.Path().c_str(), 0, KEY_READ, &h);
        RegCloseKey(h);
        return h;
    };
    const HKEY free = nextHandle();
    {
        HKEY held = nullptr;
        RegOpenKeyExA(key.root(), key.Path().c_str(), 0, KEY_READ, &held);
        const bool reused = nextHandle() == free;
        RegCloseKey(held);
        if (reused || nextHandle() != free)
            GTEST_SKIP() << "handle values are not handed out lowest first here";
    }
    {
        RegistryAccessor reg;
        ASSERT_TRUE(reg.OpenKey(key.Rooted(), false));
    }
    EXPECT_EQ(nextHandle(), free) << "destructor";
    {
        RegistryAccessor reg;
        ASSERT_TRUE(reg.OpenKey(key.Rooted(), false));
        ASSERT_TRUE(reg.OpenKey(key.Rooted(), false));
        EXPECT_EQ(nextHandle(), free) << "opening another key";
    }
}

TEST(RegistryKeys, NoKeyOpenMeansMissingValuesAndFailedWrites)
{
    RegistryAccessor reg;
    char buffer[4] = {'k', 'e', 'e', 'p'};
    EXPECT_FALSE(reg.ValueExists("V"));
    EXPECT_EQ(reg.GetDataType("V"), Type::Unknown);
    EXPECT_EQ(*reg.ReadString("V"), "");
    EXPECT_EQ(ErrorOf(reg.ReadInteger("V")), "Failed to get data for 'V'");
    EXPECT_EQ(*reg.ReadBinaryData("V", buffer, sizeof buffer), 0);
    EXPECT_EQ(std::string(buffer, 4), "keep");
    EXPECT_EQ(ErrorOf(reg.WriteString("V", "x")), "Failed to set data for 'V'");
    EXPECT_EQ(ErrorOf(reg.WriteBinaryData("V", "x", 1)), "Failed to set data for 'V'");
    EXPECT_FALSE(reg.DeleteValue("V"));
}

TEST_F(RegistryValues, Type)
{
    struct Row {
        int line;
        DWORD type;
        std::string bytes;
        Type expected;
    };
    const Row rows[] = {
        {__LINE__, REG_SZ, Bytes("abc\0"), Type::String},
        {__LINE__, REG_EXPAND_SZ, Bytes("%TEMP%\0"), Type::ExpandString},
        {__LINE__, REG_DWORD, DwordBytes(7), Type::Integer},
        {__LINE__, REG_BINARY, Bytes("\1\2\3\4\5"), Type::Binary},
        {__LINE__, REG_BINARY, "", Type::Binary},
        {__LINE__, REG_MULTI_SZ, Bytes("a\0b\0\0"), Type::Unknown},
        {__LINE__, REG_NONE, Bytes("\1\2"), Type::Unknown},
        {__LINE__, REG_DWORD_BIG_ENDIAN, DwordBytes(7), Type::Unknown},
        {__LINE__, REG_QWORD_TYPE, Bytes("12345678"), Type::Unknown},
        {__LINE__, NoValue, "", Type::Unknown},
    };
    for (const Row& row : rows) {
        testing::ScopedTrace trace(__FILE__, row.line, "");
        reg_.DeleteValue("V");
        Store("V", row.type, row.bytes);
        EXPECT_EQ(reg_.ValueExists("V"), row.type != NoValue);
        EXPECT_EQ(reg_.GetDataType("V"), row.expected);
    }
}

TEST_F(RegistryValues, ReadString)
{
    struct Row {
        int line;
        DWORD type;
        std::string bytes;
        const char* expected;  // nullptr: the read fails with `error`
        const char* error;
    };
    const Row rows[] = {
        {__LINE__, REG_SZ, Bytes("hello\0"), "hello", nullptr},
        {__LINE__, REG_SZ, Bytes("\0"), "", nullptr},
        {__LINE__, REG_SZ, "", "", nullptr},
        {__LINE__, REG_SZ, Bytes("abc"), "abc", nullptr},
        {__LINE__, REG_SZ, Bytes("ab\0cd\0"), "ab", nullptr},
        {__LINE__, REG_SZ, Bytes("ab\0cd"), "ab", nullptr},
        {__LINE__, REG_SZ, Bytes("Gamma \xe9rt\xe9k\0"), "Gamma érték", nullptr},
        {__LINE__, REG_EXPAND_SZ, Bytes("%TEMP%\\x\0"), "%TEMP%\\x", nullptr},
        {__LINE__, NoValue, "", "", nullptr},
        {__LINE__, REG_DWORD, DwordBytes(1), nullptr, "Invalid data type for 'V'"},
        {__LINE__, REG_BINARY, Bytes("abc\0"), nullptr, "Invalid data type for 'V'"},
        {__LINE__, REG_MULTI_SZ, Bytes("a\0b\0\0"), nullptr, "Invalid data type for 'V'"},
        {__LINE__, REG_NONE, "", nullptr, "Invalid data type for 'V'"},
    };
    for (const Row& row : rows) {
        testing::ScopedTrace trace(__FILE__, row.line, "");
        reg_.DeleteValue("V");
        Store("V", row.type, row.bytes);
        std::string got = "(none)";
        EXPECT_EQ(ErrorOf(reg_.ReadString("V"), got), row.error ? row.error : "");
        if (row.expected) {
            EXPECT_EQ(got, row.expected);
        }
    }
}

TEST_F(RegistryValues, LongStrings)
{
    const std::string big(1 << 20, 'x');
    EXPECT_OK(reg_.WriteString("Written", big));
    EXPECT_EQ(Raw("Written").bytes.size(), (1u << 20) + 1) << "with its terminating zero";
    EXPECT_EQ(*reg_.ReadString("Written"), big);
    // Stored by someone else without the terminating zero.
    Store("Raw", REG_SZ, big);
    EXPECT_EQ(*reg_.ReadString("Raw"), big);
}

TEST_F(RegistryValues, HungarianTextGoesThroughCodePage1250)
{
    // The system keeps strings as Unicode: text the program writes must be
    // taken as Windows-1250, and Unicode text others wrote must come back in
    // it. 'ő' and 'ű' are not in Latin-1, so a wrong code page shows.
    const std::string text = "árvíztűrő tükörfúrógép ŐŰ";
    const std::wstring wide = L"\u00e1rv\u00edzt\u0171r\u0151 t\u00fck\u00f6rf\u00far\u00f3g\u00e9p \u0150\u0170";
    EXPECT_OK(reg_.WriteString("Mine", text));
    WCHAR stored[64] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(RegQueryValueExW(key_.get(), L"Mine", nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), wide);
    EXPECT_EQ(*reg_.ReadString("Mine"), text);

    ASSERT_EQ(RegSetValueExW(key_.get(), L"Theirs", 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                             static_cast<DWORD>((wide.size() + 1) * sizeof(WCHAR))),
              ERROR_SUCCESS);
    EXPECT_EQ(*reg_.ReadString("Theirs"), text);
}

TEST_F(RegistryValues, ReadInteger)
{
    struct Row {
        int line;
        DWORD type;
        std::string bytes;
        int32_t expected;
        const char* error;  // nullptr: the read gives `expected`
    };
    const Row rows[] = {
        {__LINE__, REG_DWORD, DwordBytes(0), 0, nullptr},
        {__LINE__, REG_DWORD, DwordBytes(1234567), 1234567, nullptr},
        {__LINE__, REG_DWORD, DwordBytes(0x7FFFFFFF), INT32_MAX, nullptr},
        {__LINE__, REG_DWORD, DwordBytes(0x80000000), INT32_MIN, nullptr},
        {__LINE__, REG_DWORD, DwordBytes(0xFFFFFFFF), -1, nullptr},
        {__LINE__, NoValue, "", 0, "Failed to get data for 'V'"},
        {__LINE__, REG_SZ, Bytes("12\0"), 0, "Invalid data type for 'V'"},
        {__LINE__, REG_SZ, std::string(100, '7') + '\0', 0, "Invalid data type for 'V'"},
        {__LINE__, REG_BINARY, DwordBytes(5), 0, "Invalid data type for 'V'"},
        {__LINE__, REG_BINARY, Bytes("12345678"), 0, "Invalid data type for 'V'"},
        {__LINE__, REG_DWORD_BIG_ENDIAN, DwordBytes(5), 0, "Invalid data type for 'V'"},
        {__LINE__, REG_QWORD_TYPE, Bytes("12345678"), 0, "Invalid data type for 'V'"},
    };
    for (const Row& row : rows) {
        testing::ScopedTrace trace(__FILE__, row.line, "");
        reg_.DeleteValue("V");
        Store("V", row.type, row.bytes);
        int32_t got = 0;
        EXPECT_EQ(ErrorOf(reg_.ReadInteger("V"), got), row.error ? row.error : "");
        EXPECT_EQ(got, row.expected);
    }
}

TEST_F(RegistryValues, ReadBinaryData)
{
    // The buffer holds 8 bytes and starts filled with '#'; `room` is the
    // size the caller claims for it.
    struct Row {
        int line;
        DWORD type;
        std::string bytes;
        int room;
        int expected;
        const char* error;  // nullptr: the read returns `expected`
    };
    const Row rows[] = {
        {__LINE__, REG_BINARY, Bytes("\1\2\3"), 8, 3, nullptr},
        {__LINE__, REG_BINARY, Bytes("12345678"), 8, 8, nullptr},
        {__LINE__, REG_BINARY, Bytes("1234"), 4, 4, nullptr},
        {__LINE__, REG_BINARY, "", 8, 0, nullptr},
        {__LINE__, REG_BINARY, "", 0, 0, nullptr},
        {__LINE__, REG_NONE, Bytes("\1\2"), 8, 2, nullptr},
        {__LINE__, REG_MULTI_SZ, Bytes("a\0b\0\0"), 8, 5, nullptr},
        {__LINE__, REG_QWORD_TYPE, Bytes("12345678"), 8, 8, nullptr},
        {__LINE__, NoValue, "", 8, 0, nullptr},
        {__LINE__, REG_BINARY, Bytes("12345"), 4, 0, "Invalid data type for 'V'"},
        {__LINE__, REG_BINARY, Bytes("1"), 0, 0, "Invalid data type for 'V'"},
        {__LINE__, REG_BINARY, Bytes("1"), -1, 0, "Invalid data type for 'V'"},
        {__LINE__, REG_MULTI_SZ, Bytes("abcdefgh\0\0"), 8, 0, "Invalid data type for 'V'"},
        {__LINE__, REG_SZ, Bytes("ab\0"), 8, 0, "Invalid data type for 'V'"},
        {__LINE__, REG_EXPAND_SZ, Bytes("ab\0"), 8, 0, "Invalid data type for 'V'"},
        {__LINE__, REG_DWORD, DwordBytes(1), 8, 0, "Invalid data type for 'V'"},
    };
    for (const Row& row : rows) {
        testing::ScopedTrace trace(__FILE__, row.line, "");
        reg_.DeleteValue("V");
        Store("V", row.type, row.bytes);
        char buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        int got = -1;
        EXPECT_EQ(ErrorOf(reg_.ReadBinaryData("V", buffer, row.room), got),
                  row.error ? row.error : "");
        // Copied bytes, then the rest of the buffer as it was.
        std::string contents = row.error ? std::string() : row.bytes.substr(0, row.expected);
        contents.resize(sizeof buffer, '#');
        EXPECT_EQ(std::string(buffer, sizeof buffer), contents);
        if (!row.error) {
            EXPECT_EQ(got, row.expected);
        }
    }
}

TEST_F(RegistryValues, Writes)
{
    // Each row stores `before`, then writes a string or binary data; the
    // value afterwards has `type` and `bytes` (NoValue: `before` is kept).
    enum Op { String, Binary };
    struct Row {
        int line;
        DWORD beforeType;
        std::string before;
        Op op;
        std::string data;
        int size;  // for binary writes
        DWORD type;
        std::string bytes;
        const char* error;
    };
    const Row rows[] = {
        {__LINE__, NoValue, "", String, "abc", 0, REG_SZ, Bytes("abc\0"), nullptr},
        {__LINE__, NoValue, "", String, "", 0, REG_SZ, Bytes("\0"), nullptr},
        {__LINE__, REG_DWORD, DwordBytes(9), String, "9", 0, REG_SZ, Bytes("9\0"), nullptr},
        {__LINE__, REG_BINARY, Bytes("\1\2"), String, "x", 0, REG_SZ, Bytes("x\0"), nullptr},
        {__LINE__, REG_SZ, Bytes("longer text\0"), String, "x", 0, REG_SZ, Bytes("x\0"), nullptr},
        {__LINE__, REG_EXPAND_SZ, Bytes("%x%\0"), String, "%y%", 0, REG_SZ, Bytes("%y%\0"), nullptr},
        {__LINE__, NoValue, "", Binary, Bytes("\1\0\2"), 3, REG_BINARY, Bytes("\1\0\2"), nullptr},
        {__LINE__, NoValue, "", Binary, "", 0, REG_BINARY, "", nullptr},
        {__LINE__, REG_SZ, Bytes("abc\0"), Binary, Bytes("\xff"), 1, REG_BINARY, Bytes("\xff"), nullptr},
        {__LINE__, REG_DWORD, DwordBytes(1), Binary, Bytes("12"), 2, REG_BINARY, Bytes("12"), nullptr},
        {__LINE__, REG_DWORD, DwordBytes(1), Binary, Bytes("12"), -1, NoValue, "", "Failed to set data for 'V'"},
    };
    for (const Row& row : rows) {
        testing::ScopedTrace trace(__FILE__, row.line, "");
        reg_.DeleteValue("V");
        Store("V", row.beforeType, row.before);
        EXPECT_EQ(ErrorOf(row.op == String ? reg_.WriteString("V", row.data)
                                           : reg_.WriteBinaryData("V", row.data.data(), row.size)),
                  row.error ? row.error : "");
        const reg::Value after = Raw("V");
        EXPECT_EQ(after.type, row.type == NoValue ? row.beforeType : row.type);
        EXPECT_EQ(after.bytes, row.type == NoValue ? row.before : row.bytes);
    }
}

TEST_F(RegistryValues, KeyDeletedWhileOpen)
{
    // Another program removes the key the accessor has open: writes must
    // report the failure, reads find nothing.
    ASSERT_TRUE(key_.Set("V", REG_DWORD, DwordBytes(3)));
    ASSERT_TRUE(reg::DeleteTree(key_.Path(), key_.root()));
    EXPECT_EQ(ErrorOf(reg_.WriteString("V", "x")), "Failed to set data for 'V'");
    EXPECT_EQ(ErrorOf(reg_.WriteBinaryData("V", "x", 1)), "Failed to set data for 'V'");
    EXPECT_EQ(ErrorOf(reg_.ReadInteger("V")), "Failed to get data for 'V'");
    EXPECT_EQ(*reg_.ReadString("V"), "");
    EXPECT_FALSE(reg_.ValueExists("V"));
    ASSERT_TRUE(key_.CreateSubKey(""));  // for the fixture to remove
}

TEST_F(RegistryValues, DeleteValue)
{
    ASSERT_TRUE(key_.Set("Gone", REG_SZ, Bytes("a\0")));
    ASSERT_TRUE(key_.Set("Kept", REG_DWORD, DwordBytes(1)));
    EXPECT_TRUE(reg_.DeleteValue("Gone"));
    EXPECT_FALSE(Raw("Gone").present);
    EXPECT_TRUE(Raw("Kept").present);
    EXPECT_FALSE(reg_.DeleteValue("Gone"));
    EXPECT_EQ(*reg_.ReadInteger("Kept"), 1);
}
