#include "mainwindow/control_ids.h"
#include "mainwindow/control_table_map.h"
#include "mainwindow/layout.h"
#include "core/error.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <utility>

namespace {
std::map<int, const LayoutItem*> AllItems()
{
    std::map<int, const LayoutItem*> items;
    for (const LayoutTable* table : AllLayouts)
        for (size_t i = 0; i < table->count; ++i)
            items[table->items[i].id] = &table->items[i];
    return items;
}
} // namespace

TEST(Layout, IdsAreUniqueAndParentsExist)
{
    size_t total = 0;
    for (const LayoutTable* table : AllLayouts)
        total += table->count;
    const auto items = AllItems();
    EXPECT_EQ(items.size(), total) << "an ID stands twice in the layout";
    for (const auto& [itemId, item] : items) {
        if (item->parent != 0) {
            EXPECT_TRUE(items.count(item->parent)) << "control " << itemId << " has no parent";
        }
    }
}

TEST(Layout, TabOrdersAreUniqueWithinAParent)
{
    std::set<std::pair<int, int>> seen;
    for (const auto& [itemId, item] : AllItems()) {
        if (item->tabOrder >= 0) {
            EXPECT_TRUE(seen.insert({item->parent, item->tabOrder}).second)
                << "control " << itemId << " repeats tab order " << item->tabOrder;
        }
    }
}

TEST(Layout, ControlsFitTheirParents)
{
    const auto items = AllItems();
    for (const auto& [itemId, item] : items) {
        if (item->parent == 0 || item->w == 0)
            continue;
        const LayoutItem* parent = items.at(item->parent);
        EXPECT_LE(item->x + item->w, parent->w) << "control " << itemId;
        EXPECT_LE(item->y + item->h, parent->h) << "control " << itemId;
    }
}

TEST(ControlTableMap, EntriesAndKinds)
{
    const struct { int line; int index; int control; ControlKind kind; } cases[] = {
        {__LINE__, 1, id::lred, ControlKind::Label},
        {__LINE__, 2, id::lblue, ControlKind::Label},
        {__LINE__, 3, id::lgreen, ControlKind::Label},
        {__LINE__, 4, id::TrRed, ControlKind::TrackBar},
        {__LINE__, 5, id::TrBlue, ControlKind::TrackBar},
        {__LINE__, 6, id::TrGreen, ControlKind::TrackBar},
        {__LINE__, 7, id::camin, ControlKind::NumberField},
        {__LINE__, 11, id::cafil, ControlKind::NumberField},
        {__LINE__, 12, id::Refrrate512x384, ControlKind::ComboBox},
        {__LINE__, 16, id::Refrrate1024x768, ControlKind::ComboBox},
        {__LINE__, 17, id::gcb(1), ControlKind::CheckBox},
        {__LINE__, 32, id::gcb(16), ControlKind::CheckBox},
        {__LINE__, 33, id::dcb(1), ControlKind::CheckBox},
        {__LINE__, 47, id::dcb(15), ControlKind::CheckBox},
    };
    for (const auto& c : cases) {
        const TableSlot slot = *ControlTableSlot(c.index);
        EXPECT_EQ(slot.controlId, c.control) << "line " << c.line;
        EXPECT_EQ(slot.kind, c.kind) << "line " << c.line;
    }
}

TEST(ControlTableMap, SlidersFindTheirLabelsByTag)
{
    // A gamma slider with tag t finds its label at t and itself at t + 3;
    // a refresh list with tag t stands at 11 + t.
    const auto items = AllItems();
    for (int index = 4; index <= 6; ++index) {
        const int tag = items.at(ControlTableSlot(index)->controlId)->tag;
        EXPECT_EQ(tag + 3, index);
        EXPECT_EQ(ControlTableSlot(tag)->kind, ControlKind::Label);
    }
    for (int index = 12; index <= 16; ++index)
        EXPECT_EQ(items.at(ControlTableSlot(index)->controlId)->tag + 11, index);
}

TEST(ControlTableMap, OutsideTheTableIsARangeError)
{
    for (int index : {0, -1, 48, 1000}) {
        const Result<TableSlot> slot = ControlTableSlot(index);
        EXPECT_FALSE(slot.ok()) << "index " << index;
        EXPECT_EQ(slot.status().Message(), "Range check error") << "index " << index;
    }
}
