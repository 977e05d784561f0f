#pragma once
// Moves a driver profile between memory and its registry key. The reads
// put a default in place of each value that is missing or unreadable; the
// writes pass every registry error on.
#include "driver/setting.h"

void ReadGamma(TSetting& profile);
void ReadRefreshRates(TSetting& profile);
// Raises "'%s' is not a valid integer value" for a clock stored as text
// that is not an integer.
void ReadClock(TSetting& profile);

void WriteGamma(const TSetting& profile);
void WriteRefreshRates(const TSetting& profile);
void WriteClock(const TSetting& profile);
