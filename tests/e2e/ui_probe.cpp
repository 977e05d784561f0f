#include "tests/e2e/ui_probe.h"
#include "tests/e2e/checks.h"
#include <commctrl.h>

namespace e2e {

namespace {
struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND hwnd, LPARAM lp)
{
    auto& s = *reinterpret_cast<IdSearch*>(lp);
    if (GetDlgCtrlID(hwnd) != s.id)
        return TRUE;
    s.found = hwnd;
    return FALSE;
}
} // namespace

HWND ChildById(HWND root, int id)
{
    IdSearch search{id, nullptr};
    EnumChildWindows(root, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND hwnd)
{
    wchar_t text[1024] = {};
    GetWindowTextW(hwnd, text, 1024);
    return text;
}

std::string AnsiTextOf(HWND hwnd)
{
    char text[1024] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string ClassOf(HWND hwnd)
{
    char name[128] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

SIZE ClientSize(HWND hwnd)
{
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

RECT ClientRectOnScreen(HWND hwnd)
{
    RECT rc{};
    GetClientRect(hwnd, &rc);
    MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

POINT CentreOf(HWND hwnd)
{
    const SIZE size = ClientSize(hwnd);
    return POINT{size.cx / 2, size.cy / 2};
}

HWND FocusOf(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

LRESULT Ask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool* answered, UINT timeoutMs)
{
    DWORD_PTR result = 0;
    // Not SMTO_ABORTIFHUNG: a program that is busy for a few seconds (as it
    // is under emulation, with other tests beside it) counts as hung, and
    // the question would fail at once instead of waiting for the answer.
    const bool ok = SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, timeoutMs, &result) != 0;
    if (answered)
        *answered = ok;
    return static_cast<LRESULT>(result);
}

namespace {
// A few bytes in another process, for messages whose answer goes through a
// pointer: those are not carried across processes.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size)
        : process_(process), at_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBuffer() { if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* at() const { return static_cast<char*>(at_); }
    bool Write(size_t offset, const void* data, size_t size) const
    {
        return WriteProcessMemory(process_, at() + offset, data, size, nullptr) != FALSE;
    }
    bool Read(size_t offset, void* data, size_t size) const
    {
        return ReadProcessMemory(process_, at() + offset, data, size, nullptr) != FALSE;
    }

private:
    HANDLE process_;
    void* at_;
};
} // namespace

std::wstring TabCaption(HANDLE process, HWND tabs, int index)
{
    constexpr int Chars = 128;
    RemoteBuffer buffer(process, sizeof(TCITEMW) + Chars * sizeof(wchar_t));
    if (!buffer.at())
        return L"<no remote buffer>";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(buffer.at() + sizeof item);
    item.cchTextMax = Chars;
    wchar_t text[Chars] = {};
    buffer.Write(0, &item, sizeof item);
    buffer.Write(sizeof item, text, sizeof text);
    bool answered = false;
    Ask(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(buffer.at()), &answered);
    if (!answered || !buffer.Read(sizeof item, text, sizeof text - sizeof(wchar_t)))
        return L"<no answer>";
    return text;
}

RECT TabItemRect(HANDLE process, HWND tabs, int index)
{
    RECT rc{};
    RemoteBuffer buffer(process, sizeof rc);
    if (buffer.at() && Ask(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(buffer.at())))
        buffer.Read(0, &rc, sizeof rc);
    return rc;
}

std::wstring ToolTipText(HANDLE process, HWND tips, HWND owner, HWND tool)
{
    constexpr int Chars = 256;
    RemoteBuffer buffer(process, sizeof(TOOLINFOW) + Chars * sizeof(wchar_t));
    if (!buffer.at())
        return L"<no remote buffer>";
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = reinterpret_cast<wchar_t*>(buffer.at() + sizeof info);
    wchar_t text[Chars] = {};
    buffer.Write(0, &info, sizeof info);
    buffer.Write(sizeof info, text, sizeof text);
    bool answered = false;
    Ask(tips, TTM_GETTEXTW, Chars, reinterpret_cast<LPARAM>(buffer.at()), &answered);
    if (!answered || !buffer.Read(sizeof info, text, sizeof text - sizeof(wchar_t)))
        return L"<no answer>";
    return text;
}

MessageBoxView ReadMessageBox(HWND box)
{
    MessageBoxView view;
    view.caption = TextOf(box);
    if (HWND text = GetDlgItem(box, 0xFFFF)) {
        view.text = TextOf(text);
        view.textBytes = AnsiTextOf(text);
    }
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        const std::string cls = ClassOf(child);
        if (lstrcmpiA(cls.c_str(), "Button") == 0) {
            view.buttonIds.push_back(GetDlgCtrlID(child));
            view.buttonTexts.push_back(TextOf(child));
        } else if (lstrcmpiA(cls.c_str(), "Static") == 0 &&
                   (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                   Ask(child, STM_GETICON, 0, 0) != 0) {
            view.icon = true;
        }
    }
    return view;
}

std::string Describe(const MessageBoxView& box)
{
    std::string out = "\"" + Utf8(box.caption) + "\": \"" + Utf8(box.text) + "\" [";
    for (const auto& text : box.buttonTexts)
        out += " " + Utf8(text);
    return out + " ]" + (box.icon ? " with icon" : "");
}

std::vector<uint32_t> GrabScreen(const RECT& rect)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + static_cast<size_t>(w) * h);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (auto& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

size_t CountNonBlack(const std::vector<uint32_t>& pixels)
{
    size_t n = 0;
    for (uint32_t p : pixels)
        n += p != 0;
    return n;
}

} // namespace e2e
