// Driver profiles against the real registry.
#include "app_fixture.h"
#include "test_support.h"
#include "driver/profile_store.h"
#include "core/error.h"

namespace {
class ProfileStore : public AppTest {
protected:
    TSetting Glide()
    {
        TSetting p;
        p.KeyName = "Glide";
        return p;
    }
    struct Stored {
        DWORD type;          // REG_NONE: the value is missing
        std::string data;    // bytes as stored (a REG_SZ gets its zero added)
    };
    void Store(const char* name, const Stored& s)
    {
        if (s.type == REG_NONE)
            return;
        if (s.type == REG_SZ || s.type == REG_EXPAND_SZ)
            reg::SetRaw(GlideKey, name, s.type, s.data.c_str(), static_cast<DWORD>(s.data.size() + 1));
        else
            reg::SetRaw(GlideKey, name, s.type, s.data.data(), static_cast<DWORD>(s.data.size()));
    }
};

// Writes as a save after a load that read every value: all of them.
Status WriteAllGamma(const TSetting& p)
{
    UnreadValues none;
    return WriteGamma(p, none);
}
Status WriteAllRefreshRates(const TSetting& p)
{
    UnreadValues none;
    return WriteRefreshRates(p, none);
}
} // namespace

TEST_F(ProfileStore, GammaValues)
{
    const struct { int line; Stored stored; long double expected; } cases[] = {
        {__LINE__, {REG_SZ, "1.3"}, 1.3L},
        {__LINE__, {REG_SZ, " 1.3 "}, 1.3L},
        {__LINE__, {REG_EXPAND_SZ, "0.9"}, 0.9L},
        {__LINE__, {REG_SZ, "abc"}, 0},
        {__LINE__, {REG_SZ, "1,3"}, 0},
        {__LINE__, {REG_SZ, ""}, 0},
        {__LINE__, {REG_DWORD, DwordBytes(1)}, 0},
        {__LINE__, {REG_BINARY, "\x01\x02"}, 0},
        {__LINE__, {REG_NONE, ""}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        reg::DeleteTree(GlideKey);
        reg::SetString(GlideKey, "SSTV2_RGAMMA", "1.3");
        reg::SetString(GlideKey, "SSTV2_BGAMMA", "0.9");
        Store("SSTV2_GGAMMA", c.stored);
        TSetting p = Glide();
        p.GammaG = 7;
        const std::string before = reg::Dump(GlideKey);
        UnreadValues unread;
        EXPECT_OK(ReadGamma(p, unread));
        EXPECT_EQ(p.GammaR, 1.3L);
        EXPECT_EQ(p.GammaG, c.expected);
        EXPECT_EQ(p.GammaB, 0.9L);
        EXPECT_EQ(reg::Dump(GlideKey), before) << "a read changed the registry";
    }
}

TEST_F(ProfileStore, RefreshRates)
{
    const struct { int line; Stored stored; int32_t expected; } cases[] = {
        {__LINE__, {REG_SZ, "75"}, 75},
        {__LINE__, {REG_EXPAND_SZ, "85"}, 85},
        {__LINE__, {REG_SZ, "85 Hz"}, 0},
        {__LINE__, {REG_SZ, ""}, 0},
        {__LINE__, {REG_SZ, "0x3C"}, 60},
        {__LINE__, {REG_DWORD, DwordBytes(75)}, 0},
        {__LINE__, {REG_NONE, ""}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        reg::DeleteTree(GlideKey);
        reg::SetString(GlideKey, "SSTV2_REFRESH_512x384", "60");
        Store("SSTV2_REFRESH_640x480", c.stored);
        TSetting p = Glide();
        UnreadValues unread;
        EXPECT_OK(ReadRefreshRates(p, unread));
        EXPECT_EQ(RefreshRate(p, 1), 60);
        EXPECT_EQ(RefreshRate(p, 3), c.expected);
        EXPECT_EQ(RefreshRate(p, 5), 0);
    }
}

TEST_F(ProfileStore, Clock)
{
    const struct { int line; Stored stored; int32_t before; int32_t expected; } cases[] = {
        {__LINE__, {REG_NONE, ""}, 77, 90},
        {__LINE__, {REG_SZ, "75"}, 0, 75},
        {__LINE__, {REG_EXPAND_SZ, "100"}, 0, 100},
        {__LINE__, {REG_DWORD, DwordBytes(40)}, 0, 90},
        {__LINE__, {REG_DWORD, DwordBytes(200)}, 0, 200},
        {__LINE__, {REG_DWORD, DwordBytes(0xFFFFFFFF)}, 0, 90},
        {__LINE__, {REG_SZ, "-5"}, 0, 90},
        {__LINE__, {REG_SZ, "50"}, 0, 50},
        {__LINE__, {REG_BINARY, "\x5f\0\0\0"}, 100, 100},
        {__LINE__, {REG_BINARY, "\x5f\0\0\0"}, 0, 90},
        {__LINE__, {REG_MULTI_SZ, std::string("95\0\0", 4)}, 80, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        reg::DeleteTree(GlideKey);
        reg::SetString(GlideKey, "SSTV2_RGAMMA", "1");
        Store("SSTV2_GRXCLK", c.stored);
        TSetting p = Glide();
        p.Clock = c.before;
        EXPECT_OK(ReadClock(p));
        EXPECT_EQ(p.Clock, c.expected);
    }
}

TEST_F(ProfileStore, ClockThatIsNotAnIntegerRaisesAndStays)
{
    for (const char* text : {"fast", "", "9 0"}) {
        SCOPED_TRACE(text);
        reg::SetString(GlideKey, "SSTV2_GRXCLK", text);
        TSetting p = Glide();
        p.Clock = 12;
        EXPECT_EQ(ErrorOf(ReadClock(p)), "'" + std::string(text) + "' is not a valid integer value");
        EXPECT_EQ(p.Clock, 12) << "the low-clock rule must not run after the error";
    }
}

TEST_F(ProfileStore, MissingKeyReadsDefaultsAndIsNotCreated)
{
    TSetting p = Glide();
    p.GammaR = p.GammaG = p.GammaB = 3;
    RefreshRate(p, 2) = 75;
    UnreadValues unread;
    EXPECT_OK(ReadGamma(p, unread));
    EXPECT_OK(ReadRefreshRates(p, unread));
    EXPECT_OK(ReadClock(p));
    EXPECT_EQ(p.GammaR, 0);
    EXPECT_EQ(p.GammaB, 0);
    EXPECT_EQ(RefreshRate(p, 2), 0);
    EXPECT_EQ(p.Clock, 90);
    EXPECT_FALSE(reg::KeyExists(GlideKey));
}

TEST_F(ProfileStore, WritesTexts)
{
    reg::SetDword(GlideKey, "SSTV2_GRXCLK", 80);       // replaced by a string
    reg::SetString(GlideKey, "SSTV2_OTHER", "keep");   // not ours: untouched
    TSetting p = Glide();
    p.GammaR = 1.3L;
    p.GammaG = 2;
    p.GammaB = 0.05L;
    RefreshRate(p, 1) = 85;
    RefreshRate(p, 5) = -1;
    p.Clock = 95;
    EXPECT_OK(WriteAllGamma(p));
    EXPECT_OK(WriteAllRefreshRates(p));
    EXPECT_OK(WriteClock(p));
    const struct { const char* name; const char* text; } expected[] = {
        {"SSTV2_RGAMMA", "1.3"}, {"SSTV2_GGAMMA", "2"}, {"SSTV2_BGAMMA", "0.05"},
        {"SSTV2_REFRESH_512x384", "85"}, {"SSTV2_REFRESH_640x400", "0"},
        {"SSTV2_REFRESH_640x480", "0"}, {"SSTV2_REFRESH_800x600", "0"},
        {"SSTV2_REFRESH_1024x768", "-1"}, {"SSTV2_GRXCLK", "95"}, {"SSTV2_OTHER", "keep"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(reg::String(GlideKey, e.name), e.text) << e.name;
        EXPECT_EQ(reg::Type(GlideKey, e.name), static_cast<DWORD>(REG_SZ)) << e.name;
    }
    // A REG_SZ is written with its terminating zero.
    EXPECT_EQ(reg::Bytes(GlideKey, "SSTV2_RGAMMA").size(), 4u);
}

TEST_F(ProfileStore, ZeroProfileCreatesTheKey)
{
    TSetting p = Glide();
    EXPECT_OK(ReadClock(p));
    EXPECT_OK(WriteAllGamma(p));
    EXPECT_OK(WriteAllRefreshRates(p));
    EXPECT_OK(WriteClock(p));
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_GGAMMA"), "0");
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_REFRESH_800x600"), "0");
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_GRXCLK"), "90");
}

TEST_F(ProfileStore, WriteToAKeyThatCannotBeCreated)
{
    reg::MakeVolatile(VoodooKey);
    TSetting p = Glide();
    const struct { Status (*write)(const TSetting&); const char* message; } writes[] = {
        {WriteAllGamma, "Failed to set data for 'SSTV2_RGAMMA'"},
        {WriteAllRefreshRates, "Failed to set data for 'SSTV2_REFRESH_512x384'"},
        {WriteClock, "Failed to set data for 'SSTV2_GRXCLK'"},
    };
    for (const auto& w : writes)
        EXPECT_EQ(ErrorOf(w.write(p)), w.message);
    EXPECT_FALSE(reg::KeyExists(GlideKey));
    // Nothing went to the parent that was open... or anywhere else.
    EXPECT_FALSE(reg::Exists(VoodooKey, "SSTV2_RGAMMA"));
}
