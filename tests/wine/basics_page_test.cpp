// The Basics page, driven through its real controls with the messages a
// user's input produces.
#include "app_fixture.h"
#include "mainwindow/control_ids.h"
#include <commctrl.h>

namespace {
class BasicsPage : public AppTest {
public:  // the table-driven tests' actions use the helpers too
    void SetUp() override
    {
        AppTest::SetUp();
        const struct { const char* key; const char* r; const char* g; const char* b; const char* clock; } profiles[] = {
            {GlideKey, "1.3", "1.25", "1.2", "95"},
            {D3DKey, "1.1", "1.05", "2.37", "100"},
        };
        for (const auto& p : profiles) {
            reg::SetString(p.key, "SSTV2_RGAMMA", p.r);
            reg::SetString(p.key, "SSTV2_GGAMMA", p.g);
            reg::SetString(p.key, "SSTV2_BGAMMA", p.b);
            reg::SetString(p.key, "SSTV2_GRXCLK", p.clock);
            reg::SetString(p.key, "SSTV2_REFRESH_800x600", "72");
        }
    }
    HWND H(int controlId) { return Form().Find(controlId).Handle(); }
    int Pos(int slider) { return static_cast<int>(SendMessageA(H(slider), TBM_GETPOS, 0, 0)); }
    std::string Text(int controlId) { return Form().Find(controlId).Text(); }

    // A key press on a control, as the keyboard delivers it.
    void Key(int controlId, WPARAM vk)
    {
        SetFocus(H(controlId));
        SendMessageA(H(controlId), WM_KEYDOWN, vk, 1);
        SendMessageA(H(controlId), WM_KEYUP, vk, 0xC0000001);
        Pump();
    }
    // A drag of a slider's thumb to a position: the slider reports each step.
    void Drag(int slider, int position)
    {
        SendMessageA(H(slider), TBM_SETPOS, TRUE, position);
        SendMessageA(GetParent(H(slider)), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                     reinterpret_cast<LPARAM>(H(slider)));
        SendMessageA(GetParent(H(slider)), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                     reinterpret_cast<LPARAM>(H(slider)));
        Pump();
    }
    // A click on a tab of the Selector.
    void ClickTab(int index)
    {
        RECT r{};
        SendMessageA(H(id::Selector), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(H(id::Selector), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(H(id::Selector), WM_LBUTTONUP, 0, at);
        Pump();
    }
    void Pick(int list, int item)
    {
        // Keyboard on the closed list: Home, then Down item times.
        Key(list, VK_HOME);
        for (int i = 0; i < item; ++i)
            Key(list, VK_DOWN);
    }
    void Click(int button)
    {
        SendMessageA(H(button), BM_CLICK, 0, 0);
        Pump();
    }
};
} // namespace

TEST_F(BasicsPage, OpensOnDirect3DWithItsValues)
{
    OpenForm();
    EXPECT_EQ(TabCtrl_GetCurSel(H(id::Selector)), 0);
    const struct { int slider; int label; int position; const char* text; } rows[] = {
        {id::TrRed, id::lred, 110, "1.10"},
        {id::TrGreen, id::lgreen, 105, "1.05"},
        {id::TrBlue, id::lblue, 237, "2.37"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(Pos(r.slider), r.position);
        EXPECT_EQ(Text(r.label), r.text);
        EXPECT_EQ(SendMessageA(H(r.slider), TBM_GETSELEND, 0, 0), r.position);
    }
    EXPECT_EQ(Pos(id::ClockSpeed), 100);
    EXPECT_EQ(Text(id::lclock), "\xd3rajel - 100 Hz");
    EXPECT_EQ(SendMessageA(H(id::ClockSpeed), TBM_GETSELSTART, 0, 0), 50);
    EXPECT_EQ(SendMessageA(H(id::Refrrate800x600), CB_GETCURSEL, 0, 0), 1) << "72 shows 75 Hz";
    EXPECT_EQ(SendMessageA(H(id::Refrrate512x384), CB_GETCURSEL, 0, 0), -1) << "0 shows nothing";
    EXPECT_EQ(Form().D3DProfile.Clock, 100);
    EXPECT_EQ(RefreshRate(Form().D3DProfile, 4), 72) << "showing never changes the rate";
}

TEST_F(BasicsPage, KeyboardMovesAGammaSliderByATenth)
{
    OpenForm();
    Key(id::TrRed, VK_RIGHT);
    EXPECT_EQ(Pos(id::TrRed), 120);
    EXPECT_EQ(Text(id::lred), "1.20");
    EXPECT_EQ(Form().D3DProfile.GammaR, 1.2L);
    EXPECT_EQ(Form().D3DProfile.GammaG, 1.05L);
    EXPECT_EQ(Form().D3DProfile.GammaB, 2.37L);
    EXPECT_EQ(Form().GlideProfile.GammaR, 1.3L) << "the other profile is untouched";
}

TEST_F(BasicsPage, LinkedSlidersFollow)
{
    OpenForm();
    SendMessageA(H(id::LinkSl), BM_SETCHECK, BST_CHECKED, 0);
    Drag(id::TrBlue, 250);
    for (int slider : {id::TrRed, id::TrGreen, id::TrBlue})
        EXPECT_EQ(Pos(slider), 250);
    for (int label : {id::lred, id::lgreen, id::lblue})
        EXPECT_EQ(Text(label), "2.50");
    const TSetting& p = Form().D3DProfile;
    EXPECT_EQ(p.GammaR, 2.5L);
    EXPECT_EQ(p.GammaG, 2.5L);
    EXPECT_EQ(p.GammaB, 2.5L);
}

TEST_F(BasicsPage, LinkThenTabChangeGivesTheRedValue)
{
    OpenForm();
    SendMessageA(H(id::LinkSl), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(Form().GlideProfile.GammaG, 1.25L) << "ticking alone changes nothing";
    ClickTab(1);
    EXPECT_EQ(TabCtrl_GetCurSel(H(id::Selector)), 1);
    const TSetting& glide = Form().GlideProfile;
    EXPECT_EQ(glide.GammaR, 1.3L);
    EXPECT_EQ(glide.GammaG, 1.3L);
    EXPECT_EQ(glide.GammaB, 1.3L);
    EXPECT_EQ(Pos(id::ClockSpeed), 95);
    EXPECT_EQ(Text(id::lclock), "\xd3rajel - 95 Hz");
}

TEST_F(BasicsPage, PickAndFactoryValueOnGlide)
{
    OpenForm();
    ClickTab(1);
    Pick(id::Refrrate800x600, 2);
    EXPECT_EQ(RefreshRate(Form().GlideProfile, 4), 85);
    EXPECT_EQ(RefreshRate(Form().D3DProfile, 4), 72);
    Click(id::Button4);
    EXPECT_EQ(Form().GlideProfile.Clock, 90);
    EXPECT_EQ(Pos(id::ClockSpeed), 90);
    EXPECT_EQ(Text(id::lclock), "\xd3rajel - 90 Hz");
    EXPECT_EQ(SendMessageA(H(id::ClockSpeed), TBM_GETSELEND, 0, 0), 90);
    EXPECT_EQ(Form().D3DProfile.Clock, 100);
}

TEST_F(BasicsPage, OutOfRangeValuesShowAtTheEnds)
{
    const struct { int line; const char* red; const char* clock; int pos; const char* label;
                   long double stored; int clockPos; } cases[] = {
        {__LINE__, "5", "150", 400, "4.00", 4.0L, 120},
        {__LINE__, "-1", "40", 0, "0.00", 0.0L, 90},
        {__LINE__, "1.239", "120", 123, "1.23", 1.23L, 120},
        {__LINE__, "1E30", "75", 400, "4.00", 4.0L, 75},
        {__LINE__, "-1E30", "75", 0, "0.00", 0.0L, 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        reg::SetString(D3DKey, "SSTV2_RGAMMA", c.red);
        reg::SetString(D3DKey, "SSTV2_GRXCLK", c.clock);
        OpenForm();
        EXPECT_EQ(Pos(id::TrRed), c.pos);
        EXPECT_EQ(Text(id::lred), c.label);
        EXPECT_EQ(Form().D3DProfile.GammaR, c.stored);
        EXPECT_EQ(Pos(id::ClockSpeed), c.clockPos);
        EXPECT_EQ(Form().D3DProfile.Clock, c.clockPos);
        CloseForm();
    }
}

TEST_F(BasicsPage, TwoDecimalGammasSurviveTabChanges)
{
    OpenForm();
    for (int round = 0; round < 6; ++round)
        ClickTab(round % 2 ? 0 : 1);
    EXPECT_EQ(Form().D3DProfile.GammaG, 1.05L);
    EXPECT_EQ(Form().D3DProfile.GammaB, 2.37L);
    EXPECT_EQ(Form().GlideProfile.GammaG, 1.25L);
}

TEST_F(BasicsPage, ValuesSetFromCodeRaiseNothing)
{
    OpenForm();
    const TSetting before = Form().D3DProfile;
    SendMessageA(H(id::TrRed), TBM_SETPOS, TRUE, 300);
    SendMessageA(H(id::Refrrate512x384), CB_SETCURSEL, 2, 0);
    SendMessageA(H(id::ClockSpeed), TBM_SETPOS, TRUE, 60);
    Pump();
    EXPECT_EQ(Form().D3DProfile.GammaR, before.GammaR);
    EXPECT_EQ(RefreshRate(Form().D3DProfile, 1), RefreshRate(before, 1));
    EXPECT_EQ(Form().D3DProfile.Clock, before.Clock);
}

TEST_F(BasicsPage, NoSelectedTabStoresNothing)
{
    OpenForm();
    TabCtrl_SetCurSel(H(id::Selector), -1);
    const TSetting d3d = Form().D3DProfile;
    Key(id::TrRed, VK_RIGHT);
    Click(id::Button4);
    EXPECT_EQ(Text(id::lred), "1.20") << "the label still follows the slider";
    EXPECT_EQ(Form().D3DProfile.GammaR, d3d.GammaR);
    EXPECT_EQ(Form().D3DProfile.Clock, d3d.Clock);
}

// A gamma or rate the load could not take as its number shows as 0 and
// keeps its stored bytes through OK, unless the user changes it: moves its
// own slider (or a linked one) to another value, or picks a rate.
TEST_F(BasicsPage, UnreadValuesAreSavedOnlyWhenChanged)
{
    using Action = void (*)(BasicsPage&);
    const reg::Value comma = reg::Text("1,3"), two = reg::Dword(2), rate = reg::Text("85 Hz");
    const struct { int line; const char* name; reg::Value stored; Action act; reg::Value saved; } cases[] = {
        {__LINE__, "SSTV2_GGAMMA", comma, [](BasicsPage&) {}, comma},
        {__LINE__, "SSTV2_GGAMMA", two, [](BasicsPage& t) { t.Drag(id::TrRed, 150); }, two},
        {__LINE__, "SSTV2_GGAMMA", reg::Absent(), [](BasicsPage& t) { t.Drag(id::TrBlue, 150); }, reg::Absent()},
        {__LINE__, "SSTV2_GGAMMA", comma, [](BasicsPage& t) { t.Drag(id::TrGreen, 130); }, reg::Text("1.3")},
        {__LINE__, "SSTV2_GGAMMA", comma,
         [](BasicsPage& t) { t.Drag(id::TrGreen, 130); t.Drag(id::TrGreen, 0); }, comma},
        {__LINE__, "SSTV2_GGAMMA", reg::Absent(),
         [](BasicsPage& t) { t.Click(id::LinkSl); t.Drag(id::TrRed, 150); }, reg::Text("1.5")},
        {__LINE__, "SSTV2_REFRESH_512x384", rate, [](BasicsPage& t) { t.Pick(id::Refrrate640x400, 1); }, rate},
        {__LINE__, "SSTV2_REFRESH_512x384", rate, [](BasicsPage& t) { t.Pick(id::Refrrate512x384, 1); },
         reg::Text("75")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TearDown();
        SetUp();
        reg::Put(D3DKey, c.name, c.stored);
        OpenForm();
        c.act(*this);
        Click(id::Button1);
        EXPECT_EQ(reg::Describe(reg::Read(D3DKey, c.name)), reg::Describe(c.saved));
        EXPECT_EQ(reg::String(D3DKey, "SSTV2_GRXCLK"), "100") << "the save ran";
    }
}
