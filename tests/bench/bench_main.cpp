// Benchmarks of the program's code in process under Wine. Not tests: they
// print their figures and the goals beside them.
#include "app/startup.h"
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include "tests/common/message_box_recorder.h"
#include "tests/common/raw_registry.h"
#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double Now()
{
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SliderBenchmark(TForm1& form)
{
    HWND slider = form.Find(id::TrRed).Handle();
    HWND label = form.Find(id::lred).Handle();
    SetFocus(slider);
    std::vector<double> times;
    char before[16], after[16];
    for (int i = 0; i < 1000; ++i) {
        GetWindowTextA(label, before, sizeof before);
        const WPARAM key = (i / 10) % 2 ? VK_LEFT : VK_RIGHT;
        const double start = Now();
        PostMessageA(slider, WM_KEYDOWN, key, 1);
        // One message at a time, so what is measured ends when the label
        // has its new text, not when every repaint has been made too.
        MSG msg;
        do {
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            GetWindowTextA(label, after, sizeof after);
        } while (lstrcmpA(before, after) == 0 && Now() - start < 1);
        Pump();
        times.push_back(Now() - start);
    }
    std::printf("slider move to label and profile updated: median %.4f ms over 1000 moves (goal < 0.2 ms)\n",
                Median(times) * 1000);
    // The handler alone, without the posted key and the slider's own work.
    auto& tracked = form.Get<TrackBar>(id::TrRed);
    std::vector<double> handler;
    for (int i = 0; i < 1000; ++i) {
        tracked.SetPosition(100 + i % 50);
        const double start = Now();
        static_cast<void>(form.SliderChange(tracked));
        handler.push_back(Now() - start);
    }
    std::printf("  of which SliderChange itself: median %.4f ms\n", Median(handler) * 1000);
}

// The registry and profile-file calls a save makes, made bare.
void BareSave()
{
    const char* keys[] = {GlideKey, D3DKey};
    const char* values[] = {"SSTV2_REFRESH_512x384", "SSTV2_REFRESH_640x400", "SSTV2_REFRESH_640x480",
                            "SSTV2_REFRESH_800x600", "SSTV2_REFRESH_1024x768", "SSTV2_RGAMMA",
                            "SSTV2_GGAMMA", "SSTV2_BGAMMA"};
    for (const char* key : keys)
        for (const char* value : values)
            reg::SetString(key, value, "75");
    RegSetValueA(HKEY_LOCAL_MACHINE, TemplatesKey, REG_SZ, "Tarnwick", 8);
    for (const char* k : {"minfilecache", "maxfilecache", "chunksize"})
        WritePrivateProfileStringA("vcache", k, "512", "system.ini");
    HKEY t = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, TemplateKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &t, nullptr);
    const BYTE four[4] = {64, 0, 0, 0};
    RegSetValueExA(t, "PathCache", 0, REG_BINARY, four, 4);
    RegSetValueExA(t, "NameCache", 0, REG_BINARY, four, 4);
    RegCloseKey(t);
    for (const char* key : keys) {
        HKEY k = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        for (int i = 0; i < 16; ++i)  // the switches: each written or deleted
            RegDeleteValueA(k, "SSTV2_NOT_SET");
        RegCloseKey(k);
        reg::SetString(key, "SSTV2_GRXCLK", "90");
    }
}

// False when a save failed: its time is then not that of a save.
bool SaveBenchmark(TForm1& form)
{
    std::vector<double> ratios;
    std::vector<double> saves;
    int failed = 0;
    for (int i = 0; i < 50; ++i) {
        double start = Now();
        failed += !form.SaveAll().ok();
        const double save = Now() - start;
        start = Now();
        BareSave();
        const double bare = Now() - start;
        saves.push_back(save);
        ratios.push_back(save / bare);
    }
    std::printf("SaveAll: median %.3f ms; ratio to the bare calls: median %.2f over 50 (goal <= 1.5)\n",
                Median(saves) * 1000, Median(ratios));
    if (failed)
        std::printf("  but %d of the 50 saves failed\n", failed);
    return failed == 0;
}
} // namespace

// Exits with 1 when something failed on the way (the figures are then not
// of the work they name): a setting not arranged, a load or save error, a
// message box, which the recorder answers instead of showing.
int main()
{
    MessageBoxRecorder boxes;
    static bool arranged = true;
    reg::SetFailureReporter([](const std::string& what) {
        std::fprintf(stderr, "bench: %s\n", what.c_str());
        arranged = false;
    });
    reg::SetString(D3DKey, "SSTV2_RGAMMA", "1.3");
    reg::SetString(GlideKey, "SSTV2_RGAMMA", "1.3");
    WritePrivateProfileStringA("vcache", "chunksize", "512", "system.ini");
    InitialiseWindowClasses(GetModuleHandleA(nullptr));
    TForm1 form;
    const bool loaded = form.Create().ok();
    form.Show();
    Pump();
    SliderBenchmark(form);
    const bool saved = SaveBenchmark(form);
    form.Close();
    for (const RecordedBox& box : boxes.boxes)
        std::fprintf(stderr, "bench: the program showed a box: %s\n", box.text.c_str());
    return arranged && loaded && saved && boxes.boxes.empty() ? 0 : 1;
}
