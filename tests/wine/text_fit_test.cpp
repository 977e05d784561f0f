// Captions measured in the font each control draws with, against the room
// the control gives them: text that does not fit is cut off on screen or
// runs under the field beside it.
#include "app_fixture.h"
#include "controls/number_field.h"
#include "mainwindow/control_ids.h"
#include "mainwindow/layout.h"
#include <string>

namespace {
// Windows draws a check box's square 13 pixels wide at 96 dpi and starts the
// text half a digit's width after it.
constexpr int CheckSquare = 13;

class TextFit : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        reg::SetString(GlideKey, "SSTV2_RGAMMA", "1");
        OpenForm();
    }
    HWND H(int controlId) { return Form().Find(controlId).Handle(); }

    // The width of text drawn in the control's own font.
    static int Width(HWND control, const std::string& text)
    {
        const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        EXPECT_TRUE(font) << "no font of its own: the control draws in the system font";
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        return size.cx;
    }
    static std::string TextOf(HWND control)
    {
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        return text;
    }
    static int ClientWidth(HWND control)
    {
        RECT r{};
        GetClientRect(control, &r);
        return r.right;
    }
    static int CheckBoxRoom(HWND box) { return ClientWidth(box) - CheckSquare - Width(box, "0") / 2; }
    // Left edge in the parent's client area.
    static int Left(HWND control)
    {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return r.left;
    }
};
} // namespace

// The measurements below mean something only in the font the program asks
// for; a prefix without Wine's bitmap fonts gives a wider outline font.
TEST_F(TextFit, ProgramFontIsTheBitmapMsSansSerif)
{
    HWND label = H(id::Label13);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof face, face);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    EXPECT_STREQ(face, "MS Sans Serif");
    EXPECT_FALSE(tm.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR)) << "an outline font, not the bitmap one";
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmCharSet, EASTEUROPE_CHARSET) << "the Hungarian letters need code page 1250";
}

// Labels sized to their text must end before the field on their row, and the
// number fields must show whole the values Windows 98 machines carry (the
// demo's cache sizes, the name cache of the server template).
TEST_F(TextFit, LabelsAndNumberFields)
{
    const struct { int control; int fieldOnRow; } labels[] = {
        {id::Label7, id::camin},
        {id::Label13, id::camax},
        {id::Label14, id::cachunk},
        {id::Label15, id::cadir},
        {id::Label18, id::cafil},
    };
    for (const auto& c : labels) {
        HWND label = H(c.control);
        SCOPED_TRACE(c.control);
        EXPECT_LE(Left(label) + Width(label, TextOf(label)), Left(H(c.fieldOnRow)));
    }
    const struct { int field; int32_t value; } fields[] = {
        {id::camin, 32768}, {id::camax, 32768}, {id::cachunk, 512}, {id::cadir, 64}, {id::cafil, 2729},
    };
    for (const auto& c : fields) {
        SCOPED_TRACE(c.value);
        Form().Get<NumberField>(c.field).SetValue(c.value);
        HWND edit = H(c.field);
        RECT text{};
        SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        EXPECT_LE(Width(edit, TextOf(edit)), text.right - text.left);
    }
}

// Every check box, and every label the layout gives a fixed width, holds its
// caption: the named ones are those with the least room to spare.
TEST_F(TextFit, CheckBoxesAndFixedLabels)
{
    const struct { int control; const char* text; } tightest[] = {
        {id::gcb(13), "Slow write-to-read memory timing"},
        {id::gcb(14), "Slow read-to-write memory timing"},
        {id::dcb(12), "Slow write-to-read memory timing"},
        {id::dcb(13), "Slow read-to-write memory timing"},
    };
    for (const auto& c : tightest) {
        HWND box = H(c.control);
        EXPECT_EQ(TextOf(box), c.text);
        EXPECT_LE(Width(box, c.text), CheckBoxRoom(box)) << c.text;
    }
    int checked = 0;
    for (const LayoutTable* table : AllLayouts) {
        for (size_t i = 0; i < table->count; ++i) {
            const LayoutItem& it = table->items[i];
            const bool fixedLabel = it.kind == ItemKind::Label && it.w > 0;
            if (it.kind != ItemKind::CheckBox && !fixedLabel)
                continue;
            HWND control = H(it.id);
            const std::string text = TextOf(control);
            const int room = it.kind == ItemKind::CheckBox ? CheckBoxRoom(control) : ClientWidth(control);
            EXPECT_LE(Width(control, text), room) << it.id << " " << text;
            ++checked;
        }
    }
    EXPECT_GE(checked, 40) << "the sweep must reach the pages' check boxes and labels";
}
