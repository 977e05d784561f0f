#pragma once
// Makes the windows of the layout tables and the wrappers that own them.
#include "controls/controls.h"
#include <map>
#include <memory>

using ControlMap = std::map<int, std::unique_ptr<Control>>;

// Creates every control of every page below the main window, parents
// before children and siblings in their tab order.
void BuildLayout(HWND form, ControlMap& controls);

// Shows the page with the given index (0..4) and hides the others.
void SelectPage(const ControlMap& controls, int index);
