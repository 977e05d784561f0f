#pragma once
// The tweak switches in the driver's keys. A Glide switch is on while its
// value exists; a Direct3D switch while its value holds the row's text.
#include "core/error.h"
#include "driver/switch_tables.h"
#include <array>
#include <optional>

// One state per row; none where the row's value is absent, so whoever shows
// the states leaves that box as it is.
struct StoredSwitches {
    std::array<std::optional<bool>, GlideSwitchCount> glide;
    std::array<std::optional<bool>, D3DSwitchCount> d3d;
};

struct SwitchStates {
    std::array<bool, GlideSwitchCount> glide{};
    std::array<bool, D3DSwitchCount> d3d{};
};

// Reads row by row, Glide first. A failing row ends the read there; the
// rows before it are in `out` all the same.
Status ReadSwitchStates(StoredSwitches& out);

// Writes the rows turned on since `loaded` and deletes those turned off,
// Glide first; the first failure ends the write. A row whose state is still
// the loaded one keeps its value as stored, whatever it holds: a Glide
// value of other content shows on, a Direct3D one off, and either reaches
// the driver as it was until the user changes its box. Both keys are
// opened with the create flag all the same. Each row written or deleted
// takes its new state into `loaded`: that is what is stored now.
Status WriteSwitchStates(const SwitchStates& states, SwitchStates& loaded);
