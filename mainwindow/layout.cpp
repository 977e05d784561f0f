#include "mainwindow/layout.h"
#include "mainwindow/layout_builder.h"
#include "controls/animate_click.h"
#include "controls/combobox97.h"
#include "controls/number_field.h"
#include "mainwindow/control_ids.h"
#include "platform/container.h"
#include "platform/handles.h"
#include <algorithm>
#include <commctrl.h>
#include <vector>

namespace {

HMENU AsMenu(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

HWND MakeWindow(HWND parent, const LayoutItem& it, const char* cls, DWORD style, DWORD ex = 0)
{
    const DWORD tab = it.tabOrder >= 0 ? WS_TABSTOP : 0;
    return CreateWindowExA(ex, cls, it.text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | tab | style, it.x, it.y, it.w,
                           it.h, parent, AsMenu(it.id), GetModuleHandleA(nullptr), nullptr);
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

std::unique_ptr<Control> MakeNumberField(HWND parent, const LayoutItem& it)
{
    HWND edit = MakeWindow(parent, it, "EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    SetFont(edit);
    HWND updown = CreateWindowExA(0, UPDOWN_CLASSA, "",
                                  WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 0, 0,
                                  parent, AsMenu(it.id + id::UpDownOffset),
                                  GetModuleHandleA(nullptr), nullptr);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    // The field has no bounds: the buttons only ask for a step, which the
    // field makes itself, so the up/down control's own range never binds.
    SendMessageA(updown, UDM_SETRANGE32, -1000000, 1000000);
    return std::make_unique<NumberField>(edit, updown, it.tag);
}

std::unique_ptr<Control> MakeRefreshList(HWND parent, const LayoutItem& it)
{
    LayoutItem tall = it;
    tall.h = 21 + 3 * 13 + 8;  // the closed box and its dropped-down list
    HWND h = MakeWindow(parent, tall, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL);
    SetFont(h);
    auto list = std::make_unique<TComboBox97>(h, it.tag);
    for (const char* item : RefreshItems)
        list->AddItem(item);
    SendMessageA(h, CB_SETITEMHEIGHT, 0, 13);
    list->SetFlat(true);
    return list;
}

std::unique_ptr<Control> MakeTabs(HWND parent, const LayoutItem& it, DWORD style)
{
    HWND h = MakeWindow(parent, it, WC_TABCONTROLA, style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        WS_EX_CONTROLPARENT);
    SetFont(h);
    return std::make_unique<TabControl>(h, it.tag);  // passes its pages' notifications on
}

void AddTab(HWND tabs, const char* caption)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    SendMessageA(tabs, TCM_INSERTITEMA, count, reinterpret_cast<LPARAM>(&item));
}

std::unique_ptr<Control> MakeContainer(HWND parent, const LayoutItem& it, ContainerLook look)
{
    HWND h = CreateContainer(parent, it.id, look, it.text, it.x, it.y, it.w, it.h,
                             it.tabOrder >= 0 ? WS_TABSTOP : 0);
    return std::make_unique<Container>(h, it.tag);
}

std::unique_ptr<Control> MakeControl(HWND parent, const LayoutItem& it)
{
    switch (it.kind) {
    case ItemKind::PageTabs: return MakeTabs(parent, it, TCS_HOTTRACK);
    case ItemKind::FlatTabs: {
        auto tabs = MakeTabs(parent, it, TCS_BUTTONS | TCS_FLATBUTTONS);
        AddTab(tabs->Handle(), "Direct3D");
        AddTab(tabs->Handle(), "Glide");
        return tabs;
    }
    case ItemKind::Page: {
        AddTab(parent, it.text);
        auto page = MakeContainer(parent, it, ContainerLook::Plain);
        SetWindowTextA(page->Handle(), it.text);
        return page;
    }
    case ItemKind::Panel: return MakeContainer(parent, it, ContainerLook::Plain);
    case ItemKind::BevelPanel: return MakeContainer(parent, it, ContainerLook::LoweredBevel);
    case ItemKind::GroupBox: return MakeContainer(parent, it, ContainerLook::GroupBox);
    case ItemKind::Label:
        if (it.w == 0 && it.h == 0) {
            auto label = std::make_unique<Label>(
                MakeWindow(parent, it, "STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX), it.tag, true);
            label->FitToText();
            return label;
        }
        return std::make_unique<Label>(MakeWindow(parent, it, "STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX), it.tag);
    case ItemKind::LabelRight:
        return std::make_unique<Label>(MakeWindow(parent, it, "STATIC", SS_RIGHT | SS_NOPREFIX), it.tag);
    case ItemKind::LabelWrap:
        return std::make_unique<Label>(MakeWindow(parent, it, "STATIC", SS_LEFT | SS_NOPREFIX), it.tag);
    case ItemKind::Button:
        return std::make_unique<Control>(MakeWindow(parent, it, "BUTTON", BS_PUSHBUTTON | BS_NOTIFY), ControlKind::Button, it.tag);
    case ItemKind::DefaultButton:
        return std::make_unique<Control>(MakeWindow(parent, it, "BUTTON", BS_DEFPUSHBUTTON | BS_NOTIFY), ControlKind::Button, it.tag);
    case ItemKind::CheckBox:
        return std::make_unique<CheckBox>(MakeWindow(parent, it, "BUTTON", BS_AUTOCHECKBOX), it.tag);
    case ItemKind::GammaSlider: {
        HWND h = MakeWindow(parent, it, TRACKBAR_CLASSA,
                            TBS_HORZ | TBS_NOTICKS | TBS_ENABLESELRANGE | TBS_FIXEDLENGTH);
        SetUpSlider(h, 0, 400, 20);
        return std::make_unique<TrackBar>(h, it.tag);
    }
    case ItemKind::ClockSlider: {
        HWND h = MakeWindow(parent, it, TRACKBAR_CLASSA,
                            TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS | TBS_ENABLESELRANGE | TBS_FIXEDLENGTH);
        SetUpSlider(h, 50, 120, 10);
        return std::make_unique<TrackBar>(h, it.tag);
    }
    case ItemKind::ProgressBar: {
        HWND h = MakeWindow(parent, it, PROGRESS_CLASSA, PBS_SMOOTH);
        SendMessageA(h, PBM_SETRANGE32, 0, 100);
        return std::make_unique<ProgressBar>(h, it.tag);
    }
    case ItemKind::NumberField: return MakeNumberField(parent, it);
    case ItemKind::RefreshList: return MakeRefreshList(parent, it);
    case ItemKind::Animate:
        return std::make_unique<TAnimateClick>(TAnimateClick::Create(parent, it.id, it.x, it.y, it.w, it.h));
    case ItemKind::PaintBox:
        return std::make_unique<PaintBox>(CreatePaintBox(parent, it.id, it.x, it.y, it.w, it.h), it.tag);
    case ItemKind::BevelFrame:
        break;
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

void BuildChildren(HWND parentWnd, int parentId, ControlMap& controls)
{
    for (const LayoutItem* it : ChildrenOf(parentId)) {
        if (it->kind == ItemKind::BevelFrame) {
            AddPaintedFrame(parentWnd, RECT{it->x, it->y, it->x + it->w, it->y + it->h});
            continue;
        }
        std::unique_ptr<Control> control = MakeControl(parentWnd, *it);
        SetFont(control->Handle());
        if (it->flags & Disabled)
            EnableWindow(control->Handle(), FALSE);
        HWND hwnd = control->Handle();
        controls.Add(it->id, std::move(control));
        BuildChildren(hwnd, it->id, controls);
    }
}

} // namespace

void BuildLayout(HWND form, ControlMap& controls)
{
    BuildChildren(form, 0, controls);
    // Pages overlap the tab strip's display area; the laid-out active page
    // is "Alapok".
    SelectPage(controls, 1);
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
