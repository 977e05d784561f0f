// The Info page's animation, with and without the driver's library, and the
// screenshots of all pages.
#include "mainwindow/control_ids.h"
#include "tests/e2e/checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/session.h"
#include "tests/e2e/ui_probe.h"
#include <commctrl.h>
#include <cstdio>
#include <set>

namespace e2e {
namespace {

constexpr int ClipMs = 2500;  // 30 frames at 12 per second

// How many different pictures the window shows during `ms`.
size_t DistinctPictures(HWND hwnd, int ms)
{
    std::set<std::vector<uint32_t>> seen;
    const DWORD start = GetTickCount();
    while (static_cast<int>(GetTickCount() - start) < ms) {
        seen.insert(Grab(hwnd));
        Sleep(40);
    }
    return seen.size();
}

bool CheckPlays(HWND ani, const std::string& when)
{
    // A playing clip changes its picture every 83 ms; a mere repaint or a
    // hint popping up gives one or two pictures, never four.
    const size_t pictures = DistinctPictures(ani, 1200);
    return Record(pictures >= 4, "clip plays " + when,
                  std::to_string(pictures) + " different pictures in 1.2 s", __LINE__);
}

void CheckStopsOnce(HWND ani, const std::string& after)
{
    CHECK(WaitForStillPicture(ani, 1000, ClipMs + 4000), "clip stops after playing once " + after);
}

void CheckHint(AppProcess& app, HWND main, HWND ani)
{
    MoveMouseTo(ScreenCentreOf(ani));
    HWND tips = nullptr;
    WaitUntil([&] { return (tips = app.TopLevel(TOOLTIPS_CLASSA)) != nullptr; }, ReactMs);
    if (CHECK(tips != nullptr, "hint shows while the mouse rests on the picture"))
        CHECK_EQ(ToolTipText(app.Handle(), tips, main, ani),
                 std::wstring(L"A 3dfx logót mutatja. Ha újra látni akarod, kattints duplán a képre."),
                 "hint text");
    ParkMouse();
    WaitUntil([&] { return !app.TopLevel(TOOLTIPS_CLASSA); }, ReactMs);
}

void CheckErrorBox(HWND box, const std::string& when)
{
    const MessageBoxView view = ReadMessageBox(box);
    CHECK_EQ(view.text, std::wstring(L"Cannot open AVI."), "box text " + when);
    CHECK_EQ(view.caption, std::wstring(L"Tarnwick"), "box caption " + when);
    CHECK(view.buttonIds == std::vector<int>{IDOK}, "one OK button " + when + ": " + Describe(view));
    CHECK(view.icon, "error icon " + when);
}

void CheckBoxRepeats(AppProcess& app, HWND main, HWND ani, int round)
{
    const std::string when = "on double-click " + std::to_string(round);
    DoubleClick(ani, CentreOf(ani));
    HWND box = app.WaitDialog(ReactMs);
    if (!CHECK(box != nullptr, "box appears again " + when))
        return;
    CheckErrorBox(box, when);
    CHECK(GetWindow(box, GW_OWNER) == main && !IsWindowEnabled(main),
          "box is modal to the main window " + when);
    CHECK(DismissMessageBox(box), "OK closes the box " + when);
    CHECK(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, ReactMs),
          "main window usable again " + when);
}

// Mégsem: these scenarios end without saving, so nothing may change.
void ClickCancel(HWND main) { PressButton(ChildById(main, id::Button2)); }

} // namespace

void Animation(const Args& args)
{
    SetContext("animation");
    ParkMouse();
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    HWND ani = ChildById(main, id::ani);
    CHECK_EQ(ClassOf(ani), std::string("TAnimateClick"), "animation control class");
    CHECK((GetClassLongA(ani, GCL_STYLE) & CS_DBLCLKS) != 0, "its class takes double-clicks");
    CheckPlays(ani, "when the window opens");
    CHECK(CountNonBlack(Grab(ani)) > 0, "clip shows a picture, not a black area");
    CheckStopsOnce(ani, "at start");
    DoubleClick(ani, CentreOf(ani));
    CheckPlays(ani, "again on a posted double-click");
    CheckStopsOnce(ani, "on the double-click");
    CHECK(app.Dialogs().empty(), "no box at any time");
    ClickCancel(main);
    ExpectCleanExit(app, "Megsem");
}

void AnimationMouse(const Args& args)
{
    // Real mouse input goes where hit-testing sends it, not straight to the
    // control as a posted message does.
    SetContext("animation-mouse");
    ParkMouse();
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    HWND ani = ChildById(main, id::ani);
    CheckStopsOnce(ani, "at start");
    CheckHint(app, main, ani);
    InjectDoubleClick(ani);
    CheckPlays(ani, "again on a mouse double-click over the picture");
    ClickCancel(main);
    ExpectCleanExit(app, "Megsem");
}

void NoLibrary(const Args& args)
{
    SetContext("no-library");
    ParkMouse();
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    HWND ani = ChildById(main, id::ani);
    CHECK(!app.WaitDialog(2000), "no box within 2 s");
    const auto pixels = Grab(ani);
    CHECK(!pixels.empty() && CountNonBlack(pixels) == 0, "animation area is black");
    DoubleClick(ani, CentreOf(ani));
    CHECK(!app.WaitDialog(1000), "double-click opens no box");
    CHECK(CountNonBlack(Grab(ani)) == 0, "area still black after the double-click");
    ClickCancel(main);
    ExpectCleanExit(app, "Megsem");
}

void NoClip(const Args& args)
{
    SetContext("no-clip");
    ParkMouse();
    AppProcess app(args.at(0));
    if (!CHECK(app.Start(), "tarnwick.exe starts"))
        return;
    HWND box = app.WaitDialog(WindowTimeoutMs);
    if (!CHECK(box != nullptr, "a box appears at start"))
        return;
    CheckErrorBox(box, "at start");
    CHECK(DismissMessageBox(box), "OK closes the box");
    HWND main = app.WaitTopLevel(TARNWICK_MAIN_CLASS, WindowTimeoutMs);
    if (!CHECK(main != nullptr, "main window shows after the box"))
        return;
    CHECK(!app.WaitDialog(1000), "no second box at start");
    HWND ani = ChildById(main, id::ani);
    for (int round = 1; round <= 2; ++round)
        CheckBoxRepeats(app, main, ani, round);
    ClickCancel(main);
    ExpectCleanExit(app, "Megsem");
}

void Screenshots(const Args& args)
{
    SetContext("screenshots");
    const char* const names[PageCount] = {"page1-info", "page2-basics", "page3-beginners",
                                          "page4-cache", "page5-pro"};
    ParkMouse();
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    CheckStopsOnce(ChildById(main, id::ani), "before the first picture");
    for (int page = 0; page < PageCount; ++page) {
        if (!SwitchPage(app, main, page))
            continue;
        Sleep(SettleMs);
        RECT rc{};
        GetWindowRect(main, &rc);
        // The shell takes the picture, then answers with a line.
        std::printf("READY %s %ld %ld %ld %ld\n", names[page], rc.left, rc.top, rc.right - rc.left,
                    rc.bottom - rc.top);
        char line[64] = {};
        CHECK(std::fgets(line, sizeof line, stdin) != nullptr, std::string("picture of ") + names[page]);
    }
    ClickCancel(main);
    ExpectCleanExit(app, "Megsem");
}

} // namespace e2e
