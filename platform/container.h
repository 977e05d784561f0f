#pragma once
// Window classes of our own for the windows that hold other controls
// (pages, panels, group boxes) and for paint boxes. Containers pass their
// children's notifications on to the top-level window, so one window
// procedure sees every control's events however deep it is placed.
#include <windows.h>

enum class ContainerLook {
    Plain,          // a page, the bottom bar
    LoweredBevel,   // a panel with a one-pixel sunken outer edge
    GroupBox,       // an etched frame with the caption at its top left
};

// A painted (windowless) frame drawn by its container, like a bevel.
struct PaintedFrame {
    RECT rect;
};

// Sent by a paint box to its top-level window while it paints:
// wParam = the paint box's HWND, lParam = the HDC to draw on.
constexpr UINT WM_APP_PAINTBOX = WM_APP + 1;

void RegisterContainerClasses(HINSTANCE instance);
HWND CreateContainer(HWND parent, int id, ContainerLook look, const char* caption,
                     int x, int y, int w, int h, DWORD extraStyle = 0);
HWND CreatePaintBox(HWND parent, int id, int x, int y, int w, int h);
void AddPaintedFrame(HWND container, const RECT& rect);

// Passes a notification a window hears from its children (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR* and the like) on to the top-level window above
// it. False for other messages, and when hwnd is itself top-level.
bool ForwardToTopLevel(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

// The font every window of the program uses: "MS Sans Serif", height -11,
// made once.
HFONT ProgramFont();

// Windows 9x draws an "A" text in the character set of the font, not the
// code page of the system: the program's Windows-1250 bytes would show "õ"
// for "ő" in a Western font. So the font asks for the Central European set
// where the system has "MS Sans Serif" in it, and for the default set (the
// system's own) where it has not.
BYTE ProgramFontCharset();
HFONT CreateProgramFont();  // a new one, owned by the caller

// Test seam: whether the system has a font face in a character set; null
// puts back the answer of the system's font list.
using FontFaceQuery = bool (*)(const char* face, BYTE charset);
FontFaceQuery SetFontFaceQuery(FontFaceQuery query);
