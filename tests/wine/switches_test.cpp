// Tweak switches against the real registry, through the real check boxes.
#include "app_fixture.h"
#include "driver/switch_tables.h"
#include "mainwindow/control_ids.h"
#include "core/error.h"

namespace {
class Switches : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        reg::SetString(GlideKey, "SSTV2_RGAMMA", "1");
    }
    CheckBox& Box(int controlId) { return Form().Get<CheckBox>(controlId); }
    void UncheckAll()
    {
        for (int n = 1; n <= 16; ++n) Box(id::gcb(n)).SetChecked(false);
        for (int n = 1; n <= 15; ++n) Box(id::dcb(n)).SetChecked(false);
    }
    std::string SaveError() { return ErrorOf(Form().WriteSwitches()); }
};
} // namespace

TEST(SwitchTables, RowsAndValues)
{
    ASSERT_EQ(GlideSwitches.size(), 16u);
    ASSERT_EQ(D3DSwitches.size(), 15u);
    EXPECT_STREQ(GlideSwitches[0].Name, "FX_GLIDE_NO_SPLASH");
    EXPECT_STREQ(GlideSwitches[5].Value, "3");
    EXPECT_STREQ(GlideSwitches[6].Name, "SSTV2_VIDEO_FILTER_THRESHOLD");
    EXPECT_STREQ(GlideSwitches[6].Value, "65535");
    EXPECT_STREQ(D3DSwitches[1].Name, "SSTV2_ANTIALIAS");
    EXPECT_STREQ(D3DSwitches[14].Name, "SSTV2_VIDEO_DISABLE");
    for (int n = 0; n < 10; ++n) {
        EXPECT_STREQ(GlideSwitches[6 + n].Name, D3DSwitches[5 + n].Name);
        EXPECT_STREQ(GlideSwitches[6 + n].Value, D3DSwitches[5 + n].Value);
    }
}

TEST_F(Switches, GlideValueOfAnyTypeChecksItsBox)
{
    const struct { int line; DWORD type; std::string data; } cases[] = {
        {__LINE__, REG_SZ, std::string("1\0", 2)},
        {__LINE__, REG_SZ, std::string("", 1)},
        {__LINE__, REG_DWORD, DwordBytes(7)},
        {__LINE__, REG_BINARY, "\x01"},
        {__LINE__, REG_MULTI_SZ, std::string("a\0\0", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        reg::SetRaw(GlideKey, "FX_GLIDE_SWAPINTERVAL", c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
        const reg::Value stored = reg::Read(GlideKey, "FX_GLIDE_SWAPINTERVAL");
        OpenForm();
        EXPECT_TRUE(Box(id::gcb(2)).Checked());
        EXPECT_FALSE(Box(id::dcb(1)).Checked()) << "the same name in the other key";
        // A box nobody changed keeps the value as stored; changed, it is
        // written as the row's text or deleted.
        Box(id::gcb(2)).SetChecked(false);
        Box(id::gcb(2)).SetChecked(true);
        EXPECT_OK(Form().WriteSwitches());
        EXPECT_EQ(reg::Describe(reg::Read(GlideKey, "FX_GLIDE_SWAPINTERVAL")), reg::Describe(stored));
        Box(id::gcb(2)).SetChecked(false);
        EXPECT_OK(Form().WriteSwitches());
        EXPECT_FALSE(reg::Exists(GlideKey, "FX_GLIDE_SWAPINTERVAL"));
        Box(id::gcb(2)).SetChecked(true);
        EXPECT_OK(Form().WriteSwitches());
        EXPECT_EQ(reg::Describe(reg::Read(GlideKey, "FX_GLIDE_SWAPINTERVAL")), reg::Describe(reg::Text("0")));
        CloseForm();
    }
}

TEST_F(Switches, D3DValueMustHoldTheRowsText)
{
    const struct { int line; const char* name; DWORD type; std::string data; int box; bool checked; } cases[] = {
        {__LINE__, "FX_GLIDE_SWAPINTERVAL", REG_SZ, std::string("0\0", 2), 1, true},
        {__LINE__, "FX_GLIDE_SWAPINTERVAL", REG_DWORD, DwordBytes(0), 1, true},
        {__LINE__, "FX_GLIDE_SWAPINTERVAL", REG_EXPAND_SZ, std::string("0\0", 2), 1, true},
        {__LINE__, "FX_GLIDE_SWAPINTERVAL", REG_SZ, std::string("1\0", 2), 1, false},
        {__LINE__, "SSTV2_VIDEO_FILTER_THRESHOLD", REG_DWORD, DwordBytes(65535), 6, true},
        {__LINE__, "SSTV2_VIDEO_FILTER_THRESHOLD", REG_SZ, std::string("65535 \0", 7), 6, false},
        {__LINE__, "SSTV2_ANTIALIAS", REG_SZ, std::string("1\0", 2), 2, true},
        // Other types compare as the empty text, whatever was read before.
        {__LINE__, "SSTV2_ANTIALIAS", REG_BINARY, std::string("1\0\0\0", 4), 2, false},
        {__LINE__, "SSTV2_ANTIALIAS", REG_MULTI_SZ, std::string("1\0\0", 3), 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        reg::DeleteTree(D3DKey);
        reg::SetString(D3DKey, "FX_GLIDE_SWAPINTERVAL", "1");  // a text "1" read first
        reg::SetRaw(D3DKey, c.name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
        reg::SetString(GlideKey, "SSTV2_ANTIALIAS", "1");
        OpenForm();
        EXPECT_EQ(Box(id::dcb(c.box)).Checked(), c.checked);
        CloseForm();
    }
}

TEST_F(Switches, MissingD3DKeyLeavesItsBoxesAlone)
{
    // Values of the same names in the Glide key must not be taken for them.
    reg::SetString(GlideKey, "SSTV2_ANTIALIAS", "1");
    reg::SetString(GlideKey, "FX_GLIDE_SWAPINTERVAL", "0");
    OpenForm();
    Box(id::dcb(3)).SetChecked(true);
    EXPECT_OK(Form().ReadSwitches());
    EXPECT_FALSE(Box(id::dcb(1)).Checked());
    EXPECT_FALSE(Box(id::dcb(2)).Checked());
    EXPECT_TRUE(Box(id::dcb(3)).Checked()) << "unchanged";
    EXPECT_TRUE(Box(id::gcb(2)).Checked());
}

TEST_F(Switches, SaveWritesCheckedDeletesUncheckedLeavesOthers)
{
    reg::SetString(D3DKey, "FX_GLIDE_SWAPINTERVAL", "1");
    reg::SetString(D3DKey, "NOT_A_SWITCH", "x");
    reg::SetString(GlideKey, "SSTV2_SLOWPCIWR", "1");
    OpenForm();
    EXPECT_FALSE(Box(id::dcb(1)).Checked());
    Box(id::gcb(11)).SetChecked(false);
    Box(id::gcb(16)).SetChecked(true);
    Box(id::dcb(5)).SetChecked(true);
    EXPECT_OK(Form().WriteSwitches());
    const std::string once = reg::Dump("SOFTWARE\\3dfx Interactive");
    EXPECT_OK(Form().WriteSwitches());
    EXPECT_EQ(reg::Dump("SOFTWARE\\3dfx Interactive"), once) << "saving twice gives the same keys";
    EXPECT_EQ(reg::String(D3DKey, "FX_GLIDE_SWAPINTERVAL"), "1") << "shown unchecked, not changed: kept";
    EXPECT_FALSE(reg::Exists(GlideKey, "SSTV2_SLOWPCIWR")) << "unchecked by the user: deleted";
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_VIDEO_DISABLE"), "1");
    EXPECT_EQ(reg::String(D3DKey, "SSTV2_AUTOMIPMAP"), "1");
    EXPECT_FALSE(reg::Exists(GlideKey, "SSTV2_AUTOMIPMAP"));
    EXPECT_EQ(reg::String(D3DKey, "NOT_A_SWITCH"), "x");
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_RGAMMA"), "1");
}

TEST_F(Switches, SaveCreatesMissingKeys)
{
    OpenForm();
    reg::DeleteTree(GlideKey);
    Box(id::gcb(1)).SetChecked(true);
    Box(id::dcb(2)).SetChecked(true);
    EXPECT_OK(Form().WriteSwitches());
    EXPECT_EQ(reg::String(GlideKey, "FX_GLIDE_NO_SPLASH"), "1");
    EXPECT_EQ(reg::String(D3DKey, "SSTV2_ANTIALIAS"), "1");
}

TEST_F(Switches, KeysThatCannotBeCreated)
{
    OpenForm();
    UncheckAll();
    reg::MakeVolatile(VoodooKey);
    EXPECT_EQ(SaveError(), "") << "no box checked: nothing to write, nothing to report";
    Box(id::gcb(3)).SetChecked(true);
    Box(id::dcb(4)).SetChecked(true);
    EXPECT_EQ(SaveError(), "Failed to set data for 'SSTV2_SLIDETECT'");
    Box(id::gcb(3)).SetChecked(false);
    EXPECT_EQ(SaveError(), "Failed to set data for 'SSTV2_FORCE_TRILINEAR'");
    EXPECT_FALSE(reg::KeyExists(GlideKey));
    EXPECT_FALSE(reg::KeyExists(D3DKey));
}

TEST_F(Switches, D3DKeyThatCannotBeCreatedKeepsGlideClean)
{
    OpenForm();
    UncheckAll();
    reg::MakeVolatile(VoodooKey);
    reg::MakeVolatile(GlideKey);
    Box(id::gcb(4)).SetChecked(true);
    EXPECT_EQ(SaveError(), "") << "no D3D box checked: the routine ends quietly";
    Box(id::dcb(1)).SetChecked(true);
    EXPECT_EQ(SaveError(), "Failed to set data for 'FX_GLIDE_SWAPINTERVAL'");
    EXPECT_EQ(reg::String(GlideKey, "FX_GLIDE_LOD_DITHER"), "1") << "the Glide rows were written";
    EXPECT_FALSE(reg::Exists(GlideKey, "FX_GLIDE_SWAPINTERVAL")) << "no D3D row lands in the Glide key";
    EXPECT_FALSE(reg::KeyExists(D3DKey));
}
