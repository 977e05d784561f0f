#include "mainwindow/form1.h"
#include "mainwindow/control_ids.h"
#include "controls/subclass.h"
#include "platform/container.h"
#include "platform/message_box.h"
#include <commctrl.h>

void TForm1::RegisterClass(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = TARNWICK_MAIN_CLASS;
    ::RegisterClassA(&wc);
}

TForm1::~TForm1()
{
    if (hwnd_)
        Close();
}

Status TForm1::Create()
{
    RECT rc{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&rc, FrameStyle, FALSE, WS_EX_CONTROLPARENT);
    CreateWindowExA(WS_EX_CONTROLPARENT, TARNWICK_MAIN_CLASS, "Tarnwick", FrameStyle, FrameLeft,
                    FrameTop, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                    GetModuleHandleA(nullptr), this);
    if (!hwnd_)
        return Fail("Cannot create the main window");
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFont()), FALSE);
    TRY(BuildLayout(hwnd_, controls_));
    TRY(controlTable_.Fill(controls_));
    Get<TAnimateClick>(id::ani).SetOnDblClick([this](Control& sender) { ReportError(aniDblClick(sender)); });
    FormCreate();
    return Status();
}

void TForm1::Show()
{
    FormShow();
    if (!hwnd_)
        return;
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    SetForegroundWindow(hwnd_);
}

void TForm1::Close()
{
    if (!hwnd_)
        return;
    ShowWindow(hwnd_, SW_HIDE);
    DestroyWindow(hwnd_);
}

Control& TForm1::Find(int controlId) const
{
    Control* control = controls_.Find(controlId);
    if (!control)
        EndWithError("No control with ID " + std::to_string(controlId));
    return *control;
}

int TForm1::ActivePage() const { return Get<TabControl>(id::PageControl1).TabIndex(); }

Status TForm1::SetActivePage(int index)
{
    // The page's own visibility, whether or not the window is shown yet.
    const bool wasShown = (GetWindowLongA(Find(id::TabSheet1 + index).Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    SelectPage(controls_, index);
    return index == 0 && !wasShown ? TabSheet1Show() : Status();
}

LRESULT CALLBACK TForm1::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->controls_.Clear();
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    return self->HandleMessage(msg, wp, lp);
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    // The one guard: whatever a control's event handler gives back is shown
    // here, and ends that event only.
    LRESULT result = 0;
    switch (msg) {
    case WM_COMMAND:
        ReportError(Dispatch(Source::Command, LOWORD(wp), HIWORD(wp), HIWORD(wp), result));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        ReportError(Dispatch(Source::Notify, static_cast<int>(header->idFrom), header->code, lp, result));
        return result;
    }
    case WM_HSCROLL:
        ReportError(Dispatch(Source::HScroll, GetDlgCtrlID(reinterpret_cast<HWND>(lp)), 0, 0, result));
        return 0;
    case WM_TIMER:
        if (wp == Timer1Id)
            Timer1Timer();
        return 0;
    case WM_APP_PAINTBOX:
        OnPaintBox(reinterpret_cast<HWND>(wp), reinterpret_cast<HDC>(lp));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // Controls with colours of their own (the flat lists, the animation)
        // answer for themselves; the others get the default.
        if (ReflectCtlColor(msg, wp, lp, result))
            return result;
        break;
    case DM_GETDEFID:
        return MAKELRESULT(DefaultButtonId(), DC_HASDEFID);
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ENDSESSION:
        // Windows is ending the session (after the restart command, say):
        // the program ends as if closed, without saving.
        if (wp)
            Close();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

namespace {
constexpr int PushButtons[] = {id::Button1, id::Button2, id::Button3, id::Button4};
} // namespace

// Enter presses the push button that has the focus, and "OK" otherwise.
int TForm1::DefaultButtonId() const
{
    HWND focus = GetFocus();
    return focus && IsChild(hwnd_, focus) && IsPushButton(focus) ? GetDlgCtrlID(focus) : id::Button1;
}

// The default button's heavier frame goes where Enter would go.
void TForm1::ShowDefaultButton()
{
    const int current = DefaultButtonId();
    for (int button : PushButtons)
        SendMessageA(Find(button).Handle(), BM_SETSTYLE, (button == current ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
}

void TForm1::OnPaintBox(HWND box, HDC dc)
{
    const int boxId = GetDlgCtrlID(box);
    if (boxId == id::PaintBox1)
        PaintBox1Paint(dc);
    else if (boxId == id::pvir || boxId == id::pfiz)
        pfizPaint(Find(boxId), dc);
}

// The image lists are made when first painted from: the icons only once
// the Cache page is shown.
HIMAGELIST TForm1::ImageList(UniqueImageList& list, int width, int height, std::initializer_list<const char*> bitmaps)
{
    if (list)
        return list.get();
    list.reset(ImageList_Create(width, height, ILC_COLORDDB | ILC_MASK, static_cast<int>(bitmaps.size()), 0));
    for (const char* name : bitmaps) {
        UniqueGdi<HBITMAP> bitmap(LoadBitmapA(GetModuleHandleA(nullptr), name));
        if (bitmap)
            ImageList_AddMasked(list.get(), bitmap.get(), RGB(255, 0, 255));
    }
    return list.get();
}
