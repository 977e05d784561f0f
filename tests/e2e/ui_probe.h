#pragma once
// Reading another process's windows: texts, geometry, the tab strip, message
// boxes and what is on the screen.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// How long the program may take to answer a message or to show what an
// action did. Generous: under emulation, with other tests beside it, one
// step can take seconds, and a wait that succeeds ends at once anyway.
// Waits that expect nothing to happen keep their own short times.
constexpr int ReactMs = 15000;

HWND ChildById(HWND root, int id);  // any depth
std::wstring TextOf(HWND hwnd);
std::string AnsiTextOf(HWND hwnd);
std::string ClassOf(HWND hwnd);
SIZE ClientSize(HWND hwnd);
RECT ClientRectOnScreen(HWND hwnd);
POINT CentreOf(HWND hwnd);  // in the window's client coordinates
HWND FocusOf(DWORD threadId);

// SendMessageTimeout, ReactMs unless told; `answered` tells whether it replied.
LRESULT Ask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool* answered = nullptr, UINT timeoutMs = ReactMs);

// Tab strip items, read through a buffer in the owning process.
std::wstring TabCaption(HANDLE process, HWND tabs, int index);
RECT TabItemRect(HANDLE process, HWND tabs, int index);
// The hint text of the tool `tool` that `owner` registered with `tips`.
std::wstring ToolTipText(HANDLE process, HWND tips, HWND owner, HWND tool);

struct MessageBoxView {
    std::wstring caption, text;
    std::string textBytes;       // the text in the program's code page
    std::vector<int> buttonIds;  // visible buttons
    std::vector<std::wstring> buttonTexts;
    bool icon = false;           // a visible icon beside the text
};
MessageBoxView ReadMessageBox(HWND box);
std::string Describe(const MessageBoxView& box);

// The screen pixels of a rectangle, 0x00RRGGBB, row by row.
std::vector<uint32_t> GrabScreen(const RECT& rect);
size_t CountNonBlack(const std::vector<uint32_t>& pixels);

} // namespace e2e
