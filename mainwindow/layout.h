#pragma once
// The main window's layout: one table per page, in pixels relative to the
// parent, made into windows by one loop (layout.cpp).
#include <cstddef>

enum class ItemKind {
    PageTabs,      // the page control's tab strip (hot-tracking tabs)
    Page,          // one page of the page control; its text is the tab caption
    Panel,         // plain container
    BevelPanel,    // container with a lowered one-pixel bevel
    GroupBox,      // container with an etched frame and a caption
    FlatTabs,      // tab control drawn as flat buttons (the Basics page's Selector)
    Label,         // sized to its text when w and h are 0
    LabelRight,    // right-aligned, fixed size
    LabelWrap,     // word-wrapped, fixed size
    Button,
    DefaultButton,
    CheckBox,
    GammaSlider,
    ClockSlider,
    ProgressBar,
    NumberField,
    RefreshList,
    Animate,
    PaintBox,
    BevelFrame,    // a lowered frame drawn by its parent, not a window
};

enum ItemFlags : unsigned { None = 0, Disabled = 1 };

struct LayoutItem {
    int id;
    ItemKind kind;
    int parent;  // 0: the main window's client area
    int x, y, w, h;
    const char* text;
    int tag;
    int tabOrder;  // -1: not in the tab order
    unsigned flags;
};

struct LayoutTable {
    const LayoutItem* items;
    size_t count;
};

// The frame, then the five pages in order.
extern const LayoutTable FrameLayout;
extern const LayoutTable InfoPageLayout;
extern const LayoutTable BasicsPageLayout;
extern const LayoutTable BeginnersPageLayout;
extern const LayoutTable CachePageLayout;
extern const LayoutTable ProfessionalsPageLayout;

// All tables, frame first.
extern const LayoutTable* const AllLayouts[6];

// The labels of the three refresh-rate items.
extern const char* const RefreshItems[3];
