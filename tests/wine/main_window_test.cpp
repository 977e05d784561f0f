// The main window made for real: its frame, pages, ControlTable and the
// Info page's clip.
#include "app_fixture.h"
#include "form_access.h"
#include "mainwindow/splash.h"
#include "app/startup.h"
#include "controls/animate_click.h"
#include "mainwindow/control_ids.h"
#include "core/error.h"
#include "mainwindow/layout.h"
#include <commctrl.h>
#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {
class MainWindow : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        reg::SetString(GlideKey, "SSTV2_RGAMMA", "1");
    }
    RECT Placement(int controlId)
    {
        HWND h = Form().Find(controlId).Handle();
        RECT r{};
        GetWindowRect(h, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};
} // namespace

TEST_F(MainWindow, Frame)
{
    OpenForm();
    HWND h = Form().Handle();
    char title[64] = {};
    GetWindowTextA(h, title, sizeof title);
    EXPECT_STREQ(title, "Tarnwick");
    RECT client{}, window{};
    GetClientRect(h, &client);
    GetWindowRect(h, &window);
    EXPECT_EQ(client.right, 464);
    EXPECT_EQ(client.bottom, 294);
    EXPECT_EQ(window.left, 358);
    EXPECT_EQ(window.top, 208);
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    HWND tabs = Form().Find(id::PageControl1).Handle();
    const char* captions[] = {"Inf\xf3", "Alapok", "Tuning - kezd\xf5knek", "Cache", "Tuning - csak profiknak!"};
    ASSERT_EQ(TabCtrl_GetItemCount(tabs), 5);
    for (int i = 0; i < 5; ++i) {
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, captions[i]);
    }
    EXPECT_EQ(Form().ActivePage(), 0) << "opens on the Info page";
}

TEST_F(MainWindow, ControlTableEntries)
{
    OpenForm();
    const struct { int index; int control; ControlKind kind; int parent; int x, y, tag; } cases[] = {
        {1, id::lred, ControlKind::Label, id::GroupBox2, 156, 16, 0},
        {2, id::lblue, ControlKind::Label, id::GroupBox2, 148, 52, 0},
        {3, id::lgreen, ControlKind::Label, id::GroupBox2, 144, 88, 0},
        {4, id::TrRed, ControlKind::TrackBar, id::GroupBox2, 35, 28, 1},
        {5, id::TrBlue, ControlKind::TrackBar, id::GroupBox2, 35, 64, 2},
        {6, id::TrGreen, ControlKind::TrackBar, id::GroupBox2, 35, 100, 3},
        {7, id::camin, ControlKind::NumberField, id::DiskCacBox, 164, 11, 0},
        {10, id::cadir, ControlKind::NumberField, id::FilCacBox, 152, 11, 0},
        {12, id::Refrrate512x384, ControlKind::ComboBox, id::GroupBox7, 56, 16, 1},
        {16, id::Refrrate1024x768, ControlKind::ComboBox, id::GroupBox7, 56, 112, 5},
        {17, id::gcb(1), ControlKind::CheckBox, id::GroupBox1, 8, 16, 0},
        {23, id::gcb(7), ControlKind::CheckBox, id::GroupBox5, 8, 16, 0},
        {32, id::gcb(16), ControlKind::CheckBox, id::GroupBox5, 8, 164, 0},
        {33, id::dcb(1), ControlKind::CheckBox, id::GroupBox4, 8, 16, 0},
        {47, id::dcb(15), ControlKind::CheckBox, id::GroupBox6, 8, 164, 0},
    };
    const ControlTableT& table = Access::ControlTable(Form());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        Control& entry = **table.At(c.index);
        EXPECT_EQ(GetDlgCtrlID(entry.Handle()), c.control);
        EXPECT_EQ(entry.Kind(), c.kind);
        EXPECT_EQ(GetDlgCtrlID(GetParent(entry.Handle())), c.parent);
        EXPECT_EQ(entry.Tag(), c.tag);
        const RECT r = Placement(c.control);
        EXPECT_EQ(r.left, c.x);
        EXPECT_EQ(r.top, c.y);
    }
    for (int bad : {0, 48})
        EXPECT_EQ(table.At(bad).status().Message(), "Range check error") << bad;
    EXPECT_EQ(table.TrackBarAt(1).status().Message(), "Range check error") << "a label taken as a slider";
}

TEST_F(MainWindow, EventRowsNameControlsOfTheirKind)
{
    // What each notification comes from, by layout kind. An up/down
    // control is in no layout table: its ID is its number field's plus
    // UpDownOffset. LinkSl is only read, when a slider moves.
    using S = Access::Source;
    using K = ItemKind;
    struct Hears {
        S source;
        UINT code;
        std::vector<ItemKind> kinds;
        bool upDowns;
        bool Kind(ItemKind k) const { return std::find(kinds.begin(), kinds.end(), k) != kinds.end(); }
    };
    const Hears hears[] = {
        {S::Command, BN_CLICKED, {K::Button, K::DefaultButton, K::CheckBox}, false},
        {S::Command, Access::FocusChange, {K::Button, K::DefaultButton}, false},
        {S::Command, Access::AnyCode, {K::Animate}, false},
        {S::Command, EN_CHANGE, {K::NumberField}, false},
        {S::Command, CBN_SELCHANGE, {K::RefreshList}, false},
        {S::Notify, TCN_SELCHANGE, {K::PageTabs, K::FlatTabs}, false},
        {S::Notify, UDN_DELTAPOS, {K::NumberField}, true},
        {S::HScroll, 0, {K::GammaSlider, K::ClockSlider}, false},
    };
    const std::set<int> heardByNone = {id::LinkSl};

    std::map<int, ItemKind> kindOf;
    for (const LayoutTable* table : AllLayouts) {
        for (size_t i = 0; i < table->count; ++i)
            kindOf[table->items[i].id] = table->items[i].kind;
    }
    std::set<std::tuple<S, UINT, int>> named;
    for (const auto& row : Access::Events()) {
        const Hears* h = std::find_if(std::begin(hears), std::end(hears),
                                      [&](const Hears& e) { return e.source == row.source && e.code == row.code; });
        ASSERT_NE(h, std::end(hears)) << "notification " << row.code << " is not in the list above";
        EXPECT_NE(row.controls.size(), 0u);
        for (int control : row.controls) {
            SCOPED_TRACE(control);
            const int laidOut = h->upDowns ? control - id::UpDownOffset : control;
            if (h->upDowns) {
                EXPECT_EQ(kindOf.count(control), 0u) << "the ID of an up/down is taken";
            }
            ASSERT_EQ(kindOf.count(laidOut), 1u) << "not in the layout";
            EXPECT_TRUE(h->Kind(kindOf[laidOut])) << "of another kind than its row hears";
            // Dispatch runs the first row for a control and notification.
            EXPECT_TRUE(named.insert({row.source, row.code, control}).second) << "a second row never runs";
        }
    }
    // The other way round: every control of a kind a row hears is in one.
    for (const Hears& h : hears) {
        for (const auto& [control, kind] : kindOf) {
            const int heard = h.upDowns ? control + id::UpDownOffset : control;
            if (h.Kind(kind) && !heardByNone.count(control)) {
                EXPECT_EQ(named.count({h.source, h.code, heard}), 1u) << "no row for " << heard;
            }
        }
    }
}

TEST_F(MainWindow, DesignStates)
{
    OpenForm();
    HWND gamma = Form().Find(id::TrRed).Handle();
    EXPECT_EQ(SendMessageA(gamma, TBM_GETRANGEMAX, 0, 0), 400);
    EXPECT_EQ(SendMessageA(gamma, TBM_GETLINESIZE, 0, 0), 10);
    EXPECT_EQ(SendMessageA(gamma, TBM_GETPAGESIZE, 0, 0), 10);
    HWND clock = Form().Find(id::ClockSpeed).Handle();
    EXPECT_EQ(SendMessageA(clock, TBM_GETRANGEMIN, 0, 0), 50);
    EXPECT_EQ(SendMessageA(clock, TBM_GETRANGEMAX, 0, 0), 120);
    EXPECT_TRUE(GetWindowLongA(Form().Find(id::pbFiz).Handle(), GWL_STYLE) & PBS_SMOOTH);
    EXPECT_FALSE(Form().Find(id::DiskCacBox).Enabled()) << "no [vcache]: its group stays off";
    EXPECT_EQ(Form().Find(id::Label3).Text().substr(0, 12), "Az \xf3rajeln\xe9l");
    EXPECT_EQ(Form().Get<TComboBox97>(id::Refrrate640x400).ItemIndex(), -1);
}

TEST_F(MainWindow, NoLibraryMeansNoClipAndNoMessage)
{
    DeleteFileA(AnimationLibraryPath);
    OpenForm();
    EXPECT_TRUE(Access::AnimationUnavailable(Form()));
    EXPECT_FALSE(Access::AnimationStarted(Form()));
    SendMessageA(Form().Find(id::ani).Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindow, ProbeOpensWithoutCreating)
{
    EXPECT_TRUE(ProbeCard());
    reg::DeleteTree("SOFTWARE\\3dfx Interactive");
    EXPECT_FALSE(ProbeCard());
    EXPECT_FALSE(reg::KeyExists(VoodooKey)) << "the probe never creates the key";
}

namespace {
class InfoPage : public MainWindow {
protected:
    TAnimateClick& Ani() { return Form().Get<TAnimateClick>(id::ani); }
    void ClickPageTab(int index)
    {
        HWND tabs = Form().Find(id::PageControl1).Handle();
        RECT r{};
        SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tabs, WM_LBUTTONUP, 0, at);
        Pump();
    }
    bool WaitUntilStopped(DWORD ms)
    {
        const DWORD until = GetTickCount() + ms;
        while (Ani().Playing() && GetTickCount() < until) {
            Pump();
            Sleep(20);
        }
        return !Ani().Playing();
    }
};
} // namespace

TEST_F(InfoPage, ClipPlaysOnceAndReplaysOnDoubleClick)
{
    InstallDriverLibrary("with_clip");
    OpenForm();
    EXPECT_FALSE(Access::AnimationUnavailable(Form()));
    EXPECT_TRUE(Access::AnimationStarted(Form()));
    EXPECT_TRUE(Ani().Playing()) << "plays when the window opens";
    DoubleClickAnimation();
    EXPECT_TRUE(boxes.empty()) << "a double-click while playing does nothing";
    ASSERT_TRUE(WaitUntilStopped(8000)) << "the clip plays once and stops";
    ClickPageTab(1);
    EXPECT_EQ(Form().ActivePage(), 1);
    ClickPageTab(0);
    EXPECT_EQ(Form().ActivePage(), 0);
    EXPECT_FALSE(Ani().Playing()) << "coming back does not replay it";
    DoubleClickAnimation();
    EXPECT_TRUE(Ani().Playing()) << "a double-click after it ended replays it";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(InfoPage, LibraryWithoutTheClip)
{
    InstallDriverLibrary("without_clip");
    OpenForm();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Cannot open AVI.");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(Form().ActivePage(), 0) << "the load went on afterwards";
    DoubleClickAnimation();
    DoubleClickAnimation();
    EXPECT_EQ(boxes.size(), 3u) << "each double-click tries again";
}

TEST(Splash, BorderlessCentredWithItsBar)
{
    InitialiseWindowClasses(GetModuleHandleA(nullptr));
    TSplashForm splash;
    splash.ShowAndPaint();
    HWND h = splash.Handle();
    EXPECT_TRUE(IsWindowVisible(h));
    RECT window{}, client{};
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 317);
    EXPECT_EQ(client.bottom, 199);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 317) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 199) / 2);
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    HWND bar = splash.ProgressBar();
    RECT r{};
    GetWindowRect(bar, &r);
    MapWindowPoints(HWND_DESKTOP, h, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 176);
    EXPECT_EQ(r.right - r.left, 257);
    EXPECT_EQ(r.bottom - r.top, 10);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_STYLE) & PBS_SMOOTH);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 8);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
    // The picture is painted at once, before any message loop runs: its
    // pixels are not the plain button face.
    HDC dc = GetDC(h);
    const COLORREF corner = GetPixel(dc, 5, 5);
    ReleaseDC(h, dc);
    EXPECT_NE(corner, GetSysColor(COLOR_BTNFACE));
}

// A control whose window cannot be made ends the start with a failure
// that names it; the window is not shown half made.
TEST_F(MainWindow, ControlThatCannotBeMadeFailsTheStart)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(UnregisterClassA(AnimateClickClassName, instance));
    TForm1 form;
    EXPECT_EQ(ErrorOf(form.Create()), "Cannot create the window of control " + std::to_string(id::ani));
    TAnimateClick::RegisterClass(instance);
}
