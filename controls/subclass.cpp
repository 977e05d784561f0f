#include "controls/subclass.h"
#include <algorithm>
#include <vector>

namespace {
const char* const ObjectProperty = "TarnwickControl";

// The objects installed now. The property names the object for anyone who
// looks at the window; this program finds it here, since the lookup runs
// for every message and reading a property costs a trip to the window
// server under Wine (35 microseconds measured, a slider move's tenth).
std::vector<Subclass*>& InstalledObjects()
{
    static std::vector<Subclass*> objects;
    return objects;
}
} // namespace

Subclass::~Subclass()
{
    // hwnd_ goes at WM_NCDESTROY: after that the handle may already name
    // another window.
    if (hwnd_ && IsWindow(hwnd_))
        Uninstall();
}

Subclass* Subclass::Of(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    for (Subclass* object : InstalledObjects()) {
        if (object->hwnd_ == hwnd)
            return object;
    }
    return nullptr;
}

HBRUSH Subclass::CtlColor(UINT, HDC, HWND) const { return nullptr; }

void Subclass::Install(HWND hwnd)
{
    if (!hwnd || hwnd_)
        return;
    hwnd_ = hwnd;
    SetPropA(hwnd, ObjectProperty, this);
    InstalledObjects().push_back(this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
}

void Subclass::Uninstall()
{
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropA(hwnd_, ObjectProperty);
    auto& objects = InstalledObjects();
    objects.erase(std::remove(objects.begin(), objects.end(), this), objects.end());
    hwnd_ = nullptr;
}

LRESULT Subclass::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return CallOriginal(msg, wp, lp); }

LRESULT Subclass::CallOriginal(UINT msg, WPARAM wp, LPARAM lp) const
{
    return CallWindowProcA(original_, hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Subclass::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Subclass* self = Of(hwnd);
    if (!self)
        return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        const WNDPROC original = self->original_;
        self->Uninstall();
        return CallWindowProcA(original, hwnd, msg, wp, lp);
    }
    return self->OnMessage(msg, wp, lp);
}

bool ReflectCtlColor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    HWND from = reinterpret_cast<HWND>(lp);
    const Subclass* control = Subclass::Of(from);
    HBRUSH brush = control ? control->CtlColor(msg, reinterpret_cast<HDC>(wp), from) : nullptr;
    if (!brush)
        return false;
    result = reinterpret_cast<LRESULT>(brush);
    return true;
}
