#pragma once
// The arithmetic and texts of the Basics page. Portable.
#include <cstdint>
#include <string>

// A gamma in whole hundredths, cut toward zero; every gamma of at most two
// decimals gives exactly its hundredfold, whatever its binary error.
// Values beyond the 32-bit range give the nearest end of it.
int32_t GammaToPosition(long double gamma);
long double PositionToGamma(int32_t position);

// "1.30": the position / 100 with two decimals and "." as separator.
std::string GammaLabel(int32_t position);
// "Órajel - 90 Hz"
std::string ClockCaption(int32_t clock);

// The refresh item shown for a stored rate: rate div 10 - 6; only 0..2 name
// an item.
int RefreshItemIndex(int32_t rate);
// The rate an item stands for: the number its first two characters write.
int32_t RefreshRateOfItem(const std::string& itemText);
