// The main window's event table: which handler runs for which control and
// notification, and what an edit there marks for the save.
#include "controls/animate_click.h"
#include "controls/number_field.h"
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include <algorithm>
#include <commctrl.h>

// A handler as a row holds it. The lambdas are members' code, so they may
// call the private parts of the window.
#define HANDLER(body) [](TForm1& f, int controlId, LPARAM detail) -> Status { \
    (void)f; (void)controlId; (void)detail; body }

const std::initializer_list<TForm1::EventRow> TForm1::Events = {
    // The frame: OK, Mégsem, the default button's frame follows the focus.
    {Source::Command, BN_CLICKED, {id::Button1}, Marks::Nothing,
     HANDLER(return f.Button1Click();), 0},
    {Source::Command, BN_CLICKED, {id::Button2}, Marks::Nothing,
     HANDLER(f.Button2Click(); return Status();), 0},
    {Source::Command, FocusChange, {id::Button1}, Marks::Nothing,
     HANDLER(f.ShowDefaultButton(); return Status();), 0},
    {Source::Command, FocusChange, {id::Button2}, Marks::Nothing,
     HANDLER(f.ShowDefaultButton(); return Status();), 0},
    {Source::Command, FocusChange, {id::Button3}, Marks::Nothing,
     HANDLER(f.ShowDefaultButton(); return Status();), 0},
    {Source::Command, FocusChange, {id::Button4}, Marks::Nothing,
     HANDLER(f.ShowDefaultButton(); return Status();), 0},
    {Source::Notify, TCN_SELCHANGE, {id::PageControl1}, Marks::Nothing,
     HANDLER(return f.SetActivePage(f.ActivePage());), 0},
    // Info page: the clip tells when it starts and stops.
    {Source::Command, AnyCode, {id::ani}, Marks::Nothing,
     HANDLER(f.Get<TAnimateClick>(id::ani).OnNotifyCode(static_cast<int>(detail)); return Status();), 0},
    // Basics page
    {Source::Notify, TCN_SELCHANGE, {id::Selector}, Marks::Nothing,
     HANDLER(return f.SelectorChange();), 0},
    {Source::HScroll, 0, {id::TrRed}, Marks::Gamma,
     HANDLER(return f.SliderChange(f.Find(controlId));), 0},
    {Source::HScroll, 0, {id::TrBlue}, Marks::Gamma,
     HANDLER(return f.SliderChange(f.Find(controlId));), 0},
    {Source::HScroll, 0, {id::TrGreen}, Marks::Gamma,
     HANDLER(return f.SliderChange(f.Find(controlId));), 0},
    {Source::HScroll, 0, {id::ClockSpeed}, Marks::Clock,
     HANDLER(f.ClockSpeedChange(f.Find(controlId)); return Status();), 0},
    {Source::Command, BN_CLICKED, {id::Button4}, Marks::Clock,
     HANDLER(f.Button4Click(); return Status();), 0},
    {Source::Command, CBN_SELCHANGE,
     {id::Refrrate512x384, id::Refrrate640x400, id::Refrrate640x480, id::Refrrate800x600, id::Refrrate1024x768},
     Marks::Refresh,
     HANDLER(return f.Refrrate512x384Change(f.Find(controlId));), 0},
    // Tuning pages: the boxes only toggle.
    {Source::Command, BN_CLICKED,
     {id::gcb(1), id::gcb(2), id::gcb(3), id::gcb(4), id::gcb(5), id::gcb(6), id::gcb(7), id::gcb(8),
      id::gcb(9), id::gcb(10), id::gcb(11), id::gcb(12), id::gcb(13), id::gcb(14), id::gcb(15), id::gcb(16),
      id::dcb(1), id::dcb(2), id::dcb(3), id::dcb(4), id::dcb(5), id::dcb(6), id::dcb(7), id::dcb(8),
      id::dcb(9), id::dcb(10), id::dcb(11), id::dcb(12), id::dcb(13), id::dcb(14), id::dcb(15)},
     Marks::Switches, nullptr, 0},
    // Cache page
    {Source::Command, BN_CLICKED, {id::EnableDisk}, Marks::Cache,
     HANDLER(f.EnableDiskClick(f.Find(controlId)); return Status();), 0},
    {Source::Command, BN_CLICKED, {id::EnableFile}, Marks::Cache,
     HANDLER(f.EnableFileClick(f.Find(controlId)); return Status();), 0},
    // The load's own values arrive here too (controls.h): only edits after
    // it mark the cache.
    {Source::Command, EN_CHANGE, {id::camin, id::camax, id::cachunk, id::cadir, id::cafil},
     Marks::CacheOnceLoaded, nullptr, 0},
    // The field steps itself and keeps the up/down control where it is;
    // the new text's EN_CHANGE marks the save.
    {Source::Notify, UDN_DELTAPOS,
     {id::camin + id::UpDownOffset, id::camax + id::UpDownOffset, id::cachunk + id::UpDownOffset,
      id::cadir + id::UpDownOffset, id::cafil + id::UpDownOffset},
     Marks::Nothing,
     HANDLER(f.Get<NumberField>(controlId - id::UpDownOffset)
                 .Step(reinterpret_cast<const NMUPDOWN*>(detail)->iDelta);
             return Status();), TRUE},
    {Source::Command, BN_CLICKED, {id::Button3}, Marks::Nothing,
     HANDLER(return f.Button3Click();), 0},
};

#undef HANDLER

// Runs the first row for the control and notification, if any. Anything
// else, IDCANCEL among it (so Escape does nothing), is left alone.
Status TForm1::Dispatch(Source source, int controlId, UINT code, LPARAM detail, LRESULT& result)
{
    for (const EventRow& row : Events) {
        const bool codeMatches = row.code == code || row.code == AnyCode ||
                                 (row.code == FocusChange && (code == BN_SETFOCUS || code == BN_KILLFOCUS));
        const bool named = std::find(row.controls.begin(), row.controls.end(), controlId) != row.controls.end();
        if (row.source != source || !codeMatches || !named)
            continue;
        Mark(row.marks);
        result = row.result;
        return row.handle ? row.handle(*this, controlId, detail) : Status();
    }
    return Status();
}

void TForm1::Mark(Marks marks)
{
    const auto edited = [this](Group g) { groupEdited_[static_cast<int>(g)] = true; };
    const auto profileEdited = [&](Group glide, Group d3d) {
        const TSetting* profile = SelectedProfile();
        if (profile == &GlideProfile)
            edited(glide);
        else if (profile == &D3DProfile)
            edited(d3d);
    };
    switch (marks) {
    case Marks::Nothing: break;
    case Marks::Refresh: profileEdited(Group::GlideRefresh, Group::D3DRefresh); break;
    case Marks::Gamma: profileEdited(Group::GlideGamma, Group::D3DGamma); break;
    case Marks::Clock: profileEdited(Group::GlideClock, Group::D3DClock); break;
    case Marks::Cache: edited(Group::Cache); break;
    case Marks::CacheOnceLoaded: if (loadFinished_) edited(Group::Cache); break;
    case Marks::Switches: edited(Group::Switches); break;
    }
}
