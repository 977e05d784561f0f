#include "driver/basics_math.h"
#include "core/number_text.h"
#include <cmath>

int32_t GammaToPosition(long double gamma)
{
    if (std::isnan(gamma))
        return 0;
    const long double hundredfold = gamma * 100;
    if (hundredfold >= 2147483647.0L)
        return INT32_MAX;
    if (hundredfold <= -2147483648.0L)
        return INT32_MIN;
    // A two-decimal gamma, even one that passed through a double, lands
    // within a few units of the last place of a whole number. A text of 15
    // significant digits never comes that close unless it is one, so
    // anything nearer counts as that number; the rest is cut toward zero.
    // In 32-bit integers, which the x87 converts to inline: no library call.
    const int32_t cut = static_cast<int32_t>(hundredfold);
    const long double fraction = hundredfold - cut;
    const int32_t nearest = fraction >= 0.5L ? cut + 1 : fraction <= -0.5L ? cut - 1 : cut;
    const long double scale = nearest > 1 || nearest < -1 ? std::fabs(static_cast<long double>(nearest)) : 1.0L;
    if (std::fabs(hundredfold - nearest) <= 1e-15L * scale)
        return nearest;
    return cut;
}

long double PositionToGamma(int32_t position) { return static_cast<long double>(position) / 100; }

std::string GammaLabel(int32_t position)
{
    const int64_t p = position;
    const int64_t magnitude = p < 0 ? -p : p;
    const int64_t cents = magnitude % 100;
    return std::string(p < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." +
           (cents < 10 ? "0" : "") + std::to_string(cents);
}

std::string ClockCaption(int32_t clock) { return "Órajel - " + IntToText(clock) + " Hz"; }

int RefreshItemIndex(int32_t rate) { return rate / 10 - 6; }

int32_t RefreshRateOfItem(const std::string& itemText)
{
    int32_t rate = 0;
    TextToInt(itemText.substr(0, 2), rate);
    return rate;
}
