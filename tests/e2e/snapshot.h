#pragma once
// Everything the program may write, as text: the driver's registry keys, the
// file system cache profiles and system.ini. Two equal snapshots mean that
// nothing was written in between.
#include <string>

namespace e2e {

std::string SettingsSnapshot();
// The first line where two snapshots differ, for the failure message.
std::string FirstDifference(const std::string& before, const std::string& after);
bool CardKeyPresent();

} // namespace e2e
