#include "mainwindow/layout.h"
#include "mainwindow/layout_builder.h"
#include "controls/animate_click.h"
#include "controls/combobox97.h"
#include "controls/number_field.h"
#include "mainwindow/control_ids.h"
#include "platform/child_id.h"
#include "platform/container.h"
#include "platform/handles.h"
#include "platform/platform_version.h"
#include <algorithm>
#include <cstring>
#include <commctrl.h>
#include <vector>

namespace {

HWND MakeWindow(HWND parent, const LayoutItem& it, const char* cls, DWORD style, DWORD ex = 0)
{
    const DWORD tab = it.tabOrder >= 0 ? WS_TABSTOP : 0;
    return CreateWindowExA(ex, cls, it.text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | tab | style, it.x, it.y, it.w,
                           it.h, parent, ChildId(it.id), GetModuleHandleA(nullptr), nullptr);
}

void SetFont(HWND hwnd) { SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFont()), FALSE); }

void SetUpSlider(HWND h, int min, int max, int freq)
{
    SendMessageA(h, TBM_SETRANGEMIN, FALSE, min);
    SendMessageA(h, TBM_SETRANGEMAX, FALSE, max);
    SendMessageA(h, TBM_SETLINESIZE, 0, 10);
    SendMessageA(h, TBM_SETPAGESIZE, 0, 10);
    SendMessageA(h, TBM_SETTICFREQ, freq, 0);
    SendMessageA(h, TBM_SETTHUMBLENGTH, 16, 0);
    SendMessageA(h, TBM_SETPOS, TRUE, min);
}

// Measures label texts with one DC for the whole layout.
class TextMeasure {
public:
    TextMeasure() : dc_(CreateCompatibleDC(nullptr)), font_(dc_.get(), ProgramFont()) {}
    SIZE Of(const char* text) const
    {
        SIZE size{};
        GetTextExtentPoint32A(dc_.get(), text, static_cast<int>(strlen(text)), &size);
        return size;
    }

private:
    UniqueMemoryDC dc_;         // deleted last,
    ScopedSelectObject font_;  // after the font is put back
};

HWND MakeNumberField(HWND parent, const LayoutItem& it)
{
    HWND edit = MakeWindow(parent, it, "EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    SetFont(edit);
    HWND updown = CreateWindowExA(0, UPDOWN_CLASSA, "",
                                  WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 0, 0,
                                  parent, ChildId(it.id + id::UpDownOffset),
                                  GetModuleHandleA(nullptr), nullptr);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    // The field has no bounds: the buttons only ask for a step, which the
    // field makes itself, so the up/down control's own range never binds.
    // It only says which way the arrows step: up towards the maximum. 4.70
    // has no UDM_SETRANGE32 and would keep its default range, 100 down to
    // 0, where up steps down; UDM_SETRANGE takes at most UD_MAXVAL between
    // the ends, and the control stays at 0 between them.
    if (HasUpDownRange32())
        SendMessageA(updown, UDM_SETRANGE32, -1000000, 1000000);
    else
        SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(10000, -10000));
    return edit;
}

HWND MakeRefreshList(HWND parent, const LayoutItem& it)
{
    LayoutItem tall = it;
    tall.h = 21 + 3 * 13 + 8;  // the closed box and its dropped-down list
    HWND h = MakeWindow(parent, tall, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL);
    SetFont(h);
    for (const char* item : RefreshItems)
        SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(h, CB_SETITEMHEIGHT, 0, 13);
    return h;
}

void AddTab(HWND tabs, const char* caption)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    SendMessageA(tabs, TCM_INSERTITEMA, count, reinterpret_cast<LPARAM>(&item));
}

HWND MakeTabs(HWND parent, const LayoutItem& it, DWORD style)
{
    HWND h = MakeWindow(parent, it, WC_TABCONTROLA, style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        WS_EX_CONTROLPARENT);
    SetFont(h);
    return h;
}

HWND MakeContainer(HWND parent, const LayoutItem& it, ContainerLook look)
{
    return CreateContainer(parent, it.id, look, it.text, it.x, it.y, it.w, it.h,
                           it.tabOrder >= 0 ? WS_TABSTOP : 0);
}

HWND MakeSlider(HWND parent, const LayoutItem& it, DWORD style, int min, int max, int freq)
{
    HWND h = MakeWindow(parent, it, TRACKBAR_CLASSA, TBS_HORZ | TBS_ENABLESELRANGE | TBS_FIXEDLENGTH | style);
    SetUpSlider(h, min, max, freq);
    return h;
}

HWND MakeLabel(HWND parent, const LayoutItem& it, DWORD style, const TextMeasure& measure)
{
    LayoutItem sized = it;
    if (it.kind == ItemKind::Label && it.w == 0 && it.h == 0) {
        const SIZE size = measure.Of(it.text);
        sized.w = size.cx;
        sized.h = size.cy;
    }
    return MakeWindow(parent, sized, "STATIC", style | SS_NOPREFIX);
}

// The window of one item, in its final style and with what it holds from
// the start (tab items, list items, slider ranges).
HWND MakeItemWindow(HWND parent, const LayoutItem& it, const TextMeasure& measure)
{
    switch (it.kind) {
    case ItemKind::PageTabs: return MakeTabs(parent, it, TCS_HOTTRACK);
    case ItemKind::FlatTabs: {
        // Before 4.71 there are no flat buttons: the tabs are raised ones.
        HWND tabs = MakeTabs(parent, it, TCS_BUTTONS | (HasFlatTabButtons() ? TCS_FLATBUTTONS : 0));
        AddTab(tabs, "Direct3D");
        AddTab(tabs, "Glide");
        return tabs;
    }
    case ItemKind::Page:
        AddTab(parent, it.text);
        return MakeContainer(parent, it, ContainerLook::Plain);
    case ItemKind::Panel: return MakeContainer(parent, it, ContainerLook::Plain);
    case ItemKind::BevelPanel: return MakeContainer(parent, it, ContainerLook::LoweredBevel);
    case ItemKind::GroupBox: return MakeContainer(parent, it, ContainerLook::GroupBox);
    case ItemKind::Label: return MakeLabel(parent, it, SS_LEFTNOWORDWRAP, measure);
    case ItemKind::LabelRight: return MakeLabel(parent, it, SS_RIGHT, measure);
    case ItemKind::LabelWrap: return MakeLabel(parent, it, SS_LEFT, measure);
    case ItemKind::Button: return MakeWindow(parent, it, "BUTTON", BS_PUSHBUTTON | BS_NOTIFY);
    case ItemKind::DefaultButton: return MakeWindow(parent, it, "BUTTON", BS_DEFPUSHBUTTON | BS_NOTIFY);
    case ItemKind::CheckBox: return MakeWindow(parent, it, "BUTTON", BS_AUTOCHECKBOX);
    case ItemKind::GammaSlider: return MakeSlider(parent, it, TBS_NOTICKS, 0, 400, 20);
    case ItemKind::ClockSlider: return MakeSlider(parent, it, TBS_BOTH | TBS_AUTOTICKS, 50, 120, 10);
    case ItemKind::ProgressBar: {
        HWND h = MakeWindow(parent, it, PROGRESS_CLASSA, PBS_SMOOTH);
        SendMessageA(h, PBM_SETRANGE32, 0, 100);
        return h;
    }
    case ItemKind::NumberField: return MakeNumberField(parent, it);
    case ItemKind::RefreshList: return MakeRefreshList(parent, it);
    case ItemKind::Animate: return TAnimateClick::Create(parent, it.id, it.x, it.y, it.w, it.h);
    case ItemKind::PaintBox: return CreatePaintBox(parent, it.id, it.x, it.y, it.w, it.h);
    case ItemKind::BevelFrame: break;
    }
    return nullptr;
}

// The wrapper the handlers reach the window through.
std::unique_ptr<Control> Wrap(const LayoutItem& it, HWND h)
{
    switch (it.kind) {
    case ItemKind::PageTabs:
    case ItemKind::FlatTabs: return std::make_unique<TabControl>(h, it.tag);
    case ItemKind::Page: case ItemKind::Panel: case ItemKind::BevelPanel: case ItemKind::GroupBox:
        return std::make_unique<Container>(h, it.tag);
    case ItemKind::Label: return std::make_unique<Label>(h, it.tag, it.w == 0 && it.h == 0);
    case ItemKind::LabelRight: case ItemKind::LabelWrap: return std::make_unique<Label>(h, it.tag);
    case ItemKind::Button: case ItemKind::DefaultButton:
        return std::make_unique<Control>(h, ControlKind::Button, it.tag);
    case ItemKind::CheckBox: return std::make_unique<CheckBox>(h, it.tag);
    case ItemKind::GammaSlider: case ItemKind::ClockSlider: return std::make_unique<TrackBar>(h, it.tag);
    case ItemKind::ProgressBar: return std::make_unique<ProgressBar>(h, it.tag);
    case ItemKind::NumberField:
        return std::make_unique<NumberField>(h, GetDlgItem(GetParent(h), it.id + id::UpDownOffset), it.tag);
    case ItemKind::RefreshList: {
        auto list = std::make_unique<TComboBox97>(h, it.tag);
        list->SetFlat(true);
        return list;
    }
    case ItemKind::Animate: return std::make_unique<TAnimateClick>(h);
    case ItemKind::PaintBox: return std::make_unique<PaintBox>(h, it.tag);
    case ItemKind::BevelFrame: break;
    }
    return nullptr;
}

std::vector<const LayoutItem*> ChildrenOf(int parent)
{
    std::vector<const LayoutItem*> children;
    for (const LayoutTable* table : AllLayouts)
        for (size_t i = 0; i < table->count; ++i)
            if (table->items[i].parent == parent)
                children.push_back(&table->items[i]);
    // Windows made later come later in the Tab order; controls outside the
    // order keep their table order behind the others.
    std::stable_sort(children.begin(), children.end(), [](const LayoutItem* a, const LayoutItem* b) {
        const unsigned ta = static_cast<unsigned>(a->tabOrder), tb = static_cast<unsigned>(b->tabOrder);
        return ta < tb;
    });
    return children;
}

// Calls `made` for each item's window, parents before children and
// siblings in their tab order.
template <typename Made>
Status BuildChildren(HWND parentWnd, int parentId, const TextMeasure& measure, Made& made)
{
    for (const LayoutItem* it : ChildrenOf(parentId)) {
        if (it->kind == ItemKind::BevelFrame) {
            AddPaintedFrame(parentWnd, RECT{it->x, it->y, it->x + it->w, it->y + it->h});
            continue;
        }
        HWND hwnd = MakeItemWindow(parentWnd, *it, measure);
        if (!hwnd)
            return Fail("Cannot create the window of control " + std::to_string(it->id));
        SetFont(hwnd);
        if (it->flags & Disabled)
            EnableWindow(hwnd, FALSE);
        made(*it, hwnd);
        TRY(BuildChildren(hwnd, it->id, measure, made));
    }
    return Status();
}

} // namespace

Status BuildLayout(HWND form, ControlMap& controls)
{
    const TextMeasure measure;
    auto wrap = [&controls](const LayoutItem& it, HWND hwnd) { controls.Add(it.id, Wrap(it, hwnd)); };
    TRY(BuildChildren(form, 0, measure, wrap));
    // Pages overlap the tab strip's display area; the laid-out active page
    // is "Alapok".
    SelectPage(controls, 1);
    return Status();
}

Status BuildLayoutWindows(HWND form)
{
    const TextMeasure measure;
    auto nothing = [](const LayoutItem&, HWND) {};
    return BuildChildren(form, 0, measure, nothing);
}

void SelectPage(const ControlMap& controls, int index)
{
    if (Control* tabs = controls.Find(id::PageControl1))
        static_cast<TabControl*>(tabs)->SetTabIndex(index);
    for (int page = 0; page < 5; ++page) {
        if (Control* sheet = controls.Find(id::TabSheet1 + page))
            ShowWindow(sheet->Handle(), page == index ? SW_SHOW : SW_HIDE);
    }
}
