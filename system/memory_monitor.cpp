// The Cache page's upper half: physical memory and page-file space, total
// and free, refreshed by Timer1 once a second.
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include "platform/memory_status.h"
#include "system/memory_math.h"

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
