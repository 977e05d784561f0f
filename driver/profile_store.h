#pragma once
// Moves a driver profile between memory and its registry key. The reads
// put a default in place of each value that is missing or unreadable; the
// writes pass every registry error on.
#include "driver/setting.h"
#include "core/error.h"

Status ReadGamma(TSetting& profile);
Status ReadRefreshRates(TSetting& profile);
// Fails with "'%s' is not a valid integer value" for a clock stored as text
// that is not an integer.
Status ReadClock(TSetting& profile);

Status WriteGamma(const TSetting& profile);
Status WriteRefreshRates(const TSetting& profile);
Status WriteClock(const TSetting& profile);
