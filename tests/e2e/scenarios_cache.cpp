// The Cache page edited, then OK: typed and stepped numbers land in the
// template as four bytes, the two cleared boxes remove [vcache] and switch
// the file system to the other template.
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

void TypeNumber(AppProcess& app, HWND field, const char* digits)
{
    if (!Focus(app, field))
        return;
    PostMessageA(field, EM_SETSEL, 0, -1);
    for (const char* c = digits; *c; ++c)
        PostMessageA(field, WM_CHAR, static_cast<WPARAM>(*c), 1);
}

void ClearBox(HWND main, int boxId)
{
    HWND box = ChildById(main, boxId);
    Click(box, CentreOf(box));
    CHECK(WaitUntil([&] { return Ask(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, ReactMs),
          "box " + std::to_string(boxId) + " cleared");
}

void EditCachePage(AppProcess& app, HWND main)
{
    HWND dirs = ChildById(main, id::cadir), files = ChildById(main, id::cafil);
    CHECK_EQ(ShownText(dirs), std::wstring(L"64"), "directory names shown from PathCache");
    CHECK_EQ(ShownText(files), std::wstring(L"2729"), "file names shown from NameCache");
    TypeNumber(app, dirs, "x300");  // the letter is refused
    CHECK(WaitUntil([&] { return ShownText(dirs) == L"300"; }, ReactMs), "300 typed over the directory names");
    if (PressKeyIn(app, files, VK_UP))
        CHECK(WaitUntil([&] { return ShownText(files) == L"2730"; }, ReactMs), "Up key steps the file names by 1");
    ClearBox(main, id::EnableDisk);
    ClearBox(main, id::EnableFile);
}

} // namespace

void CacheEdits(const Args& args)
{
    SetContext("cache-edits");
    if (!ArrangeSettings())
        return;
    AppProcess app(args.at(0));
    HWND main = OpenMainWindow(app);
    if (!main || !SwitchPage(app, main, 3))
        return;
    EditCachePage(app, main);
    PressOkAndExpectExit(app, main);
    CHECK_STORED(TemplatesKey, "", Text("Desktop"));
    CHECK_STORED(TemplateKey, "PathCache", Binary({0x2C, 0x01, 0, 0}));
    CHECK_STORED(TemplateKey, "NameCache", Binary({0xAA, 0x0A, 0, 0}));
    CHECK_STORED(std::string(TemplatesKey) + "\\Desktop", "PathCache", Binary({0x10, 0, 0, 0}));
    const IniContent ini = ParseIni(ReadSystemIni());
    CHECK(ini.count("vcache") == 0, "[vcache] section removed");
    CHECK(ini.count("mci") == 1 && ini.at("mci").count("waveaudio") == 1, "other sections kept");
    CHECK_STORED(GlideKey, "SSTV2_RGAMMA", Text("1.3"));
}

} // namespace e2e
