// The Info page: the banner and the logo clip from the driver's library.
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include <commctrl.h>

const char* const AnimationLibraryPath = "C:\\windows\\system\\3dfxv2ps.dll";

namespace {
const char* const AnimationHint =
    "A 3dfx logót mutatja. Ha újra látni akarod, kattints duplán a képre.";

void AddHint(HWND owner, HWND tool, const char* text)
{
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}
} // namespace

void TForm1::FormCreate()
{
    AddHint(hwnd_, Find(id::ani).Handle(), AnimationHint);
    // Only the library's clip resource is used, so it is mapped as data: none
    // of the driver's code runs inside this program.
    animationLibrary_.reset(LoadLibraryExA(AnimationLibraryPath, nullptr, LOAD_LIBRARY_AS_DATAFILE));
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
