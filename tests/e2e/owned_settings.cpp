#include "tests/e2e/owned_settings.h"
#include "tests/e2e/checks.h"

namespace e2e {
namespace {

struct Row {
    unsigned group;
    const char* key;
    const char* name;
    reg::Value stored, saved;
};

// A value read well is saved in the program's own form ("1.30" as "1.3");
// one the program cannot take as its number ("1,1", a REG_DWORD gamma,
// "60 Hz") stays as stored, since nobody changed it. Switches: a Glide one
// shows on while its value exists, whatever it holds; a Direct3D one while
// it holds the row's text (a REG_DWORD compares as its decimal text, other
// types never match). A box nobody clicks leaves its value as stored.
std::vector<Row> OwnedRows()
{
    const reg::Value none = Absent();
    const char* const G = GlideKey;
    const char* const D = D3DKey;
    return {
        {GammaGroup, G, "SSTV2_RGAMMA", Text("1.30"), Text("1.3")},
        {GammaGroup, G, "SSTV2_GGAMMA", Dword(2), Dword(2)},
        {GammaGroup, G, "SSTV2_BGAMMA", Text("1.2", REG_EXPAND_SZ), Text("1.2")},
        {GammaGroup, D, "SSTV2_RGAMMA", Text("1.10"), Text("1.1")},
        {GammaGroup, D, "SSTV2_GGAMMA", Text("1,1"), Text("1,1")},
        {GammaGroup, D, "SSTV2_BGAMMA", Text("1.050"), Text("1.05")},
        {RefreshGroup, G, "SSTV2_REFRESH_512x384", Text("060"), Text("60")},
        {RefreshGroup, G, "SSTV2_REFRESH_640x400", Text("0x4B"), Text("75")},
        {RefreshGroup, G, "SSTV2_REFRESH_640x480", Text("85"), Text("85")},
        {RefreshGroup, G, "SSTV2_REFRESH_800x600", Text("75"), Text("75")},
        {RefreshGroup, G, "SSTV2_REFRESH_1024x768", Text("60 Hz"), Text("60 Hz")},
        {RefreshGroup, D, "SSTV2_REFRESH_512x384", Text("+60"), Text("60")},
        {RefreshGroup, D, "SSTV2_REFRESH_640x400", Dword(60), Dword(60)},
        {RefreshGroup, D, "SSTV2_REFRESH_640x480", Text(" 75"), Text("75")},
        {RefreshGroup, D, "SSTV2_REFRESH_800x600", Text("85"), Text("85")},
        {RefreshGroup, D, "SSTV2_REFRESH_1024x768", Text("75"), Text("75")},
        {GlideClockGroup, G, "SSTV2_GRXCLK", Text(" 95"), Text("95")},
        {D3DClockGroup, D, "SSTV2_GRXCLK", Dword(90), Text("90")},
        {SwitchGroup, G, "FX_GLIDE_NO_SPLASH", Text("1"), Text("1")},
        {SwitchGroup, G, "FX_GLIDE_SWAPINTERVAL", Text("0"), Text("0")},
        {SwitchGroup, G, "SSTV2_SLIDETECT", none, none},
        {SwitchGroup, G, "FX_GLIDE_LOD_DITHER", none, none},
        {SwitchGroup, G, "SSTV2_TMU_MEMSIZE", Text("2"), Text("2")},
        {SwitchGroup, G, "FX_GLIDE_ALLOC_COLOR", Text("7"), Text("7")},
        {SwitchGroup, G, "SSTV2_VIDEO_FILTER_THRESHOLD", none, none},
        {SwitchGroup, G, "SSTV2_BACKPORCH", none, none},
        {SwitchGroup, G, "FX_GLIDE_SHAMELESS_PLUG", none, none},
        {SwitchGroup, G, "SSTV2_VGA_PASS", Dword(0), Dword(0)},
        {SwitchGroup, G, "SSTV2_SLOWPCIWR", none, none},
        {SwitchGroup, G, "SSTV2_FASTPCIRD", none, none},
        {SwitchGroup, G, "SSTV2_SLOWMEM_WTR", none, none},
        {SwitchGroup, G, "SSTV2_SLOWMEM_RTW", none, none},
        {SwitchGroup, G, "SSTV2_FASTMEM_RAS_READS", none, none},
        {SwitchGroup, G, "SSTV2_VIDEO_DISABLE", none, none},
        {SwitchGroup, D, "FX_GLIDE_SWAPINTERVAL", Text("0"), Text("0")},
        {SwitchGroup, D, "SSTV2_ANTIALIAS", Text("0"), Text("0")},
        {SwitchGroup, D, "SSTV2_SLIDETECT", none, none},
        {SwitchGroup, D, "SSTV2_FORCE_TRILINEAR", Text("1"), Text("1")},
        {SwitchGroup, D, "SSTV2_AUTOMIPMAP", Dword(1), Dword(1)},
        {SwitchGroup, D, "SSTV2_VIDEO_FILTER_THRESHOLD", Dword(0xFFFF), Dword(0xFFFF)},
        {SwitchGroup, D, "SSTV2_BACKPORCH", Binary({0x31, 0}), Binary({0x31, 0})},
        {SwitchGroup, D, "FX_GLIDE_SHAMELESS_PLUG", Text("1", REG_EXPAND_SZ), Text("1", REG_EXPAND_SZ)},
        {SwitchGroup, D, "SSTV2_VGA_PASS", none, none},
        {SwitchGroup, D, "SSTV2_SLOWPCIWR", none, none},
        {SwitchGroup, D, "SSTV2_FASTPCIRD", Text("0"), Text("0")},
        {SwitchGroup, D, "SSTV2_SLOWMEM_WTR", none, none},
        {SwitchGroup, D, "SSTV2_SLOWMEM_RTW", none, none},
        {SwitchGroup, D, "SSTV2_FASTMEM_RAS_READS", none, none},
        {SwitchGroup, D, "SSTV2_VIDEO_DISABLE", none, none},
        {CacheGroup, TemplatesKey, "", Text("tarnwick"), Text("tarnwick")},
        {CacheGroup, TemplateKey, "PathCache", Binary({0x40, 0}), Binary({0x40, 0, 0, 0})},
        {CacheGroup, TemplateKey, "NameCache", Binary({0xA9, 0x0A, 0, 0}), Binary({0xA9, 0x0A, 0, 0})},
    };
}

std::vector<Change> ForeignValues()
{
    return {
        {VoodooKey, "InstallDir", Text("C:\\DRIVERS")},
        {GlideKey, "MY_OWN_SETTING", Text("keep me")},
        {D3DKey, "SSTV2_GAMMA_TABLE", Binary({1, 2, 3})},
        {D3DKey, "FX_CPU", Dword(7)},
        {std::string(VoodooKey) + "\\Extra", "Note", Text("x")},
        {"SOFTWARE\\3dfx Interactive\\Other card", "Gamma", Text("1.0")},
        {std::string(TemplatesKey) + "\\Desktop", "PathCache", Binary({0x10, 0, 0, 0})},
        {TemplateKey, "Other", Binary({1, 2})},
    };
}

// [vcache] as arranged: names and values as the profile functions read them,
// then as a save writes them.
const char* const VCacheArranged =
    "[vcache]\r\nminfilecache=0x1000\r\nmaxfilecache=32768\r\nchunksize= 512\r\nforeignkey=keep\r\n";
const std::map<std::string, std::string> VCacheSaved = {
    {"minfilecache", "4096"}, {"maxfilecache", "32768"}, {"chunksize", "512"}, {"foreignkey", "keep"}};

std::string g_arrangedIni;

std::string WithoutVCache(const std::string& ini)
{
    const size_t at = ini.find("[vcache]");
    if (at == std::string::npos)
        return ini;
    const size_t next = ini.find("\n[", at);
    return ini.substr(0, at) + (next == std::string::npos ? "" : ini.substr(next + 1));
}

reg::Value ArrangedForm(const Row& row, const std::vector<Change>& changes)
{
    for (const auto& c : changes)
        if (c.key == row.key && c.name == row.name)
            return c.value;
    return row.stored;
}

void CheckSystemIni(bool saved)
{
    const std::string now = ReadSystemIni();
    if (!saved) {
        Record(now == g_arrangedIni, "system.ini byte-identical", "now:\n" + now, __LINE__);
        return;
    }
    IniContent want = ParseIni(g_arrangedIni), got = ParseIni(now);
    want["vcache"] = VCacheSaved;
    for (const auto& section : want)
        for (const auto& key : section.second) {
            const auto s = got.find(section.first);
            const bool found = s != got.end() && s->second.count(key.first);
            CHECK_EQ(found ? s->second.at(key.first) : std::string("<absent>"), key.second,
                     "system.ini [" + section.first + "] " + key.first);
        }
    CHECK_EQ(static_cast<long long>(got["vcache"].size()), 4LL, "system.ini [vcache] holds four keys");
}

} // namespace

bool ArrangeSettings(const std::vector<Change>& changes)
{
    bool ok = true;
    for (const Row& row : OwnedRows())
        ok &= reg::Put(row.key, row.name, ArrangedForm(row, changes));
    for (const auto& list : {ForeignValues(), changes})
        for (const Change& c : list)
            ok &= reg::Put(c.key, c.name, c.value);
    g_arrangedIni = WithoutVCache(ReadSystemIni());
    if (!g_arrangedIni.empty() && g_arrangedIni.back() != '\n')
        g_arrangedIni += "\r\n";
    g_arrangedIni += VCacheArranged;
    ok &= WriteSystemIni(g_arrangedIni);
    return CHECK(ok, "settings arranged before the start");
}

void CheckSettings(unsigned saved, const std::vector<Change>& changes)
{
    for (const Row& row : OwnedRows())
        CHECK_STORED(row.key, row.name, (row.group & saved) ? row.saved : ArrangedForm(row, changes));
    for (const auto& list : {ForeignValues(), changes})
        for (const Change& c : list) {
            bool owned = false;
            for (const Row& row : OwnedRows())
                owned |= c.key == row.key && c.name == row.name;
            if (!owned)
                CHECK_STORED(c.key, c.name, c.value);
        }
    CheckSystemIni((saved & CacheGroup) != 0);
}

} // namespace e2e
