// The flat drop-down list in a real window: its state driven by real
// messages, its frame read back from the screen.
#include "controls/combobox97.h"
#include "controls/subclass.h"
#include "platform/container.h"
#include "platform/handles.h"
#include "tests/common/message_pump.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const ParentClass = "Cb97TestParent";
constexpr int ComboId = 101;
constexpr int ComboWidth = 73;
constexpr int ClosedHeight = 21;
const POINT FarAway{1000, 740};  // a point of the screen no test window covers

// What the parent window hears of the list.
int g_selChanges = 0;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == ComboId && HIWORD(wp) == CBN_SELCHANGE)
            ++g_selChanges;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        LRESULT brush = 0;
        if (ReflectCtlColor(msg, wp, lp, brush))
            return brush;
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Under Wine the X server reports a cursor move some time after it, and a
// late report of an earlier move puts the cursor back there: wait until the
// cursor has stayed where it was put.
void PutCursor(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    int steady = 0;
    for (int i = 0; i < 100 && steady < 5; ++i) {
        Pump();
        Sleep(10);
        POINT now{};
        GetCursorPos(&now);
        if (now.x == screen.x && now.y == screen.y) {
            ++steady;
        } else {
            steady = 0;
            SetCursorPos(screen.x, screen.y);
        }
    }
}

// The window's pixels, whole window, row by row.
struct Picture {
    int w = 0, h = 0;
    std::vector<COLORREF> px;
    COLORREF at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    bool operator==(const Picture& o) const { return w == o.w && h == o.h && px == o.px; }
};

Picture Capture(HWND hwnd)
{
    GdiFlush();
    RECT wr;
    GetWindowRect(hwnd, &wr);
    Picture pic;
    pic.w = wr.right - wr.left;
    pic.h = wr.bottom - wr.top;
    ScopedGetDC window(hwnd, true);
    HDC mem = CreateCompatibleDC(window.get());
    UniqueGdi<HBITMAP> bmp(CreateCompatibleBitmap(window.get(), pic.w, pic.h));
    {
        ScopedSelectObject sel(mem, bmp.get());
        BitBlt(mem, 0, 0, pic.w, pic.h, window.get(), 0, 0, SRCCOPY);
        for (int y = 0; y < pic.h; ++y)
            for (int x = 0; x < pic.w; ++x)
                pic.px.push_back(GetPixel(mem, x, y) & 0xFFFFFF);
    }
    DeleteDC(mem);
    return pic;
}

std::string Hex(COLORREF c)
{
    char buf[16];
    wsprintfA(buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

class ComboBox97Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = ParentClass;
        RegisterClassA(&wc);
    }

    void SetUp() override
    {
        PutCursor(FarAway);
        parent_ = CreateWindowExA(0, ParentClass, "cb97", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  60, 60, 320, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
        ASSERT_TRUE(parent_);
        combo_ = MakeCombo(20, 20);
        other_ = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 20, 120, 75,
                                 23, parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
        list_ = std::make_unique<TComboBox97>(combo_, 0);
        for (const char* item : {"60 Hz", "75 Hz", "85 Hz"})
            SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(combo_, CB_SETITEMHEIGHT, 0, 13);
        list_->SetFlat(true);
        ShowWindow(parent_, SW_SHOW);
        SetForegroundWindow(parent_);
        SetFocus(other_);
        Pump();
        Render();
        g_selChanges = 0;
    }

    void TearDown() override
    {
        DestroyWindow(parent_);  // the list outlives its window, as in the form
        list_.reset();
        Pump();
    }

    HWND MakeCombo(int x, int y)
    {
        HWND h = CreateWindowExA(0, "COMBOBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 x, y, ComboWidth, ClosedHeight + 3 * 13 + 8, parent_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(ComboId)),
                                 GetModuleHandleA(nullptr), nullptr);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFont()), FALSE);
        return h;
    }

    void Render()
    {
        RedrawWindow(combo_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        Pump();
    }

    RECT Client() const
    {
        RECT rc;
        GetClientRect(combo_, &rc);
        return rc;
    }
    POINT TextPoint() const { return {10, Client().bottom / 2}; }
    POINT ButtonPoint() const { return {Client().right - list_->ButtonWidth() / 2, Client().bottom / 2}; }

    void MoveCursorTo(POINT client)
    {
        POINT screen = client;
        ClientToScreen(combo_, &screen);
        PutCursor(screen);
    }
    void Send(UINT msg, WPARAM wp, POINT pt)
    {
        SendMessageA(combo_, msg, wp, MAKELPARAM(pt.x, pt.y));
    }

    enum class Step {
        Enter, Leave, Focus, Unfocus, Press, MoveOffButton, MoveOnButton, Release, DropByCode,
        Disable, Enable,
    };
    void Do(Step s)
    {
        switch (s) {
        case Step::Enter:
            MoveCursorTo(TextPoint());
            Send(WM_MOUSEMOVE, 0, TextPoint());
            break;
        case Step::Leave:
            PutCursor(FarAway);
            SendMessageA(combo_, WM_MOUSELEAVE, 0, 0);
            break;
        case Step::Focus: SetFocus(combo_); break;
        case Step::Unfocus: SetFocus(other_); break;
        case Step::Press:
            MoveCursorTo(ButtonPoint());
            Send(WM_MOUSEMOVE, 0, ButtonPoint());
            Send(WM_LBUTTONDOWN, MK_LBUTTON, ButtonPoint());
            break;
        case Step::MoveOffButton:
            MoveCursorTo(TextPoint());
            Send(WM_MOUSEMOVE, MK_LBUTTON, TextPoint());
            break;
        case Step::MoveOnButton:
            MoveCursorTo(ButtonPoint());
            Send(WM_MOUSEMOVE, MK_LBUTTON, ButtonPoint());
            break;
        case Step::Release: Send(WM_LBUTTONUP, 0, ButtonPoint()); break;
        case Step::DropByCode: SendMessageA(combo_, CB_SHOWDROPDOWN, TRUE, 0); break;
        case Step::Disable: EnableWindow(combo_, FALSE); break;
        case Step::Enable: EnableWindow(combo_, TRUE); break;
        }
        Pump();
    }

    HWND parent_ = nullptr;
    HWND combo_ = nullptr;
    HWND other_ = nullptr;
    std::unique_ptr<TComboBox97> list_;
};

TEST_F(ComboBox97Test, StateFollowsMouseFocusAndPresses)
{
    using S = Step;
    const struct {
        const char* name;
        std::vector<Step> steps;
        bool inside, hot, pressed, tracking;
    } cases[] = {
        {"mouse enters", {S::Enter}, true, true, false, false},
        {"mouse enters and leaves", {S::Enter, S::Leave}, false, false, false, false},
        {"focus", {S::Focus}, false, true, false, false},
        {"focus and away", {S::Focus, S::Unfocus}, false, false, false, false},
        {"mouse leaves a focused list", {S::Focus, S::Enter, S::Leave}, false, true, false, false},
        {"press drops the list", {S::Press}, true, true, true, true},
        {"press closes the dropped list", {S::Focus, S::DropByCode, S::Press}, true, true, false, false},
        {"press and release", {S::Press, S::Release}, true, true, false, true},
        {"press, move off the button", {S::Press, S::MoveOffButton}, true, true, false, true},
        {"press, move along the button", {S::Press, S::MoveOnButton}, true, true, true, true},
        {"press, off, back on", {S::Press, S::MoveOffButton, S::MoveOnButton}, true, true, false, true},
        {"move off the button unpressed", {S::Enter, S::MoveOffButton}, true, true, false, false},
        {"mouse enters a disabled list", {S::Disable, S::Enter}, false, false, false, false},
        {"disabled under the mouse", {S::Enter, S::Disable}, false, false, false, false},
        {"enabled again, mouse enters", {S::Enter, S::Disable, S::Enable, S::Enter}, true, true, false, false},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        for (Step s : c.steps)
            Do(s);
        EXPECT_EQ(list_->MouseInside(), c.inside) << c.name;
        EXPECT_EQ(list_->Hot(), c.hot) << c.name;
        EXPECT_EQ(list_->Pressed(), c.pressed) << c.name;
        EXPECT_EQ(list_->Tracking(), c.tracking) << c.name;
    }
}

TEST_F(ComboBox97Test, TheSystemReportsTheMouseLeaving)
{
    // No WM_MOUSELEAVE of our own: the one asked for on entering must come.
    MoveCursorTo(TextPoint());
    Send(WM_MOUSEMOVE, 0, TextPoint());
    ASSERT_TRUE(list_->MouseInside());
    SetCursorPos(FarAway.x, FarAway.y);  // and no more: the leave must come by itself
    const DWORD until = GetTickCount() + 3000;
    while (list_->MouseInside() && GetTickCount() < until) {
        Pump();
        Sleep(10);
    }
    EXPECT_FALSE(list_->MouseInside());
    EXPECT_FALSE(list_->Hot());
}

TEST_F(ComboBox97Test, DisabledFlatListTakesTheParentsColour)
{
    const COLORREF window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE);
    const struct {
        const char* name;
        bool flat;
        std::vector<int> steps;  // 0 disable, 1 enable, 2 flat off, 3 disable once more
        COLORREF color;
        bool parentColor;
    } cases[] = {
        {"as made", true, {}, window, false},
        {"disabled", true, {0}, face, true},
        {"disabled and enabled", true, {0, 1}, window, false},
        {"told twice it is disabled", true, {0, 3, 1}, window, false},
        {"disabled twice over", true, {0, 1, 0, 1}, window, false},
        {"not flat, disabled", false, {0}, window, false},
        {"disabled, flat off, enabled", true, {0, 2, 1}, window, false},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        list_->SetFlat(c.flat);
        for (int s : c.steps) {
            if (s == 0) EnableWindow(combo_, FALSE);
            if (s == 1) EnableWindow(combo_, TRUE);
            if (s == 2) list_->SetFlat(false);
            if (s == 3) SendMessageA(combo_, WM_ENABLE, FALSE, 0);
        }
        EXPECT_EQ(list_->Color(), c.color) << c.name;
        EXPECT_EQ(list_->ParentColor(), c.parentColor) << c.name;
        LOGBRUSH lb{};
        GetObjectA(list_->BackgroundBrush(), sizeof lb, &lb);
        EXPECT_EQ(lb.lbColor, c.color) << c.name << ": the brush";
    }
}

TEST_F(ComboBox97Test, ColourQueriesAreAnsweredOnlyForTheList)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo_, &info));
    const struct {
        const char* name;
        UINT msg;
        HWND from;
        bool answered;
    } cases[] = {
        {"the box", WM_CTLCOLORSTATIC, combo_, true},
        {"the box, enabled", WM_CTLCOLOREDIT, combo_, true},
        // It drops only while enabled, when the system's colours are the list's.
        {"its dropped-down list", WM_CTLCOLORLISTBOX, info.hwndList, false},
        {"another control", WM_CTLCOLORSTATIC, other_, false},
        {"the parent", WM_CTLCOLORSTATIC, parent_, false},
        {"a button's query", WM_CTLCOLORBTN, combo_, false},
        {"no window", WM_CTLCOLORSTATIC, nullptr, false},
    };
    HDC dc = GetDC(parent_);
    for (const auto& c : cases) {
        LRESULT brush = 0;
        EXPECT_EQ(ReflectCtlColor(c.msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c.from), brush),
                  c.answered) << c.name;
        if (c.answered) {
            EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), list_->BackgroundBrush()) << c.name;
        }
    }
    ReleaseDC(parent_, dc);
}

TEST_F(ComboBox97Test, GivesTheWindowBackWhenItGoesFirst)
{
    // The window gets its own procedure back and works on without the list.
    HWND plain = MakeCombo(150, 20);
    const LONG_PTR own = GetWindowLongPtrA(plain, GWLP_WNDPROC);
    auto list = std::make_unique<TComboBox97>(plain, 0);
    EXPECT_EQ(Subclass::Of(plain), list.get());
    EXPECT_NE(GetWindowLongPtrA(plain, GWLP_WNDPROC), own);
    list.reset();
    EXPECT_EQ(GetWindowLongPtrA(plain, GWLP_WNDPROC), own);
    EXPECT_EQ(Subclass::Of(plain), nullptr);
    SendMessageA(plain, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("60 Hz"));
    EXPECT_EQ(SendMessageA(plain, CB_GETCOUNT, 0, 0), 1);
    // (The window first is how every test here ends.)
}

TEST_F(ComboBox97Test, FrameShowsHotAndPressed)
{
    const RECT client = Client();
    const int cw = client.right, ch = client.bottom, bw = list_->ButtonWidth();
    const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW),
                   shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    struct Probe { const char* what; int x, y; };
    const Probe outerTop{"outer ring, top", 10, 0}, outerBottom{"outer ring, bottom", 10, ch - 1},
        second{"second ring", 10, 1}, third{"third ring", 10, 2},
        buttonLeft{"button edge, inner left", cw - bw + 1, ch / 2},
        buttonRight{"button edge, inner right", cw - 4, ch / 2},
        buttonOuterLeft{"button edge, outer left", cw - bw, ch / 2};
    const struct {
        const char* name;
        std::vector<Step> steps;
        std::vector<std::pair<Probe, COLORREF>> expect;
    } cases[] = {
        {"not hot", {},
         {{outerTop, face}, {outerBottom, face}, {second, face}, {third, window},
          {buttonLeft, face}, {buttonRight, face}}},
        {"focused", {Step::Focus},
         {{outerTop, shadow}, {outerBottom, light}, {second, face}, {third, window},
          {buttonLeft, light}, {buttonRight, shadow}}},
        {"mouse over", {Step::Enter},
         {{outerTop, shadow}, {outerBottom, light}, {buttonLeft, light}, {buttonRight, shadow}}},
        {"pressed", {Step::Press},
         {{outerTop, shadow}, {buttonOuterLeft, shadow}, {buttonLeft, face}}},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        for (Step s : c.steps)
            Do(s);
        Render();
        const Picture pic = Capture(combo_);
        for (const auto& [probe, colour] : c.expect)
            EXPECT_EQ(Hex(pic.at(probe.x, probe.y)), Hex(colour)) << c.name << ": " << probe.what;
    }
}

TEST_F(ComboBox97Test, GoingColdLeavesNothingOfTheHotLook)
{
    // After the mouse leaves or the focus goes, what is on the screen must
    // be what a fresh paint of the cold list gives.
    const struct { const char* name; Step on, off; } cases[] = {
        {"mouse", Step::Enter, Step::Leave},
        {"focus", Step::Focus, Step::Unfocus},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        Do(c.on);
        Render();
        const Picture hot = Capture(combo_);
        Do(c.off);
        UpdateWindow(combo_);
        Pump();
        const Picture after = Capture(combo_);
        Render();
        const Picture fresh = Capture(combo_);
        EXPECT_FALSE(hot == fresh) << c.name << ": hot and cold look the same";
        EXPECT_TRUE(after == fresh) << c.name;
    }
}

TEST_F(ComboBox97Test, DisabledBackgroundComesFromTheParentsAnswer)
{
    const POINT inside{8, Client().bottom / 2};  // the empty text field
    EXPECT_EQ(Hex(Capture(combo_).at(inside.x, inside.y)), Hex(GetSysColor(COLOR_WINDOW)));
    EnableWindow(combo_, FALSE);
    Render();
    EXPECT_EQ(Hex(Capture(combo_).at(inside.x, inside.y)), Hex(GetSysColor(COLOR_BTNFACE)));
    EnableWindow(combo_, TRUE);
    Render();
    EXPECT_EQ(Hex(Capture(combo_).at(inside.x, inside.y)), Hex(GetSysColor(COLOR_WINDOW)));
}

TEST_F(ComboBox97Test, FlatOffLooksLikeAPlainComboBox)
{
    HWND plain = MakeCombo(150, 20);
    for (const char* item : {"60 Hz", "75 Hz", "85 Hz"})
        SendMessageA(plain, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(plain, CB_SETITEMHEIGHT, 0, 13);
    RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Pump();

    EXPECT_FALSE(Capture(combo_) == Capture(plain)) << "flat and plain look the same";
    list_->SetFlat(false);
    Render();
    EXPECT_TRUE(Capture(combo_) == Capture(plain));
    list_->SetFlat(true);
    Render();
    EXPECT_FALSE(Capture(combo_) == Capture(plain));
}

TEST_F(ComboBox97Test, SettingTheIndexFromCode)
{
    const struct { int index; int expected; } cases[] = {
        {0, 0}, {2, 2}, {-1, -1}, {3, -1}, {99, -1}, {-5, -1},
    };
    for (const auto& c : cases) {
        list_->SetItemIndex(1);
        list_->SetItemIndex(c.index);
        EXPECT_EQ(list_->ItemIndex(), c.expected) << "index " << c.index;
    }
    Pump();
    EXPECT_EQ(g_selChanges, 0);
}

} // namespace
