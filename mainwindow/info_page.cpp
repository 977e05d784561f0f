// The Info page: the banner and the logo clip from the driver's library.
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include "platform/platform_version.h"
#include <commctrl.h>
#include <string>

const char* const AnimationLibraryPath = "C:\\windows\\system\\3dfxv2ps.dll";

namespace {
const char* const AnimationLibraryName = "3dfxv2ps.dll";
const char* const AnimationHint =
    "A 3dfx logót mutatja. Ha újra látni akarod, kattints duplán a képre.";

// The hint window, or null when the tooltip control refused the tool.
HWND AddHint(HWND owner, HWND tool, const char* text)
{
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tips)
        return nullptr;
    TOOLINFOA info{};
    // Not sizeof: the headers' TOOLINFOA is 6.0's, and older versions
    // refuse a size they do not know.
    info.cbSize = ToolInfoSize();
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text);
    if (!SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) {
        DestroyWindow(tips);
        return nullptr;
    }
    return tips;
}

// Mapped as data: only the clip resource is used, so none of the driver's
// code runs inside this program.
HMODULE LoadAsData(const char* path) { return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE); }

// From where the driver puts it, else from the system folder.
HMODULE LoadAnimationLibrary()
{
    if (HMODULE library = LoadAsData(AnimationLibraryPath))
        return library;
    // Where Windows lives elsewhere than C:\windows (or on NT, in SYSTEM32)
    // the driver's library is in the system folder.
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder)
        return nullptr;
    std::string path(folder, length);
    if (path.back() != '\\')
        path += '\\';
    path += AnimationLibraryName;
    if (lstrcmpiA(path.c_str(), AnimationLibraryPath) == 0)
        return nullptr;
    return LoadAsData(path.c_str());
}
} // namespace

void TForm1::FormCreate()
{
    hintWindow_ = AddHint(hwnd_, Find(id::ani).Handle(), AnimationHint);
    // Before 4.71 the animation control takes its clip from the module that
    // made it, this program, whatever ACM_OPEN names: the driver's clip
    // cannot be shown, and the page stays as it is without the library,
    // where trying would show "Cannot open AVI" at every start.
    if (!AnimateOpensFromModule()) {
        animationUnavailable_ = true;
        return;
    }
    animationLibrary_.reset(LoadAnimationLibrary());
    if (!animationLibrary_) {
        animationUnavailable_ = true;
        return;
    }
    auto& ani = Get<TAnimateClick>(id::ani);
    ani.SetResId(AnimationResourceId);
    ani.SetResHandle(animationLibrary_.get());
}

void TForm1::FormDestroy()
{
    if (!animationLibrary_)
        return;
    // The clip must be closed before the library that holds it goes away.
    auto& ani = Get<TAnimateClick>(id::ani);
    ani.Stop();
    ani.Close();
    animationLibrary_.reset();
}

Status TForm1::TabSheet1Show()
{
    if (animationUnavailable_ || animationStarted_)
        return Status();
    animationStarted_ = true;
    return Get<TAnimateClick>(id::ani).Play();
}

Status TForm1::aniDblClick(Control& sender)
{
    if (animationUnavailable_)
        return Status();
    auto& ani = static_cast<TAnimateClick&>(sender);
    return ani.Playing() ? Status() : ani.Play();
}

void TForm1::PaintBox1Paint(HDC dc)
{
    ImageList_Draw(ImageList(imageList1_, 288, 112, {"BANNER"}), 0, dc, 0, 0, ILD_NORMAL);
}
