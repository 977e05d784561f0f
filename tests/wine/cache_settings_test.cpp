// The Cache page's settings against the prefix's real system.ini and the
// real registry.
#include "app_fixture.h"
#include "controls/number_field.h"
#include "mainwindow/control_ids.h"
#include "core/error.h"
#include "test_support.h"

namespace {
class CacheSettings : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        reg::SetString(GlideKey, "SSTV2_RGAMMA", "1");
    }
    NumberField& Field(int controlId) { return Form().Get<NumberField>(controlId); }
    CheckBox& Box(int controlId) { return Form().Get<CheckBox>(controlId); }
    bool Enabled(int controlId) { return Form().Find(controlId).Enabled(); }
    std::string Ini(const char* key)
    {
        char text[256] = {};
        GetPrivateProfileStringA("vcache", key, "<missing>", text, sizeof text, "system.ini");
        return text;
    }
    void AppendIni(const std::string& lines) { WriteSystemIni(ReadSystemIni() + lines); }
    std::string Error(Status (TForm1::*action)()) { return ErrorOf((Form().*action)()); }
    void SetTemplate(uint32_t dir, uint32_t files)
    {
        reg::SetBinary(TemplateKey, "PathCache", {uint8_t(dir), uint8_t(dir >> 8), uint8_t(dir >> 16), uint8_t(dir >> 24)});
        reg::SetBinary(TemplateKey, "NameCache", {uint8_t(files), uint8_t(files >> 8), uint8_t(files >> 16), uint8_t(files >> 24)});
    }
};
} // namespace

TEST_F(CacheSettings, VCacheSectionReads)
{
    const struct { int line; const char* section; bool checked; int32_t min, max, chunk; } cases[] = {
        {__LINE__, "", false, 0, 0, 0},
        {__LINE__, "[vcache]\r\n", false, 0, 0, 0},
        {__LINE__, "[vcache]\r\nchunksize=512\r\n", true, 0, 0, 512},
        {__LINE__, "[vcache]\r\nminfilecache=0x400\r\nmaxfilecache=abc\r\nchunksize=-5\r\n", true, 1024, 0, -5},
        {__LINE__, "[vcache]\r\nMinFileCache=4096\r\nMAXFILECACHE=0X10\r\n", true, 4096, 16, 0},
        {__LINE__, "[vcache]\r\nother=1\r\n", true, 0, 0, 0},
        {__LINE__, "[vcache]\r\nminfilecache=99999999999\r\nmaxfilecache=12.5\r\n", true, 0, 0, 0},
    };
    const std::string plain = ReadSystemIni();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        WriteSystemIni(plain + c.section);
        OpenForm();
        EXPECT_EQ(Box(id::EnableDisk).Checked(), c.checked);
        EXPECT_EQ(Enabled(id::DiskCacBox), c.checked);
        for (int control : {id::camin, id::camax, id::cachunk, id::Label7, id::Label13, id::Label14})
            EXPECT_EQ(Enabled(control), c.checked) << control;
        EXPECT_EQ(Field(id::camin).Value(), c.min);
        EXPECT_EQ(Field(id::camax).Value(), c.max);
        EXPECT_EQ(Field(id::cachunk).Value(), c.chunk);
        CloseForm();
    }
}

TEST_F(CacheSettings, VCacheSaves)
{
    AppendIni("[vcache]\r\nminfilecache=0x400\r\nchunksize=-5\r\nmystery=7\r\n");
    OpenForm();
    EXPECT_OK(Form().WriteCacheSettings());
    EXPECT_EQ(Ini("minfilecache"), "1024");
    EXPECT_EQ(Ini("maxfilecache"), "0");
    EXPECT_EQ(Ini("chunksize"), "-5");
    EXPECT_EQ(Ini("mystery"), "7") << "keys the page does not show stay";

    Box(id::EnableDisk).SetChecked(false);
    EXPECT_OK(Form().WriteCacheSettings());
    EXPECT_EQ(Ini("mystery"), "<missing>") << "unchecked removes the whole section";
    EXPECT_EQ(ReadSystemIni().find("[vcache]"), std::string::npos);
}

TEST_F(CacheSettings, FieldTextsThatAreNotNumbersSaveAsZero)
{
    AppendIni("[vcache]\r\nchunksize=512\r\n");
    OpenForm();
    const char* texts[] = {"", "-", "12.5"};
    const int fields[] = {id::camin, id::camax, id::cachunk};
    for (int i = 0; i < 3; ++i)
        Field(fields[i]).SetText(texts[i]);
    EXPECT_OK(Form().WriteCacheSettings());
    for (const char* key : {"minfilecache", "maxfilecache", "chunksize"})
        EXPECT_EQ(Ini(key), "0") << key;
}

TEST_F(CacheSettings, TemplateReads)
{
    const struct { int line; std::vector<unsigned char> path; bool present; int32_t dir; const char* error; } cases[] = {
        {__LINE__, {0x40, 0, 0, 0}, true, 64, ""},
        {__LINE__, {0x01, 0x02}, true, 0x201, ""},
        {__LINE__, {}, true, 0, ""},
        {__LINE__, {0xff, 0xff, 0xff, 0xff}, true, 0, "Range check error"},
        {__LINE__, {1, 0, 0, 0, 0}, true, 0, "Invalid data type for 'PathCache'"},
    };
    reg::SetString(TemplatesKey, "", "Tarnwick");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        reg::DeleteTree(TemplateKey);
        reg::SetBinary(TemplateKey, "PathCache", c.path);
        OpenForm();
        EXPECT_TRUE(Box(id::EnableFile).Checked());
        boxes.clear();
        Field(id::cadir).SetValue(-9);
        EXPECT_EQ(Error(&TForm1::ReadCacheSettings), c.error);
        if (!*c.error) {
            EXPECT_EQ(Field(id::cadir).Value(), c.dir);
        }
        EXPECT_EQ(Field(id::cafil).Value(), 0) << "a missing NameCache shows 0";
        CloseForm();
    }
}

TEST_F(CacheSettings, TemplateOfTheWrongTypeStopsTheRead)
{
    reg::SetDword(TemplateKey, "PathCache", 64);
    reg::SetBinary(TemplateKey, "NameCache", {5, 0, 0, 0});
    OpenForm();
    EXPECT_EQ(Error(&TForm1::ReadCacheSettings), "Invalid data type for 'PathCache'");
    EXPECT_EQ(Field(id::cafil).Value(), 0) << "the read stopped before NameCache";
}

TEST_F(CacheSettings, MissingTemplateWhateverTheChoiceSays)
{
    reg::SetString(TemplatesKey, "", "Tarnwick");
    OpenForm();
    EXPECT_FALSE(Box(id::EnableFile).Checked());
    EXPECT_FALSE(Enabled(id::FilCacBox));
    for (int control : {id::cadir, id::cafil, id::Label15, id::Label18})
        EXPECT_FALSE(Enabled(control)) << control;
    EXPECT_EQ(Field(id::cadir).Value(), 0);
}

// The box shows our template as the one Windows uses: its key exists and
// the choice names it. Windows' own file-system page sets "Desktop",
// "Mobile" or "Server" as the choice; a save leaves any choice as stored
// until the user clicks the box. The fields show the key whatever the box.
TEST_F(CacheSettings, TemplateBoxFollowsTheChoice)
{
    const reg::Value none = reg::Absent();
    const struct { int line; bool key; reg::Value choice; bool checked; } cases[] = {
        {__LINE__, true, reg::Text("Tarnwick"), true},
        {__LINE__, true, reg::Text("tARNWICK"), true},
        {__LINE__, true, reg::Text("Tarnwick", REG_EXPAND_SZ), true},
        {__LINE__, true, reg::Text("Desktop"), false},
        {__LINE__, true, reg::Text("Mobile"), false},
        {__LINE__, true, reg::Text("Tarnwick "), false},
        {__LINE__, true, reg::Dword(1), false},
        {__LINE__, true, none, false},
        {__LINE__, false, reg::Text("Tarnwick"), false},
        {__LINE__, false, reg::Text("Server"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        reg::DeleteTree(TemplatesKey);
        reg::Put(TemplatesKey, "", c.choice);
        if (c.key)
            SetTemplate(300, 2729);
        OpenForm();
        EXPECT_EQ(Box(id::EnableFile).Checked(), c.checked);
        EXPECT_EQ(Enabled(id::FilCacBox), c.checked);
        EXPECT_EQ(Field(id::cadir).Value(), c.key ? 300 : 0);
        EXPECT_OK(Form().WriteCacheSettings());
        EXPECT_EQ(reg::Describe(reg::Read(TemplatesKey, "")), reg::Describe(c.choice)) << "nobody clicked the box";
        Box(id::EnableFile).SetChecked(!c.checked);
        EXPECT_OK(Form().WriteCacheSettings());
        EXPECT_EQ(reg::String(TemplatesKey, ""), c.checked ? "Desktop" : "Tarnwick") << "the user's choice";
        CloseForm();
    }
}

TEST_F(CacheSettings, TemplateSaves)
{
    SetTemplate(64, 2729);
    reg::SetString(TemplatesKey, "", "Tarnwick");
    OpenForm();
    EXPECT_OK(Form().WriteCacheSettings());
    EXPECT_EQ(reg::String(TemplatesKey, ""), "Tarnwick");
    EXPECT_EQ(reg::Bytes(TemplateKey, "NameCache"), (std::vector<unsigned char>{0xa9, 0x0a, 0, 0}));

    Box(id::EnableFile).SetChecked(false);
    Field(id::cadir).SetValue(300);
    EXPECT_OK(Form().WriteCacheSettings());
    EXPECT_EQ(reg::String(TemplatesKey, ""), "Desktop");
    EXPECT_EQ(reg::Type(TemplateKey, "PathCache"), static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(reg::Bytes(TemplateKey, "PathCache"), (std::vector<unsigned char>{0x2c, 0x01, 0, 0}))
        << "written even while its group is off";
    CloseForm();
    OpenForm();
    EXPECT_FALSE(Box(id::EnableFile).Checked()) << "our key exists, but the choice is Desktop";
    EXPECT_OK(Form().WriteCacheSettings());
    EXPECT_EQ(reg::String(TemplatesKey, ""), "Desktop") << "and stays so";
}

TEST_F(CacheSettings, NegativeDirStopsAfterChoiceAndIni)
{
    AppendIni("[vcache]\r\nchunksize=512\r\n");
    OpenForm();
    Field(id::cachunk).SetValue(1024);
    Box(id::EnableFile).SetChecked(true);
    Field(id::cadir).SetValue(-1);
    EXPECT_EQ(Error(&TForm1::WriteCacheSettings), "Range check error");
    EXPECT_EQ(reg::String(TemplatesKey, ""), "Tarnwick");
    EXPECT_EQ(Ini("chunksize"), "1024");
    EXPECT_TRUE(reg::KeyExists(TemplateKey));
    EXPECT_FALSE(reg::Exists(TemplateKey, "PathCache"));
}

TEST_F(CacheSettings, UnwritableSystemIni)
{
    AppendIni("[vcache]\r\nchunksize=512\r\n");
    OpenForm();
    const std::string path = SystemIniPath();
    const std::string saved = ReadSystemIni();
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_EQ(Error(&TForm1::WriteCacheSettings), "Unable to write to system.ini");
    Box(id::EnableDisk).SetChecked(false);
    EXPECT_EQ(Error(&TForm1::WriteCacheSettings), "Unable to write to system.ini");
    RemoveDirectoryA(path.c_str());
    WriteSystemIni(saved);
}

TEST_F(CacheSettings, TemplateKeyThatCannotBeCreated)
{
    OpenForm();
    reg::DeleteTree(TemplatesKey);
    reg::MakeVolatile(TemplatesKey);
    EXPECT_EQ(Error(&TForm1::WriteCacheSettings), "Failed to set data for 'PathCache'");
}

TEST_F(CacheSettings, TypedCharactersAreFiltered)
{
    AppendIni("[vcache]\r\nchunksize=512\r\n");
    OpenForm();
    NumberField& field = Field(id::camin);
    field.SetText("");
    for (char c : std::string("1a2-+.x\r3"))
        SendMessageA(field.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump();
    EXPECT_EQ(field.Text(), "12-+.3");
    const struct { char c; bool accepted; } table[] = {
        {'0', true}, {'9', true}, {'+', true}, {'-', true}, {'.', true}, {'\b', true},
        {'\x03', true}, {'\r', false}, {'a', false}, {',', false}, {' ', false}, {'\xe9', false}};
    for (const auto& t : table)
        EXPECT_EQ(NumberField::IsAcceptedChar(t.c), t.accepted) << int(t.c);
}

TEST_F(CacheSettings, UpDownStepsByOneWithoutBounds)
{
    AppendIni("[vcache]\r\nchunksize=512\r\n");
    OpenForm();
    NumberField& field = Field(id::cachunk);
    SetFocus(field.Handle());
    SendMessageA(field.Handle(), WM_KEYDOWN, VK_UP, 1);
    Pump();
    EXPECT_EQ(field.Value(), 513);
    field.SetValue(0);
    SendMessageA(field.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    Pump();
    EXPECT_EQ(field.Value(), -1);
    field.SetText("abc");
    field.Step(1);
    EXPECT_EQ(field.Value(), 1);
}

TEST_F(CacheSettings, RestartCommand)
{
    AppendIni("[vcache]\r\nchunksize=512\r\n");
    OpenForm();
    Field(id::cachunk).SetValue(2048);
    boxAnswer = IDNO;
    SendMessageA(Form().Find(id::Button3).Handle(), BM_CLICK, 0, 0);
    Pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Mentsem az \xf6sszes v\xe1ltoztat\xe1st?");
    EXPECT_EQ(boxes[0].caption, "\xdajraind\xedt\xe1s");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(Ini("chunksize"), "512") << "No writes nothing";

    boxAnswer = IDYES;
    SendMessageA(Form().Find(id::Button3).Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(restarts, 2);
    EXPECT_EQ(Ini("chunksize"), "2048") << "Yes saves first";

    Field(id::cadir).SetValue(-1);
    boxes.clear();
    SendMessageA(Form().Find(id::Button3).Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(restarts, 2) << "no restart after a failed save";
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Range check error.");
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONERROR));

    Field(id::cadir).SetValue(1);
    restartSucceeds = false;
    boxes.clear();
    SendMessageA(Form().Find(id::Button3).Handle(), BM_CLICK, 0, 0);
    Pump();
    ASSERT_EQ(boxes.size(), 2u) << "a refused restart is reported";
    EXPECT_EQ(boxes[1].text, "The restart was refused.");
}
