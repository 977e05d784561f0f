#pragma once
// Makes the windows of the layout tables and the wrappers that own them.
#include "controls/controls.h"
#include "core/error.h"
#include <memory>
#include <vector>

// The main window's controls by window ID. IDs are small and dense (see
// control_ids.h), so a plain array indexed by ID does.
class ControlMap {
public:
    Control* Find(int id) const
    {
        return id >= 0 && static_cast<size_t>(id) < byId_.size() ? byId_[id].get() : nullptr;
    }
    void Add(int id, std::unique_ptr<Control> control)
    {
        if (id < 0)
            return;
        if (static_cast<size_t>(id) >= byId_.size())
            byId_.resize(static_cast<size_t>(id) + 1);
        byId_[id] = std::move(control);
    }
    void Clear() { byId_.clear(); }

private:
    std::vector<std::unique_ptr<Control>> byId_;
};

// Creates every control of every page below the main window, parents
// before children and siblings in their tab order. A window that cannot be
// made ends it with a failure naming the control.
Status BuildLayout(HWND form, ControlMap& controls);

// The same windows without wrappers: what any program showing this layout
// must make (the start-up benchmark's floor).
Status BuildLayoutWindows(HWND form);

// Shows the page with the given index (0..4) and hides the others.
void SelectPage(const ControlMap& controls, int index);
