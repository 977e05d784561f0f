// What a save leaves alone, and where a real fault from outside the
// program stops it: against the real registry and system.ini.
#include "app_fixture.h"
#include "controls/number_field.h"
#include "mainwindow/control_ids.h"
#include <commctrl.h>

namespace {
const char* const ForeignIni =
    "; written by hand\r\n[boot]\r\nshell=Explorer.exe\r\n\r\n[vcache]\r\nminfilecache=512\r\n"
    "maxfilecache=2048\r\nchunksize=512\r\nforeign=7\r\n\r\n[386Enh]\r\n; a comment\r\n"
    "device=*vmm\r\n";

class NothingLost : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        for (const char* key : {GlideKey, D3DKey}) {
            reg::SetString(key, "SSTV2_RGAMMA", "1.3");
            reg::SetString(key, "SSTV2_GRXCLK", "95");
            reg::SetString(key, "SSTV2_REFRESH_640x480", "75");
            reg::SetString(key, "FX_GLIDE_SWAPINTERVAL", "0");
            // Values no row names, of every kind.
            reg::SetString(key, "ForeignText", "keep me");
            reg::SetDword(key, "ForeignNumber", 0xdeadbeef);
            reg::SetBinary(key, "ForeignBytes", {0, 1, 2, 0xff});
            reg::SetRaw(key, "ForeignList", REG_MULTI_SZ, "a\0b\0", 5);
        }
        reg::SetString(VoodooKey, "ForeignText", "keep me");
        reg::SetBinary(TemplateKey, "PathCache", {64, 0, 0, 0});
        reg::SetBinary(TemplateKey, "NameCache", {0xa9, 0x0a, 0, 0});
        reg::SetString(TemplateKey, "ForeignText", "keep me");
        reg::SetBinary(std::string(TemplatesKey) + "\\Desktop", "PathCache", {32, 0, 0, 0});
        reg::SetString(TemplatesKey, "", "Desktop");
        WriteSystemIni(ForeignIni);
    }

    // Every value of the keys the program touches that it does not own.
    static std::string Foreign()
    {
        std::string all;
        for (const std::string key : {GlideKey, D3DKey})
            for (const char* name : {"ForeignText", "ForeignNumber", "ForeignBytes", "ForeignList"}) {
                const std::vector<unsigned char> bytes = reg::Bytes(key, name);
                all += key + "\\" + name + "=" + std::to_string(reg::Type(key, name)) + ":" +
                       std::string(bytes.begin(), bytes.end()) + "\n";
            }
        return all + reg::String(VoodooKey, "ForeignText") + reg::String(TemplateKey, "ForeignText") +
               reg::Dump(std::string(TemplatesKey) + "\\Desktop");
    }
    static std::string Everything() { return reg::Dump("SOFTWARE") + ReadSystemIni(); }

    void Click(int control) { SendMessageA(Form().Find(control).Handle(), BM_CLICK, 0, 0); }
    // Every edit the window offers, each as the user's input would make it.
    void EditEverything()
    {
        for (int n = 1; n <= 16; ++n)
            Click(id::gcb(n));
        for (int n = 1; n <= 15; ++n)
            Click(id::dcb(n));
        for (int tab = 0; tab < 2; ++tab) {
            TabCtrl_SetCurSel(Form().Find(id::Selector).Handle(), tab);
            NMHDR change{Form().Find(id::Selector).Handle(), static_cast<UINT_PTR>(id::Selector), TCN_SELCHANGE};
            SendMessageA(Form().Handle(), WM_NOTIFY, id::Selector, reinterpret_cast<LPARAM>(&change));
            for (int slider : {id::TrRed, id::TrGreen, id::TrBlue, id::ClockSpeed}) {
                HWND h = Form().Find(slider).Handle();
                SendMessageA(h, TBM_SETPOS, TRUE, SendMessageA(h, TBM_GETPOS, 0, 0) + 7);
                SendMessageA(Form().Handle(), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(h));
            }
            for (int list = id::Refrrate512x384; list <= id::Refrrate1024x768; ++list) {
                HWND h = Form().Find(list).Handle();
                SendMessageA(h, CB_SETCURSEL, 2, 0);
                SendMessageA(Form().Handle(), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
            }
            Click(id::Button4);
        }
        for (int field : {id::camin, id::camax, id::cachunk, id::cadir, id::cafil})
            Form().Get<NumberField>(field).SetValue(4321);
        Click(id::EnableDisk);
        Click(id::EnableFile);
        Pump();
    }
};
} // namespace

TEST_F(NothingLost, OkWithoutEditsKeepsEveryForeignValue)
{
    const std::string foreign = Foreign();
    OpenForm();
    Click(id::Button1);
    Pump();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Foreign(), foreign);
    // The three keys are written with the texts they hold, so the profile
    // API does not write the file at all: byte for byte as it was.
    EXPECT_EQ(ReadSystemIni(), ForeignIni);
}

TEST_F(NothingLost, OkAfterCacheEditsRewritesOnlyThoseKeys)
{
    OpenForm();
    for (int field : {id::camin, id::camax, id::cachunk})
        Form().Get<NumberField>(field).SetValue(4321);
    Click(id::Button1);
    Pump();
    std::string expected = ForeignIni;
    for (const char* line : {"minfilecache=512", "maxfilecache=2048", "chunksize=512"}) {
        const std::string key = std::string(line).substr(0, std::string(line).find('=') + 1);
        expected.replace(expected.find(line), std::string(line).size(), key + "4321");
    }
    // Wine's profile code writes the file anew and drops the blank lines;
    // comments, other sections and the foreign key stay where they were.
    for (size_t at; (at = expected.find("\r\n\r\n")) != std::string::npos;)
        expected.erase(at, 2);
    EXPECT_EQ(ReadSystemIni(), expected);
}

TEST_F(NothingLost, CancelAfterEditingEverythingChangesNothing)
{
    const std::string before = Everything();
    OpenForm();
    EditEverything();
    Click(id::Button2);
    Pump();
    EXPECT_EQ(Form().Handle(), nullptr);
    EXPECT_EQ(Everything(), before);
}

namespace {
// The save steps a fault from outside can reach, in the save's order.
// Everything the save writes is first replaced by a marker; after the
// failure the values before the failing step hold the program's texts, the
// ones after it still the marker.
struct Observed {
    const char* key;
    const char* name;
    const char* written;  // the program's text; REG_BINARY 64 for PathCache
};
const Observed SaveOrder[] = {
    {GlideKey, "SSTV2_REFRESH_640x480", "75"},
    {D3DKey, "SSTV2_REFRESH_640x480", "75"},
    {GlideKey, "SSTV2_RGAMMA", "1.3"},
    {D3DKey, "SSTV2_RGAMMA", "1.3"},
    {TemplatesKey, "", "Tarnwick"},
    {nullptr, "chunksize", "512"},  // [vcache]
    {TemplateKey, "PathCache", "@"},
    {GlideKey, "FX_GLIDE_SWAPINTERVAL", "0"},
    {GlideKey, "SSTV2_GRXCLK", "95"},
    {D3DKey, "SSTV2_GRXCLK", "95"},
};
const char* const Marker = "marker";

struct WriteFault {
    const char* what;
    void (*arrange)();
    const char* error;
    int failingStep;  // index into SaveOrder of the write that fails
};
const WriteFault WriteFaults[] = {
    {"Glide key uncreatable", [] { reg::MakeVolatile(VoodooKey); reg::MakeVolatile(D3DKey); },
     "Failed to set data for 'SSTV2_REFRESH_640x480'.", 0},
    {"Direct3D key uncreatable", [] { reg::MakeVolatile(VoodooKey); reg::MakeVolatile(GlideKey); },
     "Failed to set data for 'SSTV2_REFRESH_640x480'.", 1},
    {"system.ini a directory",
     [] { DeleteFileA(SystemIniPath().c_str()); CreateDirectoryA(SystemIniPath().c_str(), nullptr); },
     "Unable to write to system.ini.", 5},
    {"template key uncreatable", [] { reg::MakeVolatile(TemplatesKey); },
     "Failed to set data for 'PathCache'.", 6},
};

bool IniIsDirectory() { return GetFileAttributesA(SystemIniPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY; }

void SetMarkers()
{
    for (const Observed& o : SaveOrder) {
        if (!o.key)
            WritePrivateProfileStringA("vcache", o.name, Marker, "system.ini");
        else if (reg::KeyExists(o.key))
            reg::SetString(o.key, o.name, Marker);
    }
}

// "written", "marker" or "absent".
std::string StateOf(const Observed& o)
{
    if (!o.key) {
        char text[64] = {};
        GetPrivateProfileStringA("vcache", o.name, "", text, sizeof text, "system.ini");
        return IniIsDirectory() ? "unreachable" : text == std::string(Marker) ? "marker" : text == std::string(o.written) ? "written" : text;
    }
    if (!reg::Exists(o.key, o.name))
        return "absent";
    if (reg::Type(o.key, o.name) == REG_BINARY)
        return reg::Bytes(o.key, o.name) == std::vector<unsigned char>{64, 0, 0, 0} ? "written" : "other bytes";
    const std::string text = reg::String(o.key, o.name);
    return text == Marker ? "marker" : text == o.written ? "written" : text;
}
} // namespace

TEST_F(NothingLost, WriteFaultsStopTheSaveAtTheirStep)
{
    for (const WriteFault& fault : WriteFaults) {
        for (const bool restart : {false, true}) {
            SCOPED_TRACE(std::string(fault.what) + (restart ? ", restart command" : ", OK"));
            TearDown();
            SetUp();
            OpenForm();
            // The user picks our template, so the save has a choice to write
            // (one nobody changed is left as stored).
            Click(id::EnableFile);
            fault.arrange();
            SetMarkers();
            boxes.clear();
            boxAnswer = IDYES;
            Click(restart ? id::Button3 : id::Button1);
            Pump();
            ASSERT_EQ(boxes.size(), restart ? 2u : 1u);
            EXPECT_EQ(boxes.back().text, fault.error);
            EXPECT_TRUE(Form().Handle() && IsWindowVisible(Form().Handle())) << "the window stays open";
            EXPECT_EQ(restarts, 0);
            for (int step = 0; step < static_cast<int>(std::size(SaveOrder)); ++step) {
                const std::string state = StateOf(SaveOrder[step]);
                SCOPED_TRACE(std::string(SaveOrder[step].key ? SaveOrder[step].key : "[vcache]") + "\\" + SaveOrder[step].name);
                if (step < fault.failingStep)
                    EXPECT_EQ(state, "written");
                else
                    EXPECT_TRUE(state == "marker" || state == "absent" || state == "unreachable") << state;
            }
            boxes.clear();
            if (IniIsDirectory())
                RemoveDirectoryA(SystemIniPath().c_str());
        }
    }
}

namespace {
// Stored states a first "OK" may put into the program's own form; a second
// start and "OK" must then find nothing left to change.
struct StoredState {
    const char* what;
    void (*arrange)();
};
void SetBoth(const char* name, const reg::Value& value)
{
    for (const char* key : {GlideKey, D3DKey})
        reg::Put(key, name, value);
}
const StoredState StoredStates[] = {
    {"well formed", [] {}},
    {"no driver key", [] { reg::DeleteTree(VoodooKey); }},
    {"no Glide key", [] { reg::DeleteTree(GlideKey); }},
    {"no Direct3D key", [] { reg::DeleteTree(D3DKey); }},
    {"gamma \"1,3\"", [] { SetBoth("SSTV2_RGAMMA", reg::Text("1,3")); }},
    {"gamma a REG_DWORD", [] { SetBoth("SSTV2_RGAMMA", reg::Dword(2)); }},
    {"gamma \"1.30\" and out of the slider's range",
     [] { reg::SetString(GlideKey, "SSTV2_RGAMMA", "1.30"); reg::SetString(D3DKey, "SSTV2_RGAMMA", "75"); }},
    {"gamma empty text", [] { SetBoth("SSTV2_GGAMMA", reg::Text("")); }},
    {"rate \"85 Hz\"", [] { SetBoth("SSTV2_REFRESH_640x480", reg::Text("85 Hz")); }},
    {"rate a REG_DWORD", [] { SetBoth("SSTV2_REFRESH_800x600", reg::Dword(75)); }},
    {"rate past 32 bits", [] { SetBoth("SSTV2_REFRESH_1024x768", reg::Text("2147483648")); }},
    {"switches of foreign content", [] {
         reg::SetString(GlideKey, "SSTV2_TMU_MEMSIZE", "4");
         reg::SetDword(GlideKey, "SSTV2_VGA_PASS", 0);
         reg::SetString(D3DKey, "FX_GLIDE_SWAPINTERVAL", "0 ");
         reg::SetBinary(D3DKey, "SSTV2_BACKPORCH", {0x31, 0});
         reg::SetDword(D3DKey, "SSTV2_AUTOMIPMAP", 1);
     }},
    {"file-system role Mobile", [] { reg::SetString(TemplatesKey, "", "Mobile"); }},
    {"file-system role Server", [] { reg::SetString(TemplatesKey, "", "Server"); }},
    {"file-system role ours, in small letters", [] { reg::SetString(TemplatesKey, "", "tarnwick"); }},
    {"file-system role ours, our key missing",
     [] { reg::SetString(TemplatesKey, "", "Tarnwick"); reg::DeleteTree(TemplateKey); }},
    {"no file-system role", [] { reg::Put(TemplatesKey, "", reg::Absent()); }},
    {"[vcache] in foreign forms",
     [] { WriteSystemIni("[vcache]\r\nminfilecache=0x1000\r\nmaxfilecache= 2048\r\nchunksize=abc\r\n"); }},
    {"no [vcache]", [] { WriteSystemIni("[boot]\r\nshell=Explorer.exe\r\n"); }},
};
} // namespace

TEST_F(NothingLost, SecondOkFindsNothingToChange)
{
    for (const StoredState& state : StoredStates) {
        SCOPED_TRACE(state.what);
        TearDown();
        SetUp();
        state.arrange();
        for (const bool second : {false, true}) {
            SCOPED_TRACE(second ? "second OK" : "first OK");
            const SettingsSnapshot before;
            OpenForm();
            Click(id::Button1);
            Pump();
            EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes.front().text);
            EXPECT_EQ(Form().Handle(), nullptr) << "OK closes the window";
            CloseForm();
            if (second) {
                EXPECT_EQ(before.Changes(), "");
            }
        }
    }
}
