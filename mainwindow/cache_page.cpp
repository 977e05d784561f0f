// The Cache page: physical memory and page-file space, refreshed by Timer1
// once a second; the disk cache limits and the file-system template; and
// the restart command.
#include "mainwindow/control_ids.h"
#include "mainwindow/control_table_map.h"
#include "mainwindow/form1.h"
#include "platform/memory_status.h"
#include "platform/message_box.h"
#include "platform/restart.h"
#include "system/cache_store.h"
#include "system/memory_math.h"
#include <commctrl.h>

void TForm1::pfizPaint(Control& sender, HDC dc)
{
    ImageList_Draw(ImageList(im2_, 32, 32, {"HDD", "CHIP"}), sender.Tag(), dc, 0, 0, ILD_NORMAL);
}

void TForm1::Timer1Timer()
{
    memoryStatus_ = QueryMemoryStatus();
    const struct { int bar; int label; uint64_t total; uint64_t available; } rows[] = {
        {id::pbVirtual, id::LVirt, memoryStatus_.totalPageFile, memoryStatus_.availPageFile},
        {id::pbFiz, id::LFiz, memoryStatus_.totalPhys, memoryStatus_.availPhys},
    };
    for (const auto& row : rows) {
        const BarSetting setting = MemoryBar(row.total, row.available);
        auto& bar = Get<ProgressBar>(row.bar);
        bar.SetMax(setting.max);  // the maximum first, so the position fits
        bar.SetPosition(setting.position);
        Find(row.label).SetText(MemoryLabel(row.total, row.available));
    }
}

void TForm1::EnableTimer1() { SetTimer(hwnd_, Timer1Id, 1000, nullptr); }

void TForm1::EnableDiskClick(Control& sender)
{
    Find(id::DiskCacBox).SetEnabled(static_cast<CheckBox&>(sender).Checked());
    const bool enabled = Find(id::DiskCacBox).Enabled();
    for (int control : {id::camin, id::camax, id::cachunk, id::Label13, id::Label14, id::Label7})
        Find(control).SetEnabled(enabled);
}

void TForm1::EnableFileClick(Control& sender)
{
    Find(id::FilCacBox).SetEnabled(static_cast<CheckBox&>(sender).Checked());
    const bool enabled = Find(id::FilCacBox).Enabled();
    for (int control : {id::cafil, id::cadir, id::Label18, id::Label15})
        Find(control).SetEnabled(enabled);
}

namespace {
constexpr int TemplateFields[2] = {entry::PathCacheField, entry::NameCacheField};
}

Status TForm1::ReadCacheSettings()
{
    const VCacheSettings vcache = LoadVCache();
    auto& enableDisk = Get<CheckBox>(id::EnableDisk);
    enableDisk.SetChecked(vcache.present);
    EnableDiskClick(enableDisk);
    for (int i = 0; i < 3; ++i) {
        TRY_ASSIGN(NumberField* field, controlTable_.FieldAt(entry::FirstCacheField + i));
        field->SetValue(vcache.values[i]);
    }

    TemplateSettings stored;
    const Status read = LoadFileSystemTemplate(stored);
    auto& enableFile = Get<CheckBox>(id::EnableFile);
    enableFile.SetChecked(stored.chosen);
    EnableFileClick(enableFile);
    // The values read before a failure are shown all the same.
    for (int i = 0; i < 2; ++i) {
        if (!stored.values[i])
            continue;
        TRY_ASSIGN(NumberField* field, controlTable_.FieldAt(TemplateFields[i]));
        field->SetValue(*stored.values[i]);
    }
    return read;
}

Status TForm1::WriteCacheSettings()
{
    CacheSettings settings;
    settings.diskCacheOn = Get<CheckBox>(id::EnableDisk).Checked();
    settings.templateOn = Get<CheckBox>(id::EnableFile).Checked();
    settings.choiceChanged = settings.templateOn != loadedTemplateChosen_;
    for (int i = 0; i < 3; ++i) {
        TRY_ASSIGN(const NumberField* field, controlTable_.FieldAt(entry::FirstCacheField + i));
        settings.vcache[i] = field->Value();
    }
    for (int i = 0; i < 2; ++i) {
        TRY_ASSIGN(const NumberField* field, controlTable_.FieldAt(TemplateFields[i]));
        settings.templateValues[i] = field->Value();
    }
    // The choice goes first, whatever fails after it.
    const Status stored = StoreCacheSettings(settings);
    loadedTemplateChosen_ = settings.templateOn;
    return stored;
}

// "A Windows újraindítása": offer to save everything, then ask Windows to
// restart. A save that fails ends the command before the restart.
Status TForm1::Button3Click()
{
    const int answer = ShowMessageBox(hwnd_, "Mentsem az összes változtatást?", "Újraindítás",
                                      MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES)
        TRY(SaveAll());
    return RequestRestart();
}
