// The one load, behind the splash window, and the one save.
#include "mainwindow/splash.h"
#include "driver/profile_store.h"
#include "driver/switch_tables.h"
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include "platform/message_box.h"
#include <clocale>

void TForm1::LoadAll()
{
    InitSettingTables();
    Get<TabControl>(id::Selector).SetTabIndex(0);
    // Every number text is read and written with "." whatever the locale
    // says (see core/number_text.h); the C library is kept on "." too.
    std::setlocale(LC_NUMERIC, "C");
    GlideProfile.KeyName = "Glide";
    D3DProfile.KeyName = "D3D";

    // A read that raises ends the reads there; the window is still made
    // whole below, and the groups not read are left alone by a later save.
    ReportError(LoadStoredSettings());

    ReportError(SelectorChange());
    SetActivePage(0);
    EnableTimer1();
    FreeSplash();
    loadFinished_ = true;
}

Status TForm1::LoadStoredSettings()
{
    const struct { Group group; Status (*read)(TForm1&); } steps[] = {
        {Group::GlideGamma, [](TForm1& f) { return ReadGamma(f.GlideProfile); }},
        {Group::GlideRefresh, [](TForm1& f) { return ReadRefreshRates(f.GlideProfile); }},
        {Group::D3DGamma, [](TForm1& f) { return ReadGamma(f.D3DProfile); }},
        {Group::D3DRefresh, [](TForm1& f) { return ReadRefreshRates(f.D3DProfile); }},
        {Group::Cache, [](TForm1& f) { return f.ReadCacheSettings(); }},
        {Group::Switches, [](TForm1& f) { return f.ReadSwitches(); }},
        {Group::D3DClock, [](TForm1& f) { return ReadClock(f.D3DProfile); }},
        {Group::GlideClock, [](TForm1& f) { return ReadClock(f.GlideProfile); }},
    };
    for (const auto& step : steps) {
        SplashStep();
        if (BeforeLoadStep)
            BeforeLoadStep(step.group);
        TRY(step.read(*this));
        groupLoaded_[static_cast<int>(step.group)] = true;
    }
    return Status();
}

Status TForm1::SaveAll()
{
    const struct { Group group; Status (*write)(TForm1&); } steps[] = {
        {Group::GlideRefresh, [](TForm1& f) { return WriteRefreshRates(f.GlideProfile); }},
        {Group::D3DRefresh, [](TForm1& f) { return WriteRefreshRates(f.D3DProfile); }},
        {Group::GlideGamma, [](TForm1& f) { return WriteGamma(f.GlideProfile); }},
        {Group::D3DGamma, [](TForm1& f) { return WriteGamma(f.D3DProfile); }},
        {Group::Cache, [](TForm1& f) { return f.WriteCacheSettings(); }},
        {Group::Switches, [](TForm1& f) { return f.WriteSwitches(); }},
        {Group::GlideClock, [](TForm1& f) { return WriteClock(f.GlideProfile); }},
        {Group::D3DClock, [](TForm1& f) { return WriteClock(f.D3DProfile); }},
    };
    for (const auto& step : steps) {
        if (!GroupLoaded(step.group) && !GroupEdited(step.group))
            continue;
        if (BeforeSaveStep)
            BeforeSaveStep(step.group);
        TRY(step.write(*this));
    }
    return Status();
}

void TForm1::OnUserEdit(Group group) { groupEdited_[static_cast<int>(group)] = true; }

void TForm1::OnProfileEdit(Group glide, Group d3d)
{
    const TSetting* profile = SelectedProfile();
    if (profile == &GlideProfile)
        OnUserEdit(glide);
    else if (profile == &D3DProfile)
        OnUserEdit(d3d);
}
