// The Basics page worked by keyboard and mouse, and what OK makes of it; a
// missing clock value and a missing Glide key.
#include "mainwindow/control_ids.h"
#include "tests/e2e/checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/session.h"
#include "tests/e2e/steps.h"
#include "tests/e2e/stored_settings.h"
#include "tests/e2e/ui_probe.h"

namespace e2e {
namespace {

constexpr int D3DTab = 0, GlideTab = 1, BasicsPage = 1;

// "Órajel - N Hz" in Windows-1250.
std::string ClockCaption(int hz) { return "\xD3rajel - " + std::to_string(hz) + " Hz"; }

// What the Basics page shows of one profile.
struct BasicsView {
    int red, blue, green, clock;
    const char *redText, *blueText, *greenText;
    int rates[5];  // list selections, 512x384 .. 1024x768: 60, 75, 85 Hz = 0, 1, 2
};

void CheckShows(HWND main, const BasicsView& want, const std::string& when)
{
    const struct { int id; int want; } sliders[] = {
        {id::TrRed, want.red}, {id::TrBlue, want.blue}, {id::TrGreen, want.green}, {id::ClockSpeed, want.clock}};
    for (const auto& s : sliders)
        CHECK_EQ(SliderPosition(ChildById(main, s.id)), s.want, "slider " + std::to_string(s.id) + " " + when);
    const struct { int id; std::string want; } labels[] = {
        {id::lred, want.redText}, {id::lblue, want.blueText}, {id::lgreen, want.greenText},
        {id::lclock, ClockCaption(want.clock)}};
    for (const auto& l : labels)
        CHECK_EQ(AnsiTextOf(ChildById(main, l.id)), l.want, "label " + std::to_string(l.id) + " " + when);
    for (int i = 0; i < 5; ++i)
        CHECK_EQ(ListSelection(ChildById(main, id::Refrrate512x384 + i)), want.rates[i],
                 "refresh list " + std::to_string(i + 1) + " " + when);
}

void EditD3DRed(AppProcess& app, HWND main)
{
    HWND red = ChildById(main, id::TrRed), label = ChildById(main, id::lred);
    CHECK_EQ(AnsiTextOf(label), std::string("1.10"), "D3D red shown at start");
    if (!PressKeyIn(app, red, VK_RIGHT))
        return;
    CHECK(WaitUntil([&] { return AnsiTextOf(label) == "1.20"; }, ReactMs), "Right key: red label 1.20");
    CHECK_EQ(SliderPosition(red), 120, "Right key: red slider one step (10) on");
}

void EditGlide(AppProcess& app, HWND main)
{
    HWND list = ChildById(main, id::Refrrate800x600), clock = ChildById(main, id::ClockSpeed);
    if (PressKeyIn(app, list, VK_DOWN)) {
        WaitUntil([&] { return ShownText(list) == L"85 Hz"; }, ReactMs);
        CHECK_EQ(ShownText(list), std::wstring(L"85 Hz"), "Down key picks 85 Hz at 800x600");
        CHECK_EQ(ListSelection(list), 2, "its selection");
    }
    PressButton(ChildById(main, id::Button4));
    CHECK(WaitUntil([&] { return SliderPosition(clock) == 90; }, ReactMs), "factory button sets the clock to 90");
}

void CheckBasicsSaved()
{
    const struct { const char* key; const char* name; const char* text; } table[] = {
        {GlideKey, "SSTV2_REFRESH_800x600", "85"}, {GlideKey, "SSTV2_GRXCLK", "90"},
        {D3DKey, "SSTV2_RGAMMA", "1.2"},           {D3DKey, "SSTV2_GRXCLK", "90"},
        // untouched ones, written as they were
        {GlideKey, "SSTV2_RGAMMA", "1.3"},         {GlideKey, "SSTV2_GGAMMA", "1.25"},
        {GlideKey, "SSTV2_REFRESH_640x480", "85"}, {D3DKey, "SSTV2_GGAMMA", "1.1"},
        {D3DKey, "SSTV2_BGAMMA", "1.05"},          {D3DKey, "SSTV2_REFRESH_800x600", "85"},
    };
    for (const auto& row : table)
        CHECK_STORED(row.key, row.name, Text(row.text));
}

} // namespace

void Basics(const Args& args)
{
    SetContext("basics");
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main || !SwitchPage(app, main, BasicsPage))
        return;
    HWND selector = ChildById(main, id::Selector);
    EditD3DRed(app, main);
    if (ClickTab(app, selector, GlideTab, "Glide")) {
        CheckShows(main, {130, 120, 125, 95, "1.30", "1.20", "1.25", {0, 1, 2, 1, 0}}, "on the Glide tab");
        EditGlide(app, main);
        CheckShows(main, {130, 120, 125, 90, "1.30", "1.20", "1.25", {0, 1, 2, 2, 0}}, "after the Glide edits");
    }
    if (ClickTab(app, selector, D3DTab, "Direct3D"))
        CheckShows(main, {120, 105, 110, 90, "1.20", "1.05", "1.10", {0, 0, 1, 2, 1}}, "back on Direct3D");
    PressOkAndExpectExit(app, main);
    CheckBasicsSaved();
}

void MissingD3DClock(const Args& args)
{
    SetContext("missing-d3d-clock");
    if (!CHECK(reg::Put(D3DKey, "SSTV2_GRXCLK", Absent()), "D3D clock value deleted"))
        return;
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main || !SwitchPage(app, main, BasicsPage))
        return;
    CHECK_EQ(SliderPosition(ChildById(main, id::ClockSpeed)), 90, "clock slider at the factory 90");
    CHECK_EQ(AnsiTextOf(ChildById(main, id::lclock)), ClockCaption(90), "clock caption");
    PressOkAndExpectExit(app, main);
    CHECK_STORED(D3DKey, "SSTV2_GRXCLK", Text("90"));
    CHECK_STORED(GlideKey, "SSTV2_GRXCLK", Text("95"));
}

void MissingGlideKey(const Args& args)
{
    SetContext("missing-glide-key");
    if (!CHECK(reg::DeleteTree(GlideKey) && !reg::KeyExists(GlideKey), "Glide key deleted"))
        return;
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    PressOkAndExpectExit(app, main);
    // The driver takes a missing gamma or rate as its own default; a "0"
    // gamma would turn every game black.
    const std::map<std::string, reg::Value> want = {{"SSTV2_GRXCLK", Text("90")}};
    const auto got = reg::ValuesOf(GlideKey);
    std::string listed;
    for (const auto& value : got)
        listed += " " + value.first + "=" + Describe(value.second);
    Record(reg::KeyExists(GlideKey) && got == want, "Glide key made with the clock \"90\" alone: no gamma, no rate",
           "got" + listed, __LINE__);
    CHECK_STORED(D3DKey, "SSTV2_RGAMMA", Text("1.1"));
}

} // namespace e2e
