#pragma once
// Every setting the program owns, put in a stored form that reads as the
// demo values but differs from what a save writes ("1.30" for 1.3, a
// REG_DWORD clock, a two-byte PathCache...), so that after the run a
// rewritten value tells itself from one left alone. Beside them a few
// foreign values and keys, which every run must leave as they were.
#include "tests/e2e/stored_settings.h"
#include <vector>

namespace e2e {

// The groups a save writes; a load that stops at an error leaves some out.
enum SaveGroup : unsigned {
    RefreshGroup = 1, GammaGroup = 2, CacheGroup = 4, SwitchGroup = 8,
    GlideClockGroup = 16, D3DClockGroup = 32, AllGroups = 63,
};

// A stored form that differs from the usual one (an absent value deletes).
struct Change {
    std::string key, name;
    reg::Value value;
};

// Puts the stored forms, `changes` over them, the foreign values and the
// [vcache] section in place. Run before the program starts.
bool ArrangeSettings(const std::vector<Change>& changes = {});

// After the program ended: the groups in `saved` as a save writes them,
// every other owned value (and system.ini, when the cache settings were not
// saved) exactly as arranged, foreign values untouched.
void CheckSettings(unsigned saved, const std::vector<Change>& changes = {});

} // namespace e2e
