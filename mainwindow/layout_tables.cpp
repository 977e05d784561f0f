// Pixel layout of the main window, page by page. Texts are the program's
// own (UTF-8 here, Windows-1250 in the exe).
#include "mainwindow/layout.h"
#include "mainwindow/control_ids.h"

namespace {
using K = ItemKind;
constexpr int NoTab = -1;

constexpr LayoutItem Frame[] = {
    {id::PageControl1, K::PageTabs, 0, 0, 0, 464, 259, "", 0, 0, None},
    {id::TabSheet1, K::Page, id::PageControl1, 4, 24, 456, 231, "Infó", 0, NoTab, None},
    {id::TabSheet2, K::Page, id::PageControl1, 4, 24, 456, 231, "Alapok", 0, NoTab, None},
    {id::TabSheet3, K::Page, id::PageControl1, 4, 24, 456, 231, "Tuning - kezdőknek", 0, NoTab, None},
    {id::TabSheet4, K::Page, id::PageControl1, 4, 24, 456, 231, "Cache", 0, NoTab, None},
    {id::TabSheet5, K::Page, id::PageControl1, 4, 24, 456, 231, "Tuning - csak profiknak!", 0, NoTab, None},
    {id::Panel3, K::Panel, 0, 0, 259, 464, 35, "", 0, 1, None},
    {id::Panel2, K::BevelPanel, id::Panel3, 307, 4, 153, 27, "", 0, 0, None},
    {id::Button1, K::DefaultButton, id::Panel2, 1, 1, 75, 25, "OK", 0, 0, None},
    {id::Button2, K::Button, id::Panel2, 77, 1, 75, 25, "Mégsem", 0, 1, None},
};

constexpr LayoutItem Info[] = {
    {id::Panel1, K::BevelPanel, id::TabSheet1, 8, 8, 120, 90, "", 0, 0, None},
    {id::ani, K::Animate, id::Panel1, 2, 2, 116, 86, "", 0, NoTab, None},
    {id::PaintBox1, K::PaintBox, id::TabSheet1, 132, 8, 288, 112, "", 0, NoTab, None},
    {id::Label10, K::Label, id::TabSheet1, 4, 152, 0, 0,
     "A Tarnwick szabadon terjeszthető.", 0, NoTab, None},
    {id::Label12, K::LabelWrap, id::TabSheet1, 4, 168, 441, 33,
     "A program használatából eredő hibákért és károkért a szerző nem vállal felelősséget; "
     "a felsorolt paramétereket mindenki a saját felelősségére változtatja meg.",
     0, NoTab, None},
};

constexpr const char* ClockNote =
    "Az órajelnél a 90Hz az alapértelmezés. 90Hz-ig valőszínűleg elég a hűtőborda, amt a "
    "kártyára szereltek(Ha szereltek), viszont 90-100 Hz felett ajánlott egy erőteljes "
    "ventillátor beszerelése, különben meglepetések fognak érni!";

constexpr LayoutItem Basics[] = {
    {id::Selector, K::FlatTabs, id::TabSheet2, 0, 0, 456, 231, "", 0, 0, None},
    {id::GroupBox7, K::GroupBox, id::Selector, 4, 24, 137, 141, "Képfrissítés", 0, 2, None},
    {id::Label2, K::Label, id::GroupBox7, 8, 20, 41, 13, "512x384", 0, NoTab, None},
    {id::Label19, K::Label, id::GroupBox7, 8, 44, 41, 13, "640x400", 0, NoTab, None},
    {id::Label20, K::Label, id::GroupBox7, 8, 68, 41, 13, "640x480", 0, NoTab, None},
    {id::Label21, K::Label, id::GroupBox7, 8, 92, 41, 13, "800x600", 0, NoTab, None},
    {id::Label22, K::Label, id::GroupBox7, 4, 116, 47, 13, "1024x768", 0, NoTab, None},
    {id::Refrrate512x384, K::RefreshList, id::GroupBox7, 56, 16, 73, 21, "", 1, 0, None},
    {id::Refrrate640x400, K::RefreshList, id::GroupBox7, 56, 40, 73, 21, "", 2, 1, None},
    {id::Refrrate640x480, K::RefreshList, id::GroupBox7, 56, 64, 73, 21, "", 3, 2, None},
    {id::Refrrate800x600, K::RefreshList, id::GroupBox7, 56, 88, 73, 21, "", 4, 3, None},
    {id::Refrrate1024x768, K::RefreshList, id::GroupBox7, 56, 112, 73, 21, "", 5, 4, None},
    {id::GroupBox2, K::GroupBox, id::Selector, 148, 24, 201, 141, "Gamma korrekció", 0, 0, None},
    {id::Label4, K::Label, id::GroupBox2, 8, 28, 26, 13, "Piros:", 0, NoTab, None},
    {id::lred, K::LabelRight, id::GroupBox2, 156, 16, 33, 13, "", 0, NoTab, None},
    {id::TrRed, K::GammaSlider, id::GroupBox2, 35, 28, 162, 21, "", 1, 0, None},
    {id::Label6, K::Label, id::GroupBox2, 8, 64, 19, 13, "Kék", 0, NoTab, None},
    {id::lblue, K::LabelRight, id::GroupBox2, 148, 52, 41, 13, "", 0, NoTab, None},
    {id::TrBlue, K::GammaSlider, id::GroupBox2, 35, 64, 162, 21, "", 2, 1, None},
    {id::Label16, K::Label, id::GroupBox2, 8, 100, 24, 13, "Zöld:", 0, NoTab, None},
    {id::lgreen, K::LabelRight, id::GroupBox2, 144, 88, 45, 13, "", 0, NoTab, None},
    {id::TrGreen, K::GammaSlider, id::GroupBox2, 35, 100, 162, 21, "", 3, 2, None},
    {id::LinkSl, K::CheckBox, id::GroupBox2, 84, 120, 109, 17, "Azonos az összes", 0, 3, None},
    {id::lclock, K::GroupBox, id::Selector, 8, 168, 237, 53, "Órajel - %d Hz", 0, 1, None},
    {id::Label1, K::Label, id::lclock, 4, 22, 12, 13, "50", 0, NoTab, None},
    {id::ClockSpeed, K::ClockSlider, id::lclock, 20, 12, 185, 37, "", 0, 0, None},
    {id::Label5, K::Label, id::lclock, 208, 24, 18, 13, "120", 0, NoTab, None},
    {id::Button4, K::Button, id::Selector, 252, 172, 85, 49, "Gyári érték", 0, 3, None},
    {id::Label3, K::LabelWrap, id::Selector, 356, 28, 93, 197, ClockNote, 0, NoTab, None},
};

#define BOX(n, parent, x, y, w, text, tab) \
    {id::gcb(n), K::CheckBox, parent, x, y, w, 17, text, 0, tab, None}
#define DBOX(n, parent, x, y, w, text, tab) \
    {id::dcb(n), K::CheckBox, parent, x, y, w, 17, text, 0, tab, None}

constexpr LayoutItem Beginners[] = {
    {id::GroupBox1, K::GroupBox, id::TabSheet3, 4, 8, 437, 93, "Glide", 0, 0, None},
    {id::GroupBox4, K::GroupBox, id::TabSheet3, 4, 104, 437, 93, "Direct3D", 0, 1, None},
    BOX(1, id::GroupBox1, 8, 16, 169, "Animált 3dfx logó kikapcsolása", 0),
    BOX(2, id::GroupBox1, 8, 32, 121, "VSync kikapcsolása", 1),
    BOX(3, id::GroupBox1, 8, 48, 69, "SLI tiltása", 2),
    BOX(4, id::GroupBox1, 212, 16, 177, "Mipmap dithering engedélyezése", 3),
    BOX(5, id::GroupBox1, 212, 32, 209, "2Mb memória használata a textúrákhoz", 4),
    BOX(6, id::GroupBox1, 212, 48, 193, "Triple color buffering engedélyezése", 5),
    DBOX(1, id::GroupBox4, 8, 16, 121, "VSync kikapcsolása", 0),
    DBOX(2, id::GroupBox4, 8, 32, 185, "Éllekerekítés (antialias) használata", 1),
    DBOX(3, id::GroupBox4, 8, 48, 73, "SLI tiltása", 2),
    DBOX(4, id::GroupBox4, 212, 16, 185, "Trilinear texture filtering használata ", 3),
    DBOX(5, id::GroupBox4, 212, 32, 193, "Autotmatikus mipmapping használata", 4),
};

// The professionals' page: the same ten switches for each API, side by side.
#define PRO_ROW(g, d, y, w, text, tab) \
    BOX(g, id::GroupBox5, 8, y, w, text, tab), DBOX(d, id::GroupBox6, 8, y, w, text, tab)

constexpr LayoutItem Professionals[] = {
    {id::GroupBox5, K::GroupBox, id::TabSheet5, 4, 8, 217, 185, "Glide", 0, 0, None},
    {id::GroupBox6, K::GroupBox, id::TabSheet5, 228, 8, 217, 185, "Direct3D", 0, 1, None},
    PRO_ROW(7, 6, 16, 85, "Slight blurring", 7),
    PRO_ROW(8, 7, 32, 101, "Weird light effect", 8),
    PRO_ROW(9, 8, 48, 97, "Shameless plug", 9),
    PRO_ROW(10, 9, 68, 137, "VGA passthrough mode", 0),
    PRO_ROW(11, 10, 84, 97, "Slow PCI writes", 1),
    PRO_ROW(12, 11, 100, 97, "Fast PCI reads", 2),
    PRO_ROW(13, 12, 116, 177, "Slow write-to-read memory timing", 3),
    PRO_ROW(14, 13, 132, 177, "Slow read-to-write memory timing", 4),
    PRO_ROW(15, 14, 148, 161, "Fast RAS read memory timing", 5),
    PRO_ROW(16, 15, 164, 117, "Disable video timing", 6),
};

constexpr LayoutItem Cache[] = {
    {id::pvir, K::PaintBox, id::TabSheet4, 12, 8, 32, 32, "", 0, NoTab, None},
    {id::Bevel1, K::BevelFrame, id::TabSheet4, 8, 8, 433, 81, "", 0, NoTab, None},
    {id::Label8, K::Label, id::TabSheet4, 48, 20, 0, 0, "Virtuális memória", 0, NoTab, None},
    {id::pbVirtual, K::ProgressBar, id::TabSheet4, 132, 22, 301, 9, "", 0, 0, None},
    {id::LVirt, K::Label, id::TabSheet4, 104, 36, 0, 0, "LVirt", 0, NoTab, None},
    {id::pfiz, K::PaintBox, id::TabSheet4, 12, 48, 32, 32, "", 1, NoTab, None},
    {id::Label9, K::Label, id::TabSheet4, 48, 56, 0, 0, "Fizikai memória", 0, NoTab, None},
    {id::pbFiz, K::ProgressBar, id::TabSheet4, 132, 58, 301, 9, "", 0, 1, None},
    {id::LFiz, K::Label, id::TabSheet4, 104, 72, 0, 0, "LFiz", 0, NoTab, None},
    {id::EnableDisk, K::CheckBox, id::TabSheet4, 8, 96, 141, 17, "Gyorsítótár használata", 0, 4, None},
    {id::DiskCacBox, K::GroupBox, id::TabSheet4, 4, 112, 225, 89, "", 0, 3, Disabled},
    {id::Label7, K::Label, id::DiskCacBox, 8, 16, 0, 0, "A gyorsítótár min. mérete (kbájt)", 0, NoTab, None},
    {id::camin, K::NumberField, id::DiskCacBox, 164, 11, 53, 22, "0", 0, 0, None},
    {id::Label13, K::Label, id::DiskCacBox, 8, 40, 0, 0, "A gyorsítótár max. mérete (kbájt)", 0, NoTab, None},
    {id::camax, K::NumberField, id::DiskCacBox, 164, 35, 53, 22, "0", 0, 1, None},
    {id::Label14, K::Label, id::DiskCacBox, 8, 64, 0, 0, "Chunk méret (kbájt)", 0, NoTab, None},
    {id::cachunk, K::NumberField, id::DiskCacBox, 164, 59, 53, 22, "0", 0, 2, None},
    {id::EnableFile, K::CheckBox, id::TabSheet4, 236, 96, 137, 17, "Fájlrendszer gyorsítása", 0, 5, None},
    {id::FilCacBox, K::GroupBox, id::TabSheet4, 236, 112, 213, 89, "", 0, 6, Disabled},
    {id::Label15, K::Label, id::FilCacBox, 8, 16, 0, 0, "Könyvtánevek száma (darab)", 0, NoTab, None},
    {id::cadir, K::NumberField, id::FilCacBox, 152, 11, 53, 22, "0", 0, 0, None},
    {id::Label18, K::Label, id::FilCacBox, 8, 36, 0, 0, "Fájlnevek száma (darab)", 0, NoTab, None},
    {id::cafil, K::NumberField, id::FilCacBox, 152, 35, 53, 22, "0", 0, 1, None},
    {id::Label11, K::LabelWrap, id::TabSheet4, 8, 204, 293, 26,
     "Az itt végzett változtatások csak a Windows újraindítása után lépnek életbe!", 0, NoTab, None},
    {id::Button3, K::Button, id::TabSheet4, 316, 204, 131, 25, "A Windows újraindítása", 0, 2, None},
};

template <size_t N>
constexpr LayoutTable TableOf(const LayoutItem (&items)[N]) { return LayoutTable{items, N}; }
} // namespace

const LayoutTable FrameLayout = TableOf(Frame);
const LayoutTable InfoPageLayout = TableOf(Info);
const LayoutTable BasicsPageLayout = TableOf(Basics);
const LayoutTable BeginnersPageLayout = TableOf(Beginners);
const LayoutTable CachePageLayout = TableOf(Cache);
const LayoutTable ProfessionalsPageLayout = TableOf(Professionals);

const LayoutTable* const AllLayouts[6] = {
    &FrameLayout, &InfoPageLayout, &BasicsPageLayout,
    &BeginnersPageLayout, &CachePageLayout, &ProfessionalsPageLayout,
};

const char* const RefreshItems[3] = {"60 Hz", "75 Hz", "85 Hz"};
