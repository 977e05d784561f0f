// The frame's buttons, the one load behind the splash window, and the one
// save.
#include "driver/profile_store.h"
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include "mainwindow/splash.h"
#include "platform/message_box.h"

const TForm1::Step TForm1::LoadSteps[8] = {
    {Group::GlideGamma, [](TForm1& f) { return ReadGamma(f.GlideProfile, f.glideUnread_); }},
    {Group::GlideRefresh, [](TForm1& f) { return ReadRefreshRates(f.GlideProfile, f.glideUnread_); }},
    {Group::D3DGamma, [](TForm1& f) { return ReadGamma(f.D3DProfile, f.d3dUnread_); }},
    {Group::D3DRefresh, [](TForm1& f) { return ReadRefreshRates(f.D3DProfile, f.d3dUnread_); }},
    {Group::Cache, [](TForm1& f) { return f.ReadCacheSettings(); }},
    {Group::Switches, [](TForm1& f) { return f.ReadSwitches(); }},
    {Group::D3DClock, [](TForm1& f) { return ReadClock(f.D3DProfile); }},
    {Group::GlideClock, [](TForm1& f) { return ReadClock(f.GlideProfile); }},
};

const TForm1::Step TForm1::SaveSteps[8] = {
    {Group::GlideRefresh, [](TForm1& f) { return WriteRefreshRates(f.GlideProfile, f.glideUnread_); }},
    {Group::D3DRefresh, [](TForm1& f) { return WriteRefreshRates(f.D3DProfile, f.d3dUnread_); }},
    {Group::GlideGamma, [](TForm1& f) { return WriteGamma(f.GlideProfile, f.glideUnread_); }},
    {Group::D3DGamma, [](TForm1& f) { return WriteGamma(f.D3DProfile, f.d3dUnread_); }},
    {Group::Cache, [](TForm1& f) { return f.WriteCacheSettings(); }},
    {Group::Switches, [](TForm1& f) { return f.WriteSwitches(); }},
    {Group::GlideClock, [](TForm1& f) { return WriteClock(f.GlideProfile); }},
    {Group::D3DClock, [](TForm1& f) { return WriteClock(f.D3DProfile); }},
};

Status TForm1::Button1Click()
{
    TRY(SaveAll());
    Close();
    return Status();
}

void TForm1::Button2Click() { Close(); }

void TForm1::FormShow() { LoadAll(); }

void TForm1::LoadAll()
{
    // The switch tables are constant data, there from the start.
    Get<TabControl>(id::Selector).SetTabIndex(0);
    // The decimal separator is "." for good: the number texts are our own
    // and read no locale (core/number_text.h).
    GlideProfile.KeyName = GlideKeyName;
    D3DProfile.KeyName = D3DKeyName;

    // The load goes on after a failure: a read that fails ends the reads
    // there, and the window is still made whole below; the groups not read
    // are left alone by a later save.
    ReportError(LoadStoredSettings());
    ReportError(SelectorChange());
    ReportError(SetActivePage(0));
    EnableTimer1();
    FreeSplash();
    RememberLoadedState();
    loadFinished_ = true;
}

// The boxes as the load left them, read or not: from here on only the user
// changes them.
void TForm1::RememberLoadedState()
{
    ReportError(ShownSwitches(loadedSwitches_));
    loadedTemplateChosen_ = Get<CheckBox>(id::EnableFile).Checked();
}

Status TForm1::LoadStoredSettings()
{
    for (const Step& step : LoadSteps) {
        SplashStep();
        TRY(step.run(*this));
        groupLoaded_[static_cast<int>(step.group)] = true;
    }
    return Status();
}

Status TForm1::SaveAll()
{
    for (const Step& step : SaveSteps) {
        if (GroupLoaded(step.group) || GroupEdited(step.group))
            TRY(step.run(*this));
    }
    return Status();
}
