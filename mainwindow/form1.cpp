#include "mainwindow/form1.h"
#include "mainwindow/splash.h"
#include "mainwindow/control_ids.h"
#include "platform/container.h"
#include "platform/message_box.h"
#include <algorithm>
#include <commctrl.h>

namespace {
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int ClientWidth = 464, ClientHeight = 294, FrameLeft = 358, FrameTop = 208;
}

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
    BuildLayout(hwnd_, controls_);
    LoadImageLists();
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

void TForm1::SetActivePage(int index)
{
    // The page's own visibility, whether or not the window is shown yet.
    const bool wasShown = (GetWindowLongA(Find(id::TabSheet1 + index).Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    SelectPage(controls_, index);
    if (index == 0 && !wasShown)
        ReportError(TabSheet1Show());
}

Status TForm1::Button1Click()
{
    TRY(SaveAll());
    Close();
    return Status();
}

void TForm1::Button2Click() { Close(); }

void TForm1::FormShow()
{
    controlTable_.Fill(controls_);
    LoadAll();
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
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_HSCROLL:
        OnHScroll(reinterpret_cast<HWND>(lp));
        return 0;
    case WM_TIMER:
        if (wp == Timer1Id)
            Timer1Timer();
        return 0;
    case WM_APP_PAINTBOX:
        OnPaintBox(reinterpret_cast<HWND>(wp), reinterpret_cast<HDC>(lp));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == id::ani) {
            SetBkColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
        }
        [[fallthrough]];
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // The flat lists keep their own colour, the parent's while disabled.
        for (int list = id::Refrrate512x384; list <= id::Refrrate1024x768; ++list) {
            LRESULT brush = 0;
            const Control* combo = controls_.Find(list);
            if (combo && static_cast<const TComboBox97*>(combo)->AnswerCtlColor(msg, wp, lp, brush))
                return brush;
        }
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

void TForm1::OnCommand(int controlId, int code)
{
    if (code == BN_SETFOCUS || code == BN_KILLFOCUS) {
        if (std::find(std::begin(PushButtons), std::end(PushButtons), controlId) != std::end(PushButtons))
            ShowDefaultButton();
        return;
    }
    ReportError(RunCommand(controlId, code));
}

Status TForm1::RunCommand(int controlId, int code)
{
    switch (controlId) {
    case id::Button1:
        return code == BN_CLICKED ? Button1Click() : Status();
    case id::Button2:
        if (code == BN_CLICKED)
            Button2Click();
        return Status();
    case id::ani:
        Get<TAnimateClick>(id::ani).OnNotifyCode(code);
        return Status();
    case id::Button3:
        return code == BN_CLICKED ? Button3Click() : Status();
    case id::Button4:
        if (code == BN_CLICKED) {
            OnProfileEdit(Group::GlideClock, Group::D3DClock);
            Button4Click();
        }
        return Status();
    case id::Refrrate512x384: case id::Refrrate640x400: case id::Refrrate640x480:
    case id::Refrrate800x600: case id::Refrrate1024x768:
        if (code != CBN_SELCHANGE)
            return Status();
        OnProfileEdit(Group::GlideRefresh, Group::D3DRefresh);
        return Refrrate512x384Change(Find(controlId));
    case id::EnableDisk:
    case id::EnableFile:
        if (code == BN_CLICKED) {
            OnUserEdit(Group::Cache);
            if (controlId == id::EnableDisk)
                EnableDiskClick(Find(controlId));
            else
                EnableFileClick(Find(controlId));
        }
        return Status();
    case id::camin: case id::camax: case id::cachunk: case id::cadir: case id::cafil:
        if (code == EN_CHANGE && loadFinished_)
            OnUserEdit(Group::Cache);
        return Status();
    default:
        // The switch boxes only toggle; IDCANCEL lands here too, so
        // Escape does nothing.
        if (controlId >= id::gcb(1) && controlId <= id::dcb(15) && code == BN_CLICKED)
            OnUserEdit(Group::Switches);
        return Status();
    }
}

LRESULT TForm1::OnNotify(const NMHDR& header)
{
    if (header.code == UDN_DELTAPOS) {
        // The field steps itself and keeps the up/down control where it is.
        const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
        const int field = static_cast<int>(header.idFrom) - id::UpDownOffset;
        Get<NumberField>(field).Step(change.iDelta);
        return TRUE;
    }
    if (header.code != TCN_SELCHANGE)
        return 0;
    if (header.idFrom == static_cast<UINT_PTR>(id::PageControl1))
        SetActivePage(ActivePage());
    else if (header.idFrom == static_cast<UINT_PTR>(id::Selector))
        ReportError(SelectorChange());
    return 0;
}

void TForm1::OnPaintBox(HWND box, HDC dc)
{
    const int boxId = GetDlgCtrlID(box);
    if (boxId == id::PaintBox1)
        PaintBox1Paint(dc);
    else if (boxId == id::pvir || boxId == id::pfiz)
        pfizPaint(Find(boxId), dc);
}

void TForm1::OnHScroll(HWND control)
{
    switch (GetDlgCtrlID(control)) {
    case id::TrRed: case id::TrBlue: case id::TrGreen:
        OnProfileEdit(Group::GlideGamma, Group::D3DGamma);
        ReportError(SliderChange(Find(GetDlgCtrlID(control))));
        break;
    case id::ClockSpeed:
        OnProfileEdit(Group::GlideClock, Group::D3DClock);
        ClockSpeedChange(Find(id::ClockSpeed));
        break;
    }
}

void TForm1::LoadImageLists()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    imageList1_.reset(ImageList_Create(288, 112, ILC_COLORDDB | ILC_MASK, 1, 0));
    im2_.reset(ImageList_Create(32, 32, ILC_COLORDDB | ILC_MASK, 2, 0));
    const struct { HIMAGELIST list; const char* name; } images[] = {
        {imageList1_.get(), "BANNER"}, {im2_.get(), "HDD"}, {im2_.get(), "CHIP"}};
    for (const auto& image : images) {
        UniqueGdi<HBITMAP> bitmap(LoadBitmapA(instance, image.name));
        if (bitmap)
            ImageList_AddMasked(image.list, bitmap.get(), RGB(255, 0, 255));
    }
}

void TForm1::pfizPaint(Control& sender, HDC dc)
{
    ImageList_Draw(im2_.get(), sender.Tag(), dc, 0, 0, ILD_NORMAL);
}
