// Every value the program reads, stored in every shape nobody asked for:
// the program starts, shows the error its rules give (or none), and after
// "OK" the value holds exactly what those rules give. One start and one
// save per case; the expectations below are written from the rules of the
// stores, not from running the program.
#include "app_fixture.h"
#include "driver/switch_tables.h"
#include "mainwindow/control_ids.h"
#include <commctrl.h>
#include <cstdio>

namespace {
// What the value holds before the start.
struct Stored {
    const char* what;
    bool missing;
    DWORD type;
    std::string bytes;
};

Stored Sz(const char* what, const std::string& text) { return {what, false, REG_SZ, text + '\0'}; }
Stored Raw(const char* what, DWORD type, const std::string& bytes) { return {what, false, type, bytes}; }

// What the value holds after "OK".
struct Expect {
    enum Kind { Text, Absent, Unchanged, Binary } kind;
    std::string data;  // Text: the REG_SZ text; Binary: the 4 bytes
};
Expect Text(const std::string& t) { return {Expect::Text, t}; }
Expect Bin(const std::string& b) { return {Expect::Binary, b}; }
const Expect Absent{Expect::Absent, ""};
const Expect Unchanged{Expect::Unchanged, ""};

// One row: the stored shape, what follows for a value of the Glide key (or
// the only key) and for one of the Direct3D key, whose profile the Basics
// page shows at start, and the error box text (%s: the stored text).
struct Row {
    Stored stored;
    Expect glide, d3d;
    const char* box;
};

const std::string Huge(1 << 20, '7');
const std::string Garbage = "\x01\xfe\x80\x7f";

// The shapes every registry value gets, then each class's own numbers just
// inside and outside its ranges.
std::vector<Stored> CommonShapes()
{
    return {
        {"missing", true, REG_NONE, ""},
        Sz("empty", ""),
        Raw("REG_DWORD 75", REG_DWORD, std::string("\x4b\0\0\0", 4)),
        Raw("REG_BINARY 0 bytes", REG_BINARY, ""),
        Raw("REG_BINARY 3 bytes", REG_BINARY, "\x01\x02\x03"),
        Raw("REG_BINARY 4 bytes", REG_BINARY, "\x01\x02\x03\x04"),
        Raw("REG_BINARY 5 bytes", REG_BINARY, "\x01\x02\x03\x04\x05"),
        Raw("REG_MULTI_SZ 4 bytes", REG_MULTI_SZ, std::string("75\0\0", 4)),
        Raw("REG_NONE 1 byte", REG_NONE, "\x05"),
        Raw("REG_QWORD 75", 11 /* REG_QWORD */, std::string("\x4b\0\0\0\0\0\0\0", 8)),
        Sz("1 MiB string", Huge),
        Raw("string without its zero", REG_SZ, "75"),
        Sz("garbage bytes", Garbage),
    };
}

// What follows from each common shape, in their order.
struct Outcome {
    Expect glide, d3d;
    const char* box;
};
// A value the program cannot take as its number shows as 0 and, nobody
// having changed it, stays as stored: the driver reads it its own way.
const Outcome Kept{Unchanged, Unchanged, nullptr};

// Gamma: text read as a real, 0 when it is not one; the Direct3D profile
// goes through its slider (0.00 .. 4.00 in hundredths) at start.
const Outcome GammaOf[] = {Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept,
                           {Text("75"), Text("4"), nullptr}, Kept};
const Row GammaRanges[] = {
    {Sz("0", "0"), Text("0"), Text("0"), nullptr},
    {Sz("4", "4"), Text("4"), Text("4"), nullptr},
    {Sz("4.01", "4.01"), Text("4.01"), Text("4"), nullptr},
    {Sz("-0.01", "-0.01"), Text("-0.01"), Text("0"), nullptr},
    {Sz("1.3 between blanks", " 1.3 "), Text("1.3"), Text("1.3"), nullptr},
};

// Refresh rates: integer text, 0 when it is not one; never changed at start.
const Outcome RefreshOf[] = {Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept,
                             {Text("75"), Text("75"), nullptr}, Kept};
const Row RefreshRanges[] = {
    {Sz("2147483647", "2147483647"), Text("2147483647"), Text("2147483647"), nullptr},
    {Sz("2147483648", "2147483648"), Unchanged, Unchanged, nullptr},
    {Sz("-2147483648", "-2147483648"), Text("-2147483648"), Text("-2147483648"), nullptr},
    {Sz("-2147483649", "-2147483649"), Unchanged, Unchanged, nullptr},
};

// The clock: missing 90; text that is no integer stops the load there
// (nothing of that group is saved); a REG_DWORD is taken; other types leave
// 0, which becomes 90; below 50 becomes 90; the Direct3D clock goes through
// its slider (50 .. 120).
const char* const NotAnInteger = "'%s' is not a valid integer value.";
const Outcome Ninety{Text("90"), Text("90"), nullptr};
const Outcome StopsTheLoad{Unchanged, Unchanged, NotAnInteger};
const Outcome ClockOf[] = {Ninety, StopsTheLoad, {Text("75"), Text("75"), nullptr},
                           Ninety, Ninety, Ninety, Ninety, Ninety, Ninety, Ninety,
                           StopsTheLoad, {Text("75"), Text("75"), nullptr}, StopsTheLoad};
const Row ClockRanges[] = {
    {Sz("49", "49"), Text("90"), Text("90"), nullptr},
    {Sz("50", "50"), Text("50"), Text("50"), nullptr},
    {Sz("120", "120"), Text("120"), Text("120"), nullptr},
    {Sz("121", "121"), Text("121"), Text("120"), nullptr},
    {Raw("REG_DWORD -1", REG_DWORD, "\xff\xff\xff\xff"), Text("90"), Text("90"), nullptr},
};

// [vcache] keys: integer text ("0x" and hexadecimal too), 0 otherwise; with
// the other two keys there the section is present and all three are saved.
const struct { const char* what; const char* text; const char* saved; } VCacheRows[] = {
    {"missing", nullptr, "0"},
    {"empty", "", "0"},
    {"garbage bytes", "\x01\xfe\x80\x7f", "0"},
    {"2147483647", "2147483647", "2147483647"},
    {"2147483648", "2147483648", "0"},
    {"0x7FFFFFFF", "0x7FFFFFFF", "2147483647"},
    {"-5", "-5", "-5"},
    {"5 and a letter", "5a", "0"},
};

const char* const InvalidType = "Invalid data type for '%n'.";
const char* const RangeCheck = "Range check error.";
const std::string Zero4(4, '\0');
const Outcome Invalid{Unchanged, Unchanged, InvalidType};
const Outcome TemplateOf[] = {
    {Bin(Zero4), Bin(Zero4), nullptr}, Invalid, Invalid, {Bin(Zero4), Bin(Zero4), nullptr},
    {Bin(std::string("\x01\x02\x03\0", 4)), {}, nullptr}, {Bin("\x01\x02\x03\x04"), {}, nullptr},
    Invalid, {Bin(std::string("75\0\0", 4)), {}, nullptr}, {Bin(std::string("\x05\0\0\0", 4)), {}, nullptr},
    Invalid, Invalid, Invalid, Invalid,
};
const Row TemplateRanges[] = {
    {Raw("REG_BINARY 2147483647", REG_BINARY, "\xff\xff\xff\x7f"), Bin("\xff\xff\xff\x7f"), {}, nullptr},
    {Raw("REG_BINARY -2147483648", REG_BINARY, std::string("\0\0\0\x80", 4)), Unchanged, {}, RangeCheck},
};

std::vector<Row> Rows(const Outcome* common, const Row* ranges, size_t rangeCount)
{
    std::vector<Row> rows;
    const std::vector<Stored> shapes = CommonShapes();
    for (size_t i = 0; i < shapes.size(); ++i)
        rows.push_back({shapes[i], common[i].glide, common[i].d3d, common[i].box});
    rows.insert(rows.end(), ranges, ranges + rangeCount);
    return rows;
}

// Switches: a Glide switch shows on while its value exists, of any shape; a
// Direct3D one while its text (a REG_DWORD's as integer text) is the row's.
// Whatever it shows, a box nobody clicks leaves its value as stored.
std::vector<Row> SwitchRows(const std::string& onText)
{
    std::vector<Row> rows;
    for (const Stored& shape : CommonShapes())
        rows.push_back({shape, Unchanged, Unchanged, nullptr});
    const uint32_t number = static_cast<uint32_t>(std::stoul(onText));
    const std::string dword(reinterpret_cast<const char*>(&number), 4);
    rows.push_back({Sz("the row's text", onText), Unchanged, Unchanged, nullptr});
    rows.push_back({Raw("the row's text without its zero", REG_SZ, onText), Unchanged, Unchanged, nullptr});
    rows.push_back({Raw("the row's number as REG_DWORD", REG_DWORD, dword), Unchanged, Unchanged, nullptr});
    rows.push_back({Sz("the row's text and a blank", onText + " "), Unchanged, Unchanged, nullptr});
    return rows;
}

std::string Replace(std::string pattern, const std::string& tag, const std::string& with)
{
    const size_t at = pattern.find(tag);
    return at == std::string::npos ? pattern : pattern.replace(at, tag.size(), with);
}

std::string StoredText(const Stored& s)
{
    std::string text = s.bytes;
    if (s.type == REG_SZ && !text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

class StoredValueMatrix : public AppTest {
protected:
    // The demo's values, all well formed, so every other step loads.
    void Baseline()
    {
        for (const char* key : {GlideKey, D3DKey}) {
            for (const char* g : {"SSTV2_RGAMMA", "SSTV2_GGAMMA", "SSTV2_BGAMMA"})
                reg::SetString(key, g, "1.3");
            for (const char* r : {"512x384", "640x400", "640x480", "800x600", "1024x768"})
                reg::SetString(key, std::string("SSTV2_REFRESH_") + r, "75");
            reg::SetString(key, "SSTV2_GRXCLK", "95");
        }
        reg::SetBinary(TemplateKey, "PathCache", {64, 0, 0, 0});
        reg::SetBinary(TemplateKey, "NameCache", {0xa9, 0x0a, 0, 0});
        for (const char* k : {"minfilecache", "maxfilecache", "chunksize"})
            WritePrivateProfileStringA("vcache", k, "512", "system.ini");
    }

    // Starts, answers each box, saves with "OK"; gives the box texts.
    std::vector<std::string> StartAndSave()
    {
        boxes.clear();
        OpenForm();
        std::vector<std::string> seen;
        for (const auto& box : boxes)
            seen.push_back(box.text);
        boxes.clear();
        SendMessageA(Form().Find(id::Button1).Handle(), BM_CLICK, 0, 0);
        Pump();
        for (const auto& box : boxes)
            seen.push_back("save: " + box.text);
        boxes.clear();
        CloseForm();
        return seen;
    }

    void Check(const std::string& key, const std::string& name, const Row& row, const Expect& expect)
    {
        SCOPED_TRACE(key + "\\" + name + " stored as " + row.stored.what);
        ++cases;
        TearDown();
        SetUp();
        Baseline();
        reg::Put(key, name, row.stored.missing ? reg::Absent() : reg::Raw(row.stored.type, row.stored.bytes));
        const reg::Value before = reg::Read(key, name);

        const std::vector<std::string> seen = StartAndSave();
        std::vector<std::string> wanted;
        if (row.box)
            wanted.push_back(Replace(Replace(row.box, "%s", StoredText(row.stored)), "%n", name));
        EXPECT_EQ(seen, wanted);
        const reg::Value after = reg::Read(key, name);
        const reg::Value expected = expect.kind == Expect::Unchanged ? before
                                    : expect.kind == Expect::Absent  ? reg::Absent()
                                    : expect.kind == Expect::Binary  ? reg::Raw(REG_BINARY, expect.data)
                                                                     : reg::Text(expect.data);
        EXPECT_EQ(reg::Describe(after), reg::Describe(expected));
        const bool ok = seen == wanted && after == expected;
        mismatches += ok ? 0 : 1;
    }

    void CheckBoth(const std::string& name, const std::vector<Row>& rows)
    {
        for (const Row& row : rows) {
            Check(GlideKey, name, row, row.glide);
            Check(D3DKey, name, row, row.d3d);
        }
    }

    static int cases, mismatches;
};
int StoredValueMatrix::cases = 0;
int StoredValueMatrix::mismatches = 0;

// One suite each, so each gets its own time limit.
using StoredProfileValues = StoredValueMatrix;
using StoredSwitchValues = StoredValueMatrix;
using StoredVCacheKeys = StoredValueMatrix;
using StoredTemplateValues = StoredValueMatrix;

void PrintCount(const char* what, int cases, int mismatches)
{
    std::printf("stored-value matrix %s: %d cases, %d mismatches, 0 crashes\n", what, cases, mismatches);
}
} // namespace

TEST_F(StoredProfileValues, EveryShape)
{
    cases = mismatches = 0;
    const auto gamma = Rows(GammaOf, GammaRanges, std::size(GammaRanges));
    for (const char* name : {"SSTV2_RGAMMA", "SSTV2_GGAMMA", "SSTV2_BGAMMA"})
        CheckBoth(name, gamma);
    const auto refresh = Rows(RefreshOf, RefreshRanges, std::size(RefreshRanges));
    for (const char* r : {"512x384", "640x400", "640x480", "800x600", "1024x768"})
        CheckBoth(std::string("SSTV2_REFRESH_") + r, refresh);
    CheckBoth("SSTV2_GRXCLK", Rows(ClockOf, ClockRanges, std::size(ClockRanges)));
    PrintCount("profile values", cases, mismatches);
}

TEST_F(StoredSwitchValues, EveryShape)
{
    cases = mismatches = 0;
    for (const TData& row : GlideSwitches) {
        for (const Row& r : SwitchRows(row.Value))
            Check(GlideKey, row.Name, r, r.glide);
    }
    for (const TData& row : D3DSwitches) {
        for (const Row& r : SwitchRows(row.Value))
            Check(D3DKey, row.Name, r, r.d3d);
    }
    PrintCount("switch values", cases, mismatches);
}

TEST_F(StoredVCacheKeys, EveryShape)
{
    cases = mismatches = 0;
    for (const char* key : {"minfilecache", "maxfilecache", "chunksize"}) {
        for (size_t i = 0; i <= std::size(VCacheRows); ++i) {
            const bool huge = i == std::size(VCacheRows);
            SCOPED_TRACE(std::string(key) + " stored as " + (huge ? "1 MiB" : VCacheRows[i].what));
            ++cases;
            TearDown();
            SetUp();
            Baseline();
            const char* text = huge ? Huge.c_str() : VCacheRows[i].text;
            WritePrivateProfileStringA("vcache", key, text, "system.ini");
            const std::vector<std::string> seen = StartAndSave();
            char after[64] = {};
            GetPrivateProfileStringA("vcache", key, "<none>", after, sizeof after, "system.ini");
            const std::string wanted = huge ? "0" : VCacheRows[i].saved;
            EXPECT_TRUE(seen.empty());
            EXPECT_EQ(after, wanted);
            mismatches += seen.empty() && after == wanted ? 0 : 1;
        }
    }
    PrintCount("[vcache] keys", cases, mismatches);
}

TEST_F(StoredTemplateValues, EveryShape)
{
    cases = mismatches = 0;
    const auto rows = Rows(TemplateOf, TemplateRanges, std::size(TemplateRanges));
    for (const char* name : {"PathCache", "NameCache"}) {
        for (const Row& r : rows)
            Check(TemplateKey, name, r, r.glide);
    }
    PrintCount("template values", cases, mismatches);
}
