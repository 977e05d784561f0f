#pragma once
// The in-process tests' view of the main window's private state.
#include "mainwindow/form1.h"

struct TForm1TestAccess {
    static const ControlTableT& ControlTable(const TForm1& f) { return f.controlTable_; }
    static bool GroupLoaded(const TForm1& f, TForm1::Group g) { return f.GroupLoaded(g); }
    static bool GroupEdited(const TForm1& f, TForm1::Group g) { return f.GroupEdited(g); }
    static bool AnimationUnavailable(const TForm1& f) { return f.animationUnavailable_; }
    static bool AnimationStarted(const TForm1& f) { return f.animationStarted_; }
    static HWND HintWindow(const TForm1& f) { return f.hintWindow_; }
    // The event table, as Dispatch reads it.
    using Source = TForm1::Source;
    static constexpr UINT AnyCode = TForm1::AnyCode;
    static constexpr UINT FocusChange = TForm1::FocusChange;
    static const std::initializer_list<TForm1::EventRow>& Events() { return TForm1::Events; }
};
using Access = TForm1TestAccess;
