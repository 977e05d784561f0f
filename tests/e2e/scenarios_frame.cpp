// Start-up and the window frame: no card, the splash, the main window, the
// ways to close it.
#include "mainwindow/control_ids.h"
#include "tests/e2e/checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/session.h"
#include "tests/e2e/stored_settings.h"
#include "tests/e2e/ui_probe.h"
#include <commctrl.h>
#include <cstdio>

namespace e2e {
namespace {

// "Nem találtam Voodoo2 kártyát!" in Windows-1250.
const char NoCardBytes[] = "Nem tal\xE1ltam Voodoo2 k\xE1rty\xE1t!";

void CheckNoCardBox(HWND box)
{
    const MessageBoxView view = ReadMessageBox(box);
    CHECK_EQ(view.text, std::wstring(L"Nem találtam Voodoo2 kártyát!"), "box text as shown");
    CHECK_EQ(view.textBytes, std::string(NoCardBytes), "box text bytes (Windows-1250)");
    CHECK_EQ(view.caption, std::wstring(L"tarnwick"), "box caption: the default title");
    CHECK(view.buttonIds == std::vector<int>{IDOK}, "one button, OK: " + Describe(view));
    CHECK(!view.buttonTexts.empty() && view.buttonTexts[0] == L"OK", "its text is OK");
    CHECK(!view.icon, "no icon");
}

} // namespace

void NoCard(const Args& args)
{
    SetContext("nocard");
    AppProcess app(args.at(0));
    if (!CHECK(app.Start(), "tarnwick.exe starts"))
        return;
    HWND box = app.WaitDialog(WindowTimeoutMs);
    if (!CHECK(box != nullptr, "a message box appears"))
        return;
    CheckNoCardBox(box);
    Sleep(SettleMs);
    CHECK_EQ(static_cast<long long>(app.Dialogs().size()), 1LL, "exactly one box");
    CHECK(!app.TopLevel(TARNWICK_SPLASH_CLASS, false) && !app.TopLevel(TARNWICK_MAIN_CLASS, false),
          "no splash and no main window made");
    CHECK(DismissMessageBox(box), "OK closes the box");
    ExpectCleanExit(app, "OK");
}

namespace {

struct SplashSighting {
    bool seen = false, mainVisible = false, barFound = false, rangeAnswered = false;
    RECT rect{};
    LONG style = 0;
    int low = -1, high = -1;
    double atMs = 0;
};

void LookAtSplash(AppProcess& app, HWND splash, SplashSighting& s)
{
    s.seen = true;
    s.atMs = app.MsSinceStart();
    GetWindowRect(splash, &s.rect);
    s.style = GetWindowLongA(splash, GWL_STYLE);
    s.mainVisible = app.TopLevel(TARNWICK_MAIN_CLASS) != nullptr;
    HWND bar = ChildById(splash, id::pb);
    s.barFound = bar != nullptr;
    // While it loads the program pumps no messages, so this may go unanswered.
    bool low = false, high = false;
    s.low = static_cast<int>(Ask(bar, PBM_GETRANGE, TRUE, 0, &low, 300));
    s.high = static_cast<int>(Ask(bar, PBM_GETRANGE, FALSE, 0, &high, 300));
    s.rangeAnswered = low && high;
}

// Polls from the moment the process starts until the main window shows.
SplashSighting WatchStartUp(AppProcess& app)
{
    SplashSighting s;
    WaitUntil(
        [&] {
            if (app.TopLevel(TARNWICK_MAIN_CLASS))
                return true;
            HWND splash = s.seen ? nullptr : app.TopLevel(TARNWICK_SPLASH_CLASS);
            if (splash)
                LookAtSplash(app, splash, s);
            return false;
        },
        WindowTimeoutMs, 1);
    return s;
}

void CheckSplash(const SplashSighting& s)
{
    if (!s.seen) {
        Note("splash not caught: it was up for less than one polling round");
        return;
    }
    Note("splash seen " + std::to_string(static_cast<int>(s.atMs)) + " ms after start");
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const struct { const char* what; long long got, want; } table[] = {
        {"splash width", s.rect.right - s.rect.left, 317},
        {"splash height", s.rect.bottom - s.rect.top, 199},
        {"splash left (centred)", s.rect.left, (cx - 317) / 2},
        {"splash top (centred)", s.rect.top, (cy - 199) / 2},
        {"splash frame styles (none)", s.style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0},
    };
    for (const auto& row : table)
        CHECK_EQ(row.got, row.want, row.what);
    CHECK(s.barFound, "splash has its progress bar");
    CHECK(!s.mainVisible, "main window not yet shown while the splash is");
    if (!s.rangeAnswered) {
        Note("progress bar range not read: the program was busy loading");
        return;
    }
    CHECK_EQ(static_cast<long long>(s.low), 0LL, "progress bar range low");
    CHECK_EQ(static_cast<long long>(s.high), 8LL, "progress bar range high");
}

void CheckMainWindow(AppProcess& app, HWND main)
{
    RECT frame{};
    GetWindowRect(main, &frame);
    const SIZE client = ClientSize(main);
    HWND tabs = ChildById(main, id::PageControl1);
    const struct { const char* what; long long got, want; } table[] = {
        {"window left", frame.left, 358},
        {"window top", frame.top, 208},
        {"client width", client.cx, 464},
        {"client height", client.cy, 294},
        {"tab count", Ask(tabs, TCM_GETITEMCOUNT, 0, 0), PageCount},
        {"active tab (Info)", ActivePage(main), 0},
        {"page shown (Info)", VisiblePage(main), 0},
    };
    for (const auto& row : table)
        CHECK_EQ(row.got, row.want, row.what);
    CHECK_EQ(TextOf(main), std::wstring(L"Tarnwick"), "main window title");
    const wchar_t* const captions[PageCount] = {L"Infó", L"Alapok", L"Tuning - kezdőknek", L"Cache",
                                                L"Tuning - csak profiknak!"};
    for (int i = 0; i < PageCount; ++i)
        CHECK_EQ(TabCaption(app.Handle(), tabs, i), std::wstring(captions[i]),
                 "tab " + std::to_string(i + 1) + " caption");
    CHECK(!app.TopLevel(TARNWICK_SPLASH_CLASS), "splash gone once the main window shows");
}

void CheckEscapeDoesNothing(AppProcess& app, HWND main)
{
    HWND focus = FocusOf(app.ThreadId());
    PressKey(focus ? focus : main, VK_ESCAPE, 0x1B);
    Sleep(SettleMs);
    CHECK(app.Running() && IsWindowVisible(main), "Escape leaves the window open");
    CHECK(app.Dialogs().empty(), "Escape opens no box");
    CHECK_EQ(static_cast<long long>(ActivePage(main)), 0LL, "Escape leaves the page as it was");
}

struct CloseWay {
    const char* name;
    void (*close)(HWND main);
    bool saves;
};

const CloseWay CloseWays[] = {
    {"Megsem", [](HWND main) { PressButton(ChildById(main, id::Button2)); }, false},
    {"close-button", [](HWND main) { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
    {"WM_CLOSE", [](HWND main) { PostMessageA(main, WM_CLOSE, 0, 0); }, false},
    {"OK", [](HWND main) { PressButton(ChildById(main, id::Button1)); }, true},
};

void CheckWhatWasWritten(const CloseWay& way, const SettingsSnapshot& before)
{
    if (way.saves) {
        CHECK(reg::KeyExists(VoodooKey), std::string("card key still there after ") + way.name);
        const std::string changes = before.Changes();
        Note(changes.empty() ? "nothing needed writing" : "saved; first change: " + changes);
        return;
    }
    CHECK_NOTHING_WRITTEN(before, std::string("nothing written after Escape and ") + way.name);
}

} // namespace

void Startup(const Args& args)
{
    int splashSightings = 0;
    for (const CloseWay& way : CloseWays) {
        SetContext(std::string("startup[") + way.name + "]");
        const SettingsSnapshot before;
        AppProcess app(args.at(0));
        if (!CHECK(app.Start(), "tarnwick.exe starts"))
            continue;
        const SplashSighting splash = WatchStartUp(app);
        HWND main = app.TopLevel(TARNWICK_MAIN_CLASS);
        if (!CHECK(main != nullptr, "main window becomes visible"))
            continue;
        CheckSplash(splash);
        splashSightings += splash.seen;
        CheckMainWindow(app, main);
        CheckEscapeDoesNothing(app, main);
        way.close(main);
        ExpectCleanExit(app, way.name);
        CheckWhatWasWritten(way, before);
    }
    SetContext("startup");
    CHECK(splashSightings > 0, "splash caught in at least one run");
}

namespace {
// Tab to Mégsem, then Enter: the focused button is pressed, not OK, so
// nothing is saved.
void EnterOnCancelButton(const Args& args)
{
    SetContext("enter-presses-ok[Megsem reached by Tab]");
    const SettingsSnapshot before;
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    HWND cancel = ChildById(main, id::Button2);
    HWND focus = FocusOf(app.ThreadId());
    for (int presses = 0; presses < 100 && focus != cancel; ++presses) {
        PressKey(focus ? focus : main, VK_TAB, L'\t');
        HWND was = focus;
        WaitUntil([&] { return (focus = FocusOf(app.ThreadId())) != was; }, 1000);
    }
    if (!CHECK(focus == cancel, "Tab reaches Megsem"))
        return;
    PressKey(cancel, VK_RETURN, L'\r');
    ExpectCleanExit(app, "Enter on Megsem");
    CHECK_NOTHING_WRITTEN(before, "Enter on Megsem saves nothing");
}

} // namespace

void EnterPressesOk(const Args& args)
{
    // First, while OK would still have something to write to the bare key.
    EnterOnCancelButton(args);
    const struct { int page; int box; } cases[] = {{2, id::gcb(1)}, {4, id::dcb(6)}};
    for (const auto& c : cases) {
        SetContext("enter-presses-ok[page " + std::to_string(c.page + 1) + ", check box " +
                   std::to_string(c.box) + "]");
        AppProcess app(args.at(0));
        HWND main = OpenMainWindow(app);
        if (!main || !SwitchPage(app, main, c.page))
            continue;
        HWND box = ChildById(main, c.box);
        CHECK(box && IsWindowVisible(box), "check box shown");
        const LRESULT initial = Ask(box, BM_GETCHECK, 0, 0);
        // Two clicks: the focus lands on the box and its state is as before.
        Click(box, CentreOf(box));
        CHECK(WaitUntil([&] { return FocusOf(app.ThreadId()) == box; }, ReactMs), "click focuses it");
        Click(box, CentreOf(box));
        Sleep(SettleMs);
        CHECK_EQ(static_cast<long long>(Ask(box, BM_GETCHECK, 0, 0)), static_cast<long long>(initial),
                 "second click restores its state");
        PressKey(box, VK_RETURN, L'\r');
        ExpectCleanExit(app, "Enter");
    }
}

void TimeToWindow(const Args& args)
{
    const std::string cls = args.at(1);
    SetContext("time-to-window[" + cls + "]");
    AppProcess app(args.at(0));
    if (!CHECK(app.Start(), "program starts"))
        return;
    HWND window = nullptr;
    WaitUntil([&] { return (window = app.TopLevel(cls.c_str())) != nullptr; }, WindowTimeoutMs, 1);
    const double ms = app.MsSinceStart();
    if (!CHECK(window != nullptr, "window shows"))
        return;
    std::printf("time-to-window %s %.1f\n", cls.c_str(), ms);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ExpectCleanExit(app, "WM_CLOSE");
}

} // namespace e2e
