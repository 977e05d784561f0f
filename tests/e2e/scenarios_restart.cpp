// "A Windows újraindítása": the question, then a restart with or without
// saving, and none when the save fails. Under Wine a restart ends the
// session's programs and runs the RunOnce entries, so an entry that leaves
// a marker file tells that a restart happened.
#include "mainwindow/control_ids.h"
#include "tests/e2e/checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/owned_settings.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/session.h"
#include "tests/e2e/steps.h"
#include "tests/e2e/ui_probe.h"

namespace e2e {
namespace {

const char* const RunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char* const MarkerEntry = "TarnwickRestartMarker";
const char* const MarkerFile = "C:\\restart-marker.txt";
constexpr int RestartTimeoutMs = 20000;
constexpr int CachePage = 3;

bool MarkerPresent() { return GetFileAttributesA(MarkerFile) != INVALID_FILE_ATTRIBUTES; }

bool ArrangeMarker()
{
    DeleteFileA(MarkerFile);
    return CHECK(reg::Put(RunOnceKey, MarkerEntry, Text("cmd /c echo x > C:\\restart-marker.txt")) &&
                     !MarkerPresent(),
                 "RunOnce entry that leaves a marker file");
}

// Presses the restart button and answers the question with `answer`.
bool AskRestart(AppProcess& app, HWND main, int answer)
{
    if (!SwitchPage(app, main, CachePage))
        return false;
    PressButton(ChildById(main, id::Button3));
    HWND box = app.WaitDialog(ReactMs);
    if (!CHECK(box != nullptr, "restart button asks a question"))
        return false;
    const MessageBoxView view = ReadMessageBox(box);
    CHECK_EQ(view.text, std::wstring(L"Mentsem az összes változtatást?"), "question text");
    CHECK_EQ(view.caption, std::wstring(L"Újraindítás"), "question caption");
    CHECK(view.icon && view.buttonIds == std::vector<int>({IDYES, IDNO}),
          "icon, Yes and No buttons: " + Describe(view));
    PressButton(GetDlgItem(box, answer));
    return CHECK(WaitUntil([&] { return !IsWindow(box); }, ReactMs), "question answered");
}

void ExpectRestart(AppProcess& app)
{
    DWORD code = 0;
    if (CHECK(app.WaitExit(RestartTimeoutMs, &code), "program ends with the session"))
        CHECK_EQ(static_cast<long long>(code), 0LL, "exit code");
    CHECK(WaitUntil(MarkerPresent, RestartTimeoutMs, 100), "restart ran the RunOnce entry (marker file made)");
    CHECK(WaitUntil([] { return !reg::Exists(RunOnceKey, MarkerEntry); }, ReactMs, 100),
          "RunOnce entry used up");
}

} // namespace

void RestartNo(const Args& args)
{
    SetContext("restart-no");
    const SettingsSnapshot before;
    AppProcess app(args.at(0));
    HWND main = ArrangeMarker() ? OpenMainWindow(app) : nullptr;
    if (!main)
        return;
    HWND enable = ChildById(main, id::EnableFile);
    if (SwitchPage(app, main, CachePage))
        Click(enable, CentreOf(enable));
    CHECK(WaitUntil([&] { return Ask(enable, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, ReactMs),
          "an edit: file system box cleared");
    if (!AskRestart(app, main, IDNO))
        return;
    ExpectRestart(app);
    CHECK_NOTHING_WRITTEN(before, "No: nothing written");
}

void RestartYes(const Args& args)
{
    SetContext("restart-yes");
    if (!ArrangeSettings() || !ArrangeMarker())
        return;
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main || !AskRestart(app, main, IDYES))
        return;
    ExpectRestart(app);
    CheckSettings(AllGroups);
}

void RestartFailingSave(const Args& args)
{
    SetContext("restart-failing-save");
    AppProcess app(args.at(0));
    HWND main = ArrangeMarker() ? OpenMainWindow(app) : nullptr;
    if (!main)
        return;
    // Loaded with [vcache] there, so the save writes it: into a directory now.
    const std::string ini = ReadSystemIni(), path = SystemIniPath();
    if (!CHECK(DeleteFileA(path.c_str()) && CreateDirectoryA(path.c_str(), nullptr),
               "system.ini replaced by a directory"))
        return;
    if (AskRestart(app, main, IDYES))
        AnswerErrorBox(app, L"Unable to write to system.ini.", "on the failed save");
    CHECK(!WaitUntil([&] { return !app.Running() || MarkerPresent(); }, 3000, 100),
          "no restart: program still running, no marker file");
    CHECK(IsWindowVisible(main), "window still open");
    RemoveDirectoryA(path.c_str());
    WriteSystemIni(ini);
    PressCancelAndExpectExit(app, main);
}

} // namespace e2e
