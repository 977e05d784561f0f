// The one load and the one save, in process: their order, and what an
// error does to each.
#include "mainwindow/splash.h"
#include "app_fixture.h"
#include "form_access.h"
#include "controls/number_field.h"
#include "mainwindow/control_ids.h"
#include <commctrl.h>
#include <vector>

namespace {
class LoadSave : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        for (const char* key : {GlideKey, D3DKey}) {
            reg::SetString(key, "SSTV2_RGAMMA", "1.3");
            reg::SetString(key, "SSTV2_GGAMMA", "1.2");
            reg::SetString(key, "SSTV2_BGAMMA", "1.1");
            reg::SetString(key, "SSTV2_GRXCLK", "95");
            reg::SetString(key, "SSTV2_REFRESH_640x480", "75");
            reg::SetString(key, "FX_GLIDE_SWAPINTERVAL", "0");
        }
        reg::SetBinary(TemplateKey, "PathCache", {64, 0, 0, 0});
        reg::SetBinary(TemplateKey, "NameCache", {0xa9, 0x0a, 0, 0});
        WriteSystemIni(ReadSystemIni() + "[vcache]\r\nchunksize=512\r\n");
    }
    TForm1& OpenWithSplash()
    {
        SplashForm = std::make_unique<TSplashForm>();
        SplashForm->ShowAndPaint();
        return OpenForm();
    }
    std::string Save()
    {
        boxes.clear();
        SendMessageA(Form().Find(id::Button1).Handle(), BM_CLICK, 0, 0);
        Pump();
        return boxes.empty() ? "" : boxes[0].text;
    }
    bool WindowOpen() { return Form().Handle() && IsWindowVisible(Form().Handle()); }
    // All of HKLM\SOFTWARE and system.ini.
    SettingsSnapshot Everything() { return SettingsSnapshot({"SOFTWARE"}); }
};
} // namespace

TEST_F(LoadSave, LoadEndsOnTheInfoPageWithTheSplashGone)
{
    OpenWithSplash();
    EXPECT_EQ(Form().ActivePage(), 0);
    EXPECT_FALSE(SplashForm) << "the splash window is freed";
    EXPECT_EQ(Form().D3DProfile.Clock, 95);
    EXPECT_EQ(Form().Get<TrackBar>(id::ClockSpeed).Position(), 95);
    EXPECT_EQ(Form().GlideProfile.KeyName, "Glide");
    EXPECT_EQ(Form().D3DProfile.KeyName, "D3D");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LoadSave, SplashBarStepsBeforeEachRead)
{
    // A read that fails shows its error while the splash is still up, so the
    // bar's position then tells how many steps came before that read.
    const struct { int line; const char* key; const char* name; int steps; } cases[] = {
        {__LINE__, nullptr, "", 5},        // cache settings: the fifth read
        {__LINE__, D3DKey, "SSTV2_GRXCLK", 7},
        {__LINE__, GlideKey, "SSTV2_GRXCLK", 8},  // the last read runs on a full bar
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        SetUp();
        if (c.key)
            reg::SetString(c.key, c.name, "fast");
        else
            reg::SetDword(TemplateKey, "PathCache", 1);
        OpenWithSplash();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].splashPosition, c.steps);
        EXPECT_FALSE(SplashForm) << "freed all the same";
        CloseForm();
    }
}

TEST_F(LoadSave, MissingD3DClockIsNinetyAndSavedAsNinety)
{
    reg::DeleteTree(D3DKey);
    reg::SetString(D3DKey, "SSTV2_RGAMMA", "1");
    OpenForm();
    EXPECT_EQ(Form().D3DProfile.Clock, 90);
    EXPECT_EQ(Form().Get<TrackBar>(id::ClockSpeed).Position(), 90);
    EXPECT_EQ(Form().Find(id::lclock).Text(), "\xd3rajel - 90 Hz");
    EXPECT_EQ(Save(), "");
    EXPECT_EQ(reg::String(D3DKey, "SSTV2_GRXCLK"), "90");
}

TEST_F(LoadSave, OkWithoutEditsWritesEverything)
{
    reg::DeleteTree(GlideKey);
    OpenForm();
    EXPECT_EQ(Save(), "");
    EXPECT_EQ(Form().Handle(), nullptr) << "OK closes the window";
    // The missing key is made; of the values the reads put 0 in place of,
    // none is written (the driver takes a missing one as its default), the
    // clock's 90 is.
    EXPECT_TRUE(reg::KeyExists(GlideKey));
    EXPECT_EQ(reg::ValuesOf(GlideKey).size(), 1u);
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_GRXCLK"), "90");
    EXPECT_EQ(reg::String(D3DKey, "SSTV2_RGAMMA"), "1.3");
    EXPECT_EQ(reg::String(D3DKey, "SSTV2_REFRESH_640x480"), "75");
    EXPECT_FALSE(reg::Exists(D3DKey, "SSTV2_REFRESH_512x384"));
    EXPECT_EQ(reg::String(D3DKey, "FX_GLIDE_SWAPINTERVAL"), "0");
    EXPECT_FALSE(reg::Exists(TemplatesKey, "")) << "no choice made: none written";
}

TEST_F(LoadSave, ClockThatIsNotANumber)
{
    reg::SetString(D3DKey, "SSTV2_GRXCLK", "fast");
    reg::SetString(GlideKey, "SSTV2_GRXCLK", "80");
    OpenWithSplash();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "'fast' is not a valid integer value.");
    EXPECT_EQ(boxes[0].caption, "Tarnwick");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    // The window is still made whole.
    EXPECT_FALSE(SplashForm);
    EXPECT_EQ(Form().ActivePage(), 0);
    EXPECT_EQ(Form().Get<TrackBar>(id::TrRed).Position(), 130) << "the Basics page shows the profile";
    EXPECT_EQ(Form().GlideProfile.Clock, 0) << "the Glide clock was not read";
    EXPECT_TRUE(Access::GroupLoaded(Form(), TForm1::Group::Switches));
    EXPECT_FALSE(Access::GroupLoaded(Form(), TForm1::Group::D3DClock));

    reg::SetString(GlideKey, "SSTV2_REFRESH_640x480", "60");
    EXPECT_EQ(Save(), "");
    EXPECT_EQ(reg::String(D3DKey, "SSTV2_GRXCLK"), "fast") << "never read: left as stored";
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_GRXCLK"), "80");
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_REFRESH_640x480"), "75") << "read groups are written";
}

TEST_F(LoadSave, ClockEditedAfterAFailedLoadIsSaved)
{
    reg::SetString(GlideKey, "SSTV2_GRXCLK", "fast");
    OpenForm();
    // Direct3D tab: "Gyári érték" is a change of the D3D clock group only.
    SendMessageA(Form().Find(id::Button4).Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(Access::GroupEdited(Form(), TForm1::Group::D3DClock));
    EXPECT_EQ(Save(), "");
    EXPECT_EQ(reg::String(D3DKey, "SSTV2_GRXCLK"), "90");
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_GRXCLK"), "fast");
}

TEST_F(LoadSave, BadTemplateValueLeavesLaterGroupsAlone)
{
    reg::SetDword(TemplateKey, "PathCache", 64);
    reg::SetString(GlideKey, "SSTV2_SLOWPCIWR", "1");
    const std::string iniBefore = ReadSystemIni();
    OpenForm();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Invalid data type for 'PathCache'.");
    reg::SetString(D3DKey, "SSTV2_GRXCLK", "111");
    reg::DeleteTree(std::string(GlideKey));
    reg::SetString(GlideKey, "SSTV2_SLOWPCIWR", "1");
    EXPECT_EQ(Save(), "");
    EXPECT_EQ(reg::Type(TemplateKey, "PathCache"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ReadSystemIni(), iniBefore);
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_SLOWPCIWR"), "1") << "switches not written";
    EXPECT_EQ(reg::String(D3DKey, "SSTV2_GRXCLK"), "111") << "clocks not written";
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_RGAMMA"), "1.3") << "gamma was read: written";
}

TEST_F(LoadSave, OrderOfTheSteps)
{
    using G = TForm1::Group;
    const auto groups = [](const TForm1::Step (&steps)[8]) {
        std::vector<G> order;
        for (const auto& step : steps)
            order.push_back(step.group);
        return order;
    };
    EXPECT_EQ(groups(TForm1::LoadSteps), (std::vector<G>{G::GlideGamma, G::GlideRefresh, G::D3DGamma, G::D3DRefresh,
                                                         G::Cache, G::Switches, G::D3DClock, G::GlideClock}));
    EXPECT_EQ(groups(TForm1::SaveSteps), (std::vector<G>{G::GlideRefresh, G::D3DRefresh, G::GlideGamma, G::D3DGamma,
                                                         G::Cache, G::Switches, G::GlideClock, G::D3DClock}));
}

TEST_F(LoadSave, FailingGammaWriteStopsTheSave)
{
    OpenForm();
    reg::SetString(GlideKey, "SSTV2_REFRESH_640x480", "60");
    reg::SetString(D3DKey, "SSTV2_REFRESH_640x480", "60");
    std::string glideRefresh, d3dRefresh;
    // The save's steps run in their order; once both refresh steps are
    // done, the Glide key becomes impossible to write for real: gone, below
    // a parent that takes no lasting keys. The D3D key stays writable, so a
    // step made after the failure would show.
    Status saved;
    for (const auto& step : TForm1::SaveSteps) {
        if (step.group == TForm1::Group::GlideGamma) {
            glideRefresh = reg::String(GlideKey, "SSTV2_REFRESH_640x480");
            d3dRefresh = reg::String(D3DKey, "SSTV2_REFRESH_640x480");
            reg::MakeVolatile(VoodooKey);
            reg::MakeVolatile(D3DKey);
        }
        saved = step.run(Form());
        if (!saved.ok())
            break;
    }
    EXPECT_EQ(ErrorOf(saved), "Failed to set data for 'SSTV2_RGAMMA'");
    EXPECT_TRUE(WindowOpen()) << "the window stays open";
    EXPECT_EQ(glideRefresh, "75") << "both refresh steps came first";
    EXPECT_EQ(d3dRefresh, "75");
    EXPECT_FALSE(reg::Exists(D3DKey, "SSTV2_RGAMMA")) << "nothing after the failing step";
    EXPECT_FALSE(reg::Exists(D3DKey, "FX_GLIDE_SWAPINTERVAL"));
    EXPECT_FALSE(reg::Exists(D3DKey, "SSTV2_GRXCLK"));
}

TEST_F(LoadSave, SaveStopsAtTheD3DRefreshStep)
{
    OpenForm();
    // The D3D key cannot be made after load; the Glide refresh rates come
    // first, then the D3D ones fail and nothing else is made. The first
    // rate written is 640x480's: the others were never stored, and a save
    // leaves them so.
    reg::MakeVolatile(VoodooKey);
    reg::MakeVolatile(GlideKey);
    EXPECT_EQ(Save(), "Failed to set data for 'SSTV2_REFRESH_640x480'.");
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_REFRESH_640x480"), "75");
    EXPECT_FALSE(reg::Exists(GlideKey, "SSTV2_RGAMMA")) << "gamma comes after both refresh steps";
}

TEST_F(LoadSave, CancelAndCloseWriteNothing)
{
    for (int way = 0; way < 2; ++way) {
        OpenForm();
        Form().Get<CheckBox>(id::gcb(9)).SetChecked(true);
        Form().Get<NumberField>(id::camin).SetValue(7);
        const SettingsSnapshot before = Everything();
        if (way == 0)
            SendMessageA(Form().Find(id::Button2).Handle(), BM_CLICK, 0, 0);
        else
            SendMessageA(Form().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_EQ(Form().Handle(), nullptr);
        EXPECT_EQ(before.Changes(), "");
        CloseForm();
    }
}

TEST_F(LoadSave, EscapeDoesNothingEnterPressesOk)
{
    reg::SetString(GlideKey, "SSTV2_RGAMMA", "1.30");  // a save writes it as 1.3
    OpenForm();
    HWND box = Form().Find(id::gcb(1)).Handle();
    SetFocus(box);
    MSG msg{box, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    IsDialogMessageA(Form().Handle(), &msg);
    Pump();
    EXPECT_TRUE(WindowOpen());
    msg.wParam = VK_RETURN;
    IsDialogMessageA(Form().Handle(), &msg);
    Pump();
    EXPECT_EQ(Form().Handle(), nullptr) << "Enter on a check box presses OK";
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_GRXCLK"), "95");
    EXPECT_EQ(reg::String(GlideKey, "SSTV2_RGAMMA"), "1.3") << "and OK saved";
}

TEST_F(LoadSave, EnterPressesTheFocusedButton)
{
    OpenForm();
    const SettingsSnapshot before = Everything();
    HWND cancel = Form().Find(id::Button2).Handle();
    SetFocus(cancel);
    Pump();
    EXPECT_EQ(LOWORD(SendMessageA(Form().Handle(), DM_GETDEFID, 0, 0)), id::Button2);
    EXPECT_EQ(GetWindowLongA(cancel, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "it shows as the default";
    EXPECT_EQ(GetWindowLongA(Form().Find(id::Button1).Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    SetFocus(Form().Find(id::gcb(1)).Handle());
    Pump();
    EXPECT_EQ(LOWORD(SendMessageA(Form().Handle(), DM_GETDEFID, 0, 0)), id::Button1) << "OK again off the buttons";
    SetFocus(cancel);
    MSG msg{cancel, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    IsDialogMessageA(Form().Handle(), &msg);
    Pump();
    EXPECT_EQ(Form().Handle(), nullptr) << "Enter on Mégsem closes";
    EXPECT_EQ(before.Changes(), "") << "and saves nothing";
}
