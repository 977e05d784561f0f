#pragma once
// The registry values and system.ini as the driver sees them: arranging a
// case before the program starts and checking what it left behind. The raw
// access itself is shared with the other test programs (tests/common).
#include "tests/common/raw_registry.h"
#include "tests/common/settings_snapshot.h"
#include <map>
#include <string>

namespace e2e {

// The stored forms of values, for the scenarios' tables.
using reg::Absent;
using reg::Binary;
using reg::Describe;
using reg::Dword;
using reg::Text;

bool CheckStored(const std::string& key, const std::string& name, const reg::Value& want, int line);
// Checks that the registry keys and system.ini of `before` are as they were.
bool CheckNothingWritten(const SettingsSnapshot& before, const std::string& what, int line);

// system.ini, parsed: section -> key -> value, names lower-cased, values
// trimmed, as the profile functions read them.
using IniContent = std::map<std::string, std::map<std::string, std::string>>;
IniContent ParseIni(const std::string& text);

} // namespace e2e

#define CHECK_STORED(key, name, want) e2e::CheckStored((key), (name), (want), __LINE__)
#define CHECK_NOTHING_WRITTEN(before, what) e2e::CheckNothingWritten((before), (what), __LINE__)
