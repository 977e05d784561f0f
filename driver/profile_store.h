#pragma once
// Moves a driver profile between memory and its registry key. The reads
// put a default in place of each value that is missing or unreadable; the
// writes pass every registry error on.
#include "driver/setting.h"
#include "core/error.h"

// The gamma components and refresh rates that a read could not take as
// their numbers (missing, of another type, a text that is none) and so
// put 0 in place of. The driver reads such values its own way, a missing
// gamma as its default and "1,3" as 1: a write leaves each of them as
// stored for as long as the profile still holds that 0, so a value nobody
// changed reaches the driver as it was.
struct UnreadValues {
    bool gamma[3] = {};    // red, green, blue
    bool refresh[5] = {};  // resolution i at [i - 1]
};

Status ReadGamma(TSetting& profile, UnreadValues& unread);
Status ReadRefreshRates(TSetting& profile, UnreadValues& unread);
// Fails with "'%s' is not a valid integer value" for a clock stored as text
// that is not an integer.
Status ReadClock(TSetting& profile);

// A value written is stored from then on: its mark in `unread` is cleared,
// so a second save (the restart command may make one) writes it as it
// stands.
Status WriteGamma(const TSetting& profile, UnreadValues& unread);
Status WriteRefreshRates(const TSetting& profile, UnreadValues& unread);
Status WriteClock(const TSetting& profile);
