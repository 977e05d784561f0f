// What OK writes: everything when all was read, only what was read (or
// edited) after a load error, nothing more after a write that fails; and
// Mégsem, which writes nothing whatever was edited.
#include "mainwindow/control_ids.h"
#include "tests/e2e/checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/owned_settings.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/session.h"
#include "tests/e2e/steps.h"
#include "tests/e2e/ui_probe.h"

namespace e2e {

void OkRewritesAll(const Args& args)
{
    SetContext("ok-rewrites-all");
    if (!ArrangeSettings())
        return;
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    PressOkAndExpectExit(app, main);
    CheckSettings(AllGroups);
}

namespace {
// A load that stops at an error box; then OK with no edits.
void LoadErrorThenOk(const Args& args, const std::vector<Change>& changes, const wchar_t* error,
                     unsigned saved)
{
    if (!ArrangeSettings(changes))
        return;
    AppProcess app(args.at(0));
    if (!CHECK(app.Start(), "tarnwick.exe starts") || !AnswerErrorBox(app, error, "at start"))
        return;
    HWND main = ExpectWindowAfterLoadError(app);
    if (!main)
        return;
    PressOkAndExpectExit(app, main);
    CheckSettings(saved, changes);
}
} // namespace

void BadClock(const Args& args)
{
    // The Direct3D clock is read next to last: only the two clocks go unread.
    SetContext("bad-clock");
    LoadErrorThenOk(args, {{D3DKey, "SSTV2_GRXCLK", Text("fast")}}, L"'fast' is not a valid integer value.",
                    AllGroups & ~(D3DClockGroup | GlideClockGroup));
}

void BadTemplate(const Args& args)
{
    // The cache settings stop at PathCache: they, the switches and the clocks go unread.
    SetContext("bad-template");
    LoadErrorThenOk(args, {{TemplateKey, "PathCache", Dword(0x40)}}, L"Invalid data type for 'PathCache'.",
                    RefreshGroup | GammaGroup);
}

namespace {
// A volatile card key takes no lasting Glide key below it, so the very
// first write of a save fails, for real.
bool ArrangeVolatileCardKey()
{
    bool arranged = reg::MakeVolatile(VoodooKey) && reg::MakeVolatile(D3DKey);
    for (const char* name : {"SSTV2_RGAMMA", "SSTV2_GGAMMA", "SSTV2_BGAMMA"})
        arranged &= reg::Put(D3DKey, name, Text("1.1"));
    arranged &= reg::Put(D3DKey, "SSTV2_VIDEO_FILTER_THRESHOLD", Dword(0xFFFF));
    HKEY glide = nullptr;
    const LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, GlideKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &glide, nullptr);
    if (glide)
        RegCloseKey(glide);
    CHECK_EQ(static_cast<long long>(rc), static_cast<long long>(ERROR_CHILD_MUST_BE_VOLATILE),
             "a lasting Glide key cannot be made below the volatile card key");
    return CHECK(arranged && !reg::KeyExists(GlideKey), "volatile card key with a volatile D3D key, no Glide key");
}
} // namespace

void FailingSave(const Args& args)
{
    SetContext("failing-save");
    if (!ArrangeVolatileCardKey())
        return;
    const SettingsSnapshot before;
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    // The missing Glide key's values read as 0, which a save leaves alone:
    // a rate picked on the Glide tab is then the save's first write.
    HWND list = ChildById(main, id::Refrrate512x384);
    if (SwitchPage(app, main, 1) && ClickTab(app, ChildById(main, id::Selector), 1, "Glide") &&
        PressKeyIn(app, list, VK_DOWN))
        CHECK(WaitUntil([&] { return ShownText(list) == L"60 Hz"; }, ReactMs), "60 Hz picked for 512x384 on the Glide tab");
    PressButton(ChildById(main, id::Button1));
    AnswerErrorBox(app, L"Failed to set data for 'SSTV2_REFRESH_512x384'.", "on OK");
    Sleep(SettleMs);
    CHECK(app.Running() && IsWindowVisible(main), "window stays open after the failed save");
    CHECK_NOTHING_WRITTEN(before, "nothing written");
    PressCancelAndExpectExit(app, main);
}

namespace {
void EditEveryPage(AppProcess& app, HWND main)
{
    if (SwitchPage(app, main, 1) && PressKeyIn(app, ChildById(main, id::TrRed), VK_RIGHT))
        CHECK(WaitUntil([&] { return AnsiTextOf(ChildById(main, id::lred)) == "1.20"; }, ReactMs),
              "gamma slider moved");
    const struct { int page, box; } boxes[] = {{2, id::gcb(1)}, {4, id::dcb(6)}};
    for (const auto& b : boxes) {
        HWND box = ChildById(main, b.box);
        const LRESULT was = Ask(box, BM_GETCHECK, 0, 0);
        if (SwitchPage(app, main, b.page))
            Click(box, CentreOf(box));
        CHECK(WaitUntil([&] { return Ask(box, BM_GETCHECK, 0, 0) != was; }, ReactMs), "switch box clicked");
    }
    if (!SwitchPage(app, main, 3))
        return;
    HWND field = ChildById(main, id::camin), enable = ChildById(main, id::EnableDisk);
    const std::wstring was = ShownText(field);
    if (Focus(app, field))
        PostMessageA(field, WM_CHAR, '7', 1);
    CHECK(WaitUntil([&] { return ShownText(field) != was; }, ReactMs), "a digit typed into the minimum cache field");
    Click(enable, CentreOf(enable));
    CHECK(WaitUntil([&] { return Ask(enable, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, ReactMs),
          "disk cache box cleared");
}
} // namespace

void CancelWritesNothing(const Args& args)
{
    SetContext("cancel-writes-nothing");
    const SettingsSnapshot before;
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main)
        return;
    EditEveryPage(app, main);
    PressCancelAndExpectExit(app, main);
    CHECK_NOTHING_WRITTEN(before, "Megsem after edits on every page writes nothing");
}

} // namespace e2e
