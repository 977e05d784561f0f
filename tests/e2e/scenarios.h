#pragma once
// The scenarios the driver runs (scenario_list.h); args[0] is the path of
// tarnwick.exe.
#include <string>
#include <vector>

namespace e2e {
using Args = std::vector<std::string>;

#define SCENARIO(name, function, setup, library, writes) void function(const Args& args);
#include "tests/e2e/scenario_list.h"
#undef SCENARIO

// Benchmark, not a scenario: args[1] is the class of the window to wait for.
void TimeToWindow(const Args& args);
} // namespace e2e
