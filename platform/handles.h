#pragma once
// Owners for the Win32 handles the program holds: each closes its handle in
// its destructor, none can be copied, all can be moved.
#include <windows.h>
#include <commctrl.h>
#include <utility>

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Handle{}; }
    Handle release() { return std::exchange(h_, Handle{}); }
    void reset(Handle h = Handle{})
    {
        if (h_ != Handle{})
            Traits::close(h_);
        h_ = h;
    }

private:
    Handle h_{};
};

struct HKeyTraits { static void close(HKEY h) { RegCloseKey(h); } };
struct GdiTraits { static void close(HGDIOBJ h) { DeleteObject(h); } };
struct ModuleTraits { static void close(HMODULE h) { FreeLibrary(h); } };
struct ImageListTraits { static void close(HIMAGELIST h) { ImageList_Destroy(h); } };
struct KernelHandleTraits { static void close(HANDLE h) { CloseHandle(h); } };
struct MemoryDcTraits { static void close(HDC h) { DeleteDC(h); } };

using UniqueHKey = UniqueHandle<HKEY, HKeyTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDcTraits>;  // from CreateCompatibleDC
template <typename T>
using UniqueGdi = UniqueHandle<T, GdiTraits>;

// A window's device context for the length of a scope.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND hwnd, bool wholeWindow = false)
        : hwnd_(hwnd), dc_(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    ~ScopedGetDC() { if (dc_) ReleaseDC(hwnd_, dc_); }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd) { BeginPaint(hwnd_, &ps_); }
    ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC dc() const { return ps_.hdc; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back at scope end.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~ScopedSelectObject() { SelectObject(dc_, old_); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
