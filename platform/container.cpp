#include "platform/container.h"
#include "platform/child_id.h"
#include "platform/handles.h"
#include <utility>
#include <vector>

const char* const ContainerClassName = "TarnwickContainer";
const char* const PaintBoxClassName = "TarnwickPaintBox";

namespace {

struct ContainerData {
    ContainerLook look;
    std::vector<PaintedFrame> frames;
};

bool IsForwarded(UINT msg)
{
    switch (msg) {
    case WM_COMMAND: case WM_NOTIFY: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: case WM_DRAWITEM: case WM_MEASUREITEM:
        return true;
    default:
        return false;
    }
}

// The top-level window that holds a child, or the window itself when it is
// top-level: what GetAncestor(GA_ROOT) gives, which Windows 95 lacks.
HWND TopLevelWindow(HWND hwnd)
{
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = GetParent(hwnd);
    return hwnd;
}

void PaintGroupFrame(HWND hwnd, HDC dc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    char caption[256] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    ScopedSelectObject font(dc, ProgramFont());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT frame = rc;
    frame.top += tm.tmHeight / 2 - 1;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (caption[0] != '\0') {
        RECT text{8, 0, rc.right - 8, tm.tmHeight};
        DrawTextA(dc, caption, -1, &text, DT_SINGLELINE | DT_CALCRECT);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkMode(dc, OPAQUE);
        DrawTextA(dc, caption, -1, &text, DT_SINGLELINE);
    }
}

void PaintContainer(HWND hwnd, const ContainerData& data)
{
    ScopedPaint paint(hwnd);
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (data.look == ContainerLook::LoweredBevel)
        DrawEdge(paint.dc(), &rc, BDR_SUNKENOUTER, BF_RECT);
    else if (data.look == ContainerLook::GroupBox)
        PaintGroupFrame(hwnd, paint.dc());
    for (const PaintedFrame& f : data.frames) {
        RECT r = f.rect;
        DrawEdge(paint.dc(), &r, EDGE_ETCHED, BF_RECT);
    }
}

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* data = reinterpret_cast<ContainerData*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    LRESULT forwarded = 0;
    switch (msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto look = static_cast<ContainerLook>(reinterpret_cast<INT_PTR>(cs->lpCreateParams));
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ContainerData{look, {}}));
        break;
    }
    case WM_NCDESTROY:
        delete data;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    case WM_PAINT:
        if (data) {
            PaintContainer(hwnd, *data);
            return 0;
        }
        break;
    case WM_SETTEXT:
        if (data && data->look == ContainerLook::GroupBox)
            InvalidateRect(hwnd, nullptr, TRUE);
        break;
    default:
        if (ForwardToTopLevel(hwnd, msg, wp, lp, forwarded))
            return forwarded;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PaintBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        ScopedPaint paint(hwnd);
        HWND root = TopLevelWindow(hwnd);
        if (root && root != hwnd)
            SendMessageA(root, WM_APP_PAINTBOX, reinterpret_cast<WPARAM>(hwnd),
                         reinterpret_cast<LPARAM>(paint.dc()));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

void RegisterContainerClasses(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ContainerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ContainerClassName;
    RegisterClassA(&wc);

    wc.lpfnWndProc = PaintBoxProc;
    wc.lpszClassName = PaintBoxClassName;
    RegisterClassA(&wc);
}

HWND CreateContainer(HWND parent, int id, ContainerLook look, const char* caption,
                     int x, int y, int w, int h, DWORD extraStyle)
{
    return CreateWindowExA(WS_EX_CONTROLPARENT, ContainerClassName, caption,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | extraStyle, x, y, w, h, parent,
                           ChildId(id),
                           GetModuleHandleA(nullptr),
                           reinterpret_cast<LPVOID>(static_cast<INT_PTR>(look)));
}

HWND CreatePaintBox(HWND parent, int id, int x, int y, int w, int h)
{
    return CreateWindowExA(0, PaintBoxClassName, "", WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                           ChildId(id),
                           GetModuleHandleA(nullptr), nullptr);
}

void AddPaintedFrame(HWND container, const RECT& rect)
{
    auto* data = reinterpret_cast<ContainerData*>(GetWindowLongPtrA(container, GWLP_USERDATA));
    if (data)
        data->frames.push_back(PaintedFrame{rect});
}

bool ForwardToTopLevel(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (!IsForwarded(msg))
        return false;
    HWND root = TopLevelWindow(hwnd);
    if (!root || root == hwnd)
        return false;
    result = SendMessageA(root, msg, wp, lp);
    return true;
}

namespace {
const char* const ProgramFontFace = "MS Sans Serif";
FontFaceQuery g_fontFaceQuery = nullptr;

int CALLBACK FaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

bool SystemHasFace(const char* face, BYTE charset)
{
    LOGFONTA wanted{};
    wanted.lfCharSet = charset;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    ScopedGetDC screen(nullptr);
    EnumFontFamiliesExA(screen.get(), &wanted, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}
} // namespace

FontFaceQuery SetFontFaceQuery(FontFaceQuery query) { return std::exchange(g_fontFaceQuery, query); }

BYTE ProgramFontCharset()
{
    const FontFaceQuery hasFace = g_fontFaceQuery ? g_fontFaceQuery : SystemHasFace;
    return hasFace(ProgramFontFace, EASTEUROPE_CHARSET) ? EASTEUROPE_CHARSET : DEFAULT_CHARSET;
}

HFONT CreateProgramFont()
{
    return CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ProgramFontCharset(),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, ProgramFontFace);
}

HFONT ProgramFont()
{
    static UniqueGdi<HFONT> font(CreateProgramFont());
    return font.get();
}
