// The start-up benchmark's floor: the platform work that showing
// Tarnwick's window cannot avoid, and nothing else. The same common
// controls and window classes, the splash painted once, the same child
// windows made from the program's own layout tables in their final styles,
// the same registry opens and value reads (each value once) and profile
// reads, the driver library mapped as data and its clip opened; no
// wrappers, no handlers, no logic. Closes when asked, like the program.
#include "app/startup.h"
#include "app/startup_clock.h"
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include "mainwindow/layout_builder.h"
#include "mainwindow/splash.h"
#include "driver/setting.h"
#include "driver/switch_tables.h"
#include "platform/container.h"
#include "system/cache_store.h"
#include <commctrl.h>
#include <string>
#include <vector>

namespace {
const char* const FloorClass = "TarnwickFloor";

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Opens a key and reads each named value once.
void ReadValues(const std::string& key, const std::vector<std::string>& names)
{
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS)
        return;
    for (const std::string& name : names) {
        BYTE data[256];
        DWORD size = sizeof data, type = 0;
        RegQueryValueExA(h, name.c_str(), nullptr, &type, data, &size);
    }
    RegCloseKey(h);
}

// What the program's load reads: per profile three routines with a key
// each, the two switch keys, the template key, and [vcache].
void ReadStoredSettings()
{
    std::vector<std::string> refresh;
    for (int i = 1; i <= 5; ++i)
        refresh.push_back(RefreshValueName(i));
    const auto switchNames = [](const auto& rows) {
        std::vector<std::string> names;
        for (const TData& row : rows)
            names.push_back(row.Name);
        return names;
    };
    for (const char* profile : {GlideKeyName, D3DKeyName}) {
        const std::string key = DriverSubkeyPath(profile);
        ReadValues(key, {std::begin(GammaValueNames), std::end(GammaValueNames)});
        ReadValues(key, refresh);
        ReadValues(key, {ClockValueName});
    }
    ReadValues(DriverSubkeyPath(GlideKeyName), switchNames(GlideSwitches));
    ReadValues(DriverSubkeyPath(D3DKeyName), switchNames(D3DSwitches));
    ReadValues(TemplateKeyPath(), {std::begin(TemplateValueNames), std::end(TemplateValueNames)});
    ReadValues(TemplatesKeyPath, {""});
    char text[16384];
    GetPrivateProfileStringA(VCacheSection, nullptr, "", text, sizeof text, SystemIni);
    for (const char* key : VCacheKeys)
        GetPrivateProfileStringA(VCacheSection, key, "", text, 2048, SystemIni);
}

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND h, LPARAM lp)
{
    auto* search = reinterpret_cast<Search*>(lp);
    if (GetDlgCtrlID(h) != search->id)
        return TRUE;
    search->found = h;
    return FALSE;
}

HWND FindById(HWND root, int id)
{
    Search search{id, nullptr};
    EnumChildWindows(root, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    StartupClock::Start();
    if (!ProbeCard())
        return 0;
    InitialiseWindowClasses(instance);
    WNDCLASSA wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = FloorClass;
    RegisterClassA(&wc);

    auto splash = std::make_unique<TSplashForm>();
    splash->ShowAndPaint();
    RECT rc{0, 0, TForm1::ClientWidth, TForm1::ClientHeight};
    AdjustWindowRectEx(&rc, TForm1::FrameStyle, FALSE, WS_EX_CONTROLPARENT);
    HWND frame = CreateWindowExA(WS_EX_CONTROLPARENT, FloorClass, "Tarnwick", TForm1::FrameStyle, TForm1::FrameLeft,
                                 TForm1::FrameTop, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                                 instance, nullptr);
    SendMessageA(frame, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFont()), FALSE);
    if (!frame || !BuildLayoutWindows(frame).ok())
        return 1;
    for (int page = 1; page < 5; ++page)
        ShowWindow(FindById(frame, id::TabSheet1 + page), SW_HIDE);

    ReadStoredSettings();
    HMODULE library = LoadLibraryExA(AnimationLibraryPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND ani = FindById(frame, id::ani);
    if (library && SendMessageA(ani, ACM_OPENA, reinterpret_cast<WPARAM>(library),
                                reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(AnimationResourceId))))
        SendMessageA(ani, ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF));
    SetTimer(frame, 1, 1000, nullptr);
    splash.reset();

    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    SetForegroundWindow(frame);
    StartupClock::Stop();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (library) {
        SendMessageA(ani, ACM_OPENA, 0, 0);
        FreeLibrary(library);
    }
    return 0;
}
