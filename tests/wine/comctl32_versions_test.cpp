// The program on the common controls of each Windows it runs on: comctl32
// 4.70 (Windows 95 OSR2 with Internet Explorer 3, and older), 4.72 (98),
// 5.80 (98 SE) and 6.0. Wine has one comctl32, which behaves like the newest
// whatever version the prefix reports. So the version seam makes the program
// take each version's paths, and while the window is open on a version,
// window classes of the test's own under the system names (a program's own
// classes come before the system's) do what that version's controls do
// where Wine's differ: the tooltip refuses a TOOLINFOA size it does not
// know, and before 4.71 the up/down control ignores UDM_SETRANGE32 and the
// animation looks for its clip in the module that made it.
#include "app_fixture.h"
#include "form_access.h"
#include "controls/animate_click.h"
#include "controls/number_field.h"
#include "mainwindow/control_ids.h"
#include "platform/container.h"
#include "platform/platform_version.h"
#include "platform/profile_file.h"
#include "system/cache_store.h"
#include <commctrl.h>
#include <shlwapi.h>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const ComctlVersion& v, std::ostream* os) { *os << v.major << "." << v.minor; }

namespace {

struct Comctl {
    const char* name;
    ComctlVersion version;
    UINT toolInfoSize;  // the largest TOOLINFOA its tooltips know
};
// 4.70 stands for every comctl32 without DllGetVersion, 4.00 among them,
// which knows only the first TOOLINFOA.
const Comctl Versions[] = {
    {"4.70 (95 OSR2)", {4, 70}, TTTOOLINFOA_V1_SIZE},
    {"4.72 (98)", {4, 72}, TTTOOLINFOA_V2_SIZE},
    {"5.80 (98 SE)", {5, 80}, TTTOOLINFOA_V2_SIZE},
    {"6.0", {6, 0}, TTTOOLINFOA_V3_SIZE},
};
bool Before471(const Comctl& c) { return c.version < Comctl471; }

const Comctl* g_running = nullptr;
WNDPROC g_tooltipProc = nullptr, g_upDownProc = nullptr, g_animateProc = nullptr;
std::vector<UINT> g_toolInfoSizes;  // of every TTM_ADDTOOLA

LRESULT CALLBACK OldTooltip(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == TTM_ADDTOOLA && g_running) {
        const UINT size = reinterpret_cast<const TOOLINFOA*>(lp)->cbSize;
        g_toolInfoSizes.push_back(size);
        const bool known = size == TTTOOLINFOA_V1_SIZE || size == TTTOOLINFOA_V2_SIZE || size == TTTOOLINFOA_V3_SIZE;
        if (!known || size > g_running->toolInfoSize)
            return FALSE;
    }
    return CallWindowProcA(g_tooltipProc, h, msg, wp, lp);
}

LRESULT CALLBACK OldUpDown(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == UDM_SETRANGE32 && g_running && Before471(*g_running))
        return 0;  // a message it does not know
    return CallWindowProcA(g_upDownProc, h, msg, wp, lp);
}

LRESULT CALLBACK OldAnimate(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == ACM_OPENA && lp && g_running && Before471(*g_running))
        wp = static_cast<WPARAM>(GetWindowLongPtrA(h, GWLP_HINSTANCE));
    return CallWindowProcA(g_animateProc, h, msg, wp, lp);
}

// Registers a class of the test's own under `name`: the one that GetClassInfo
// finds from `from`, with `proc` in front of its procedure.
void PutInFront(HINSTANCE from, const char* name, WNDPROC proc, WNDPROC& original)
{
    const HINSTANCE exe = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(from, name, &wc)) << name;
    original = wc.lpfnWndProc;
    if (from == exe) {
        ASSERT_TRUE(UnregisterClassA(name, exe)) << name;
    }
    wc.lpfnWndProc = proc;
    wc.hInstance = exe;
    wc.style &= ~CS_GLOBALCLASS;
    wc.lpszClassName = name;
    ASSERT_TRUE(RegisterClassA(&wc)) << name;
}

// The controls of one version and the program taking its paths, while it
// lives. No window of these classes may outlive it.
class OldControls {
public:
    explicit OldControls(const Comctl& c) : seam_(c.version)
    {
        g_running = &c;
        g_toolInfoSizes.clear();
        const HINSTANCE exe = GetModuleHandleA(nullptr);
        PutInFront(nullptr, TOOLTIPS_CLASSA, OldTooltip, g_tooltipProc);
        PutInFront(nullptr, UPDOWN_CLASSA, OldUpDown, g_upDownProc);
        PutInFront(exe, AnimateClickClassName, OldAnimate, g_animateProc);
    }
    ~OldControls()
    {
        const HINSTANCE exe = GetModuleHandleA(nullptr);
        for (const char* name : {TOOLTIPS_CLASSA, UPDOWN_CLASSA, AnimateClickClassName})
            EXPECT_TRUE(UnregisterClassA(name, exe)) << name;
        TAnimateClick::RegisterClass(exe);
        g_running = nullptr;
    }
    OldControls(const OldControls&) = delete;
    OldControls& operator=(const OldControls&) = delete;

private:
    ScopedComctlVersionForTest seam_;
};

class Comctl32Versions : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        reg::SetString(GlideKey, "SSTV2_RGAMMA", "1");
    }
    // Opens the main window on each version in turn and runs check(version)
    // on it; the window is closed whatever check does.
    template <typename Check>
    void OnEachVersion(Check check)
    {
        for (const Comctl& c : Versions) {
            SCOPED_TRACE(c.name);
            OldControls controls(c);
            OpenForm();
            check(c);
            CloseForm();
        }
    }
    TAnimateClick& Ani() { return Form().Get<TAnimateClick>(id::ani); }
};

std::string SystemFolderLibrary()
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\3dfxv2ps.dll";
}

void ClickArrow(HWND upDown, bool up)
{
    RECT r{};
    GetClientRect(upDown, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(upDown, WM_LBUTTONUP, 0, at);
    Pump();
}

void PressKey(HWND edit, UINT key)
{
    SendMessageA(edit, WM_KEYDOWN, key, 1);
    SendMessageA(edit, WM_KEYUP, key, 0xC0000001);
    Pump();
}

std::vector<std::string> g_profileWrites;

std::string Arg(LPCSTR text) { return text ? text : "NULL"; }

BOOL WINAPI RecordProfileWrite(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file)
{
    g_profileWrites.push_back(Arg(section) + "|" + Arg(key) + "|" + Arg(value) + "|" + Arg(file));
    return WritePrivateProfileStringA(section, key, value, file);
}

std::vector<std::string> g_facesAsked;
bool HasFace(const char* face, BYTE charset)
{
    g_facesAsked.push_back(std::string(face) + "|" + std::to_string(charset));
    return true;
}
bool LacksFace(const char*, BYTE) { return false; }

} // namespace

TEST_F(Comctl32Versions, HintToolSize)
{
    OnEachVersion([&](const Comctl& c) {
        EXPECT_EQ(g_toolInfoSizes, std::vector<UINT>{c.toolInfoSize});
        HWND tips = Access::HintWindow(Form());
        ASSERT_NE(tips, nullptr) << "the tooltip refused the hint";
        EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
        char text[128] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.hwnd = Form().Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Ani().Handle());
        tool.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, "A 3dfx log\xf3t mutatja. Ha \xfajra l\xe1tni akarod, kattints dupl\xe1n a k\xe9pre.");
    });
}

TEST_F(Comctl32Versions, ClipOn470HasNoErrorBox)
{
    InstallDriverLibrary("with_clip");
    OnEachVersion([&](const Comctl& c) {
        const bool plays = !Before471(c);
        EXPECT_EQ(Ani().Playing(), plays) << "plays when the window opens";
        if (!plays) {
            EXPECT_TRUE(Access::AnimationUnavailable(Form())) << "as without the library";
            RECT r{};
            GetClientRect(Ani().Handle(), &r);
            HDC dc = GetDC(Ani().Handle());
            EXPECT_EQ(GetPixel(dc, r.right / 2, r.bottom / 2), RGB(0, 0, 0)) << "the unplayed black area";
            ReleaseDC(Ani().Handle(), dc);
            DoubleClickAnimation();
            EXPECT_FALSE(Ani().Playing()) << "a double-click does nothing";
        }
        EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text);
        boxes.clear();
    });
}

TEST_F(Comctl32Versions, UpDownArrowsRaiseOnEveryVersion)
{
    WritePrivateProfileStringA("vcache", "minfilecache", "4096", "system.ini");
    enum class Input { UpArrow, DownArrow, UpKey, DownKey };
    const struct { int line; int field; int32_t start; Input input; const char* after; } cases[] = {
        {__LINE__, id::camin, 4096, Input::UpArrow, "4097"},
        {__LINE__, id::camin, 4096, Input::DownArrow, "4095"},
        {__LINE__, id::camax, 40000, Input::UpArrow, "40001"},  // beyond the 16-bit range
        {__LINE__, id::camax, 40000, Input::DownKey, "39999"},
        {__LINE__, id::cachunk, -1, Input::UpKey, "0"},
    };
    OnEachVersion([&](const Comctl&) {
        EXPECT_OK(Form().SetActivePage(3));
        for (const auto& c : cases) {
            SCOPED_TRACE(c.line);
            auto& field = Form().Get<NumberField>(c.field);
            ASSERT_TRUE(field.Enabled());
            field.SetValue(c.start);
            HWND upDown = GetDlgItem(GetParent(field.Handle()), c.field + id::UpDownOffset);
            switch (c.input) {
            case Input::UpArrow: ClickArrow(upDown, true); break;
            case Input::DownArrow: ClickArrow(upDown, false); break;
            case Input::UpKey: PressKey(field.Handle(), VK_UP); break;
            case Input::DownKey: PressKey(field.Handle(), VK_DOWN); break;
            }
            EXPECT_EQ(field.Text(), c.after);
        }
    });
}

TEST_F(Comctl32Versions, TabStyleFallback)
{
    OnEachVersion([&](const Comctl& c) {
        HWND selector = Form().Find(id::Selector).Handle();
        const LONG style = GetWindowLongA(selector, GWL_STYLE);
        EXPECT_TRUE(style & TCS_BUTTONS);
        EXPECT_EQ((style & TCS_FLATBUTTONS) != 0, !Before471(c)) << "flat from 4.71, raised buttons before";
        EXPECT_EQ(TabCtrl_GetItemCount(selector), 2);
    });
}

TEST_F(Comctl32Versions, FontCharset)
{
    // The prefix has Wine's bitmap "MS Sans Serif" for code page 1250.
    const struct { int line; FontFaceQuery query; BYTE charset; } cases[] = {
        {__LINE__, HasFace, EASTEUROPE_CHARSET},
        {__LINE__, LacksFace, DEFAULT_CHARSET},
        {__LINE__, nullptr, EASTEUROPE_CHARSET},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        SetFontFaceQuery(c.query);
        EXPECT_EQ(ProgramFontCharset(), c.charset);
        UniqueGdi<HFONT> font(CreateProgramFont());
        LOGFONTA made{};
        ASSERT_EQ(GetObjectA(font.get(), sizeof made, &made), static_cast<int>(sizeof made));
        EXPECT_EQ(made.lfCharSet, c.charset);
        EXPECT_STREQ(made.lfFaceName, "MS Sans Serif");
    }
    SetFontFaceQuery(nullptr);
    EXPECT_EQ(g_facesAsked, std::vector<std::string>(2, "MS Sans Serif|" + std::to_string(EASTEUROPE_CHARSET)));
    ScopedGetDC screen(nullptr);
    ScopedSelectObject selected(screen.get(), ProgramFont());
    EXPECT_EQ(GetTextCharset(screen.get()), EASTEUROPE_CHARSET) << "the text is drawn in code page 1250";
}

TEST_F(Comctl32Versions, ProfileFlushAfterVcache)
{
    const std::string flush = "NULL|NULL|NULL|system.ini";
    const struct { int line; bool diskCacheOn; std::vector<std::string> writes; } cases[] = {
        {__LINE__, true,
         {"vcache|minfilecache|1024|system.ini", "vcache|maxfilecache|8192|system.ini",
          "vcache|chunksize|512|system.ini", flush}},
        {__LINE__, false, {"vcache|NULL|NULL|system.ini", flush}},
    };
    SetProfileWriteFunction(RecordProfileWrite);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        g_profileWrites.clear();
        CacheSettings settings;
        settings.diskCacheOn = c.diskCacheOn;
        settings.vcache[0] = 1024;
        settings.vcache[1] = 8192;
        settings.vcache[2] = 512;
        EXPECT_OK(StoreCacheSettings(settings));
        EXPECT_EQ(g_profileWrites, c.writes);
        char chunk[16] = {};
        GetPrivateProfileStringA("vcache", "chunksize", "none", chunk, sizeof chunk, "system.ini");
        EXPECT_STREQ(chunk, c.diskCacheOn ? "512" : "none");
    }
    SetProfileWriteFunction(nullptr);
}

TEST_F(Comctl32Versions, DriverLibraryFromSystemFolder)
{
    const std::string systemFolder = SystemFolderLibrary();
    ASSERT_NE(lstrcmpiA(systemFolder.c_str(), AnimationLibraryPath), 0) << "two places to tell apart";
    const struct { int line; const char* driverPlace; const char* systemPlace; bool plays; size_t boxes; } cases[] = {
        {__LINE__, "with_clip", nullptr, true, 0},
        {__LINE__, nullptr, "with_clip", true, 0},
        {__LINE__, "without_clip", "with_clip", false, 1},  // the driver's place comes first
        {__LINE__, nullptr, nullptr, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        DeleteFileA(AnimationLibraryPath);
        DeleteFileA(systemFolder.c_str());
        if (c.driverPlace)
            InstallDriverLibrary(c.driverPlace);
        if (c.systemPlace)
            InstallDriverLibrary(c.systemPlace, systemFolder);
        boxes.clear();
        OpenForm();
        EXPECT_EQ(Ani().Playing(), c.plays);
        EXPECT_EQ(boxes.size(), c.boxes);
        CloseForm();
    }
}

TEST_F(Comctl32Versions, VersionFromDllGetVersion)
{
    HMODULE comctl32 = GetModuleHandleA("comctl32.dll");
    const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(comctl32, "DllGetVersion")));
    ASSERT_NE(getVersion, nullptr) << "Wine's comctl32 is of the newer kind";
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(getVersion(&info), S_OK);
    const ComctlVersion wine{info.dwMajorVersion, info.dwMinorVersion};
    const struct { int line; HMODULE module; ComctlVersion version; } modules[] = {
        {__LINE__, comctl32, wine},
        {__LINE__, GetModuleHandleA(nullptr), Comctl470},  // exports no DllGetVersion
        {__LINE__, nullptr, Comctl470},
    };
    for (const auto& m : modules) {
        SCOPED_TRACE(m.line);
        EXPECT_EQ(VersionFromDllGetVersion(m.module), m.version);
    }
    EXPECT_EQ(CommonControlsVersion(), wine);

    // Everything the program tells apart arrived with 4.71.
    const struct { int line; ComctlVersion version; bool newer; UINT toolInfoSize; } features[] = {
        {__LINE__, {4, 0}, false, TTTOOLINFOA_V1_SIZE},
        {__LINE__, {4, 70}, false, TTTOOLINFOA_V1_SIZE},
        {__LINE__, {4, 71}, true, TTTOOLINFOA_V2_SIZE},
        {__LINE__, {5, 82}, true, TTTOOLINFOA_V2_SIZE},
        {__LINE__, {6, 0}, true, TTTOOLINFOA_V3_SIZE},
        {__LINE__, {6, 10}, true, TTTOOLINFOA_V3_SIZE},
    };
    for (const auto& f : features) {
        SCOPED_TRACE(f.line);
        const ScopedComctlVersionForTest seam(f.version);
        EXPECT_EQ(CommonControlsVersion(), f.version);
        EXPECT_EQ(AnimateOpensFromModule(), f.newer);
        EXPECT_EQ(HasUpDownRange32(), f.newer);
        EXPECT_EQ(HasFlatTabButtons(), f.newer);
        EXPECT_EQ(ToolInfoSize(), f.toolInfoSize);
    }
    EXPECT_EQ(CommonControlsVersion(), wine) << "the seam is gone with its scope";
}
