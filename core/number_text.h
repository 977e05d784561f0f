#pragma once
// Number texts of the driver's values: integers as plain decimal text,
// reals rounded to 15 significant digits. "." is the separator in both
// directions whatever the locale says: nothing here reads locale state.
// Portable.
#include "core/error.h"
#include <cstdint>
#include <string>

std::string IntToText(int32_t value);

// Optional leading spaces, an optional sign, then decimal digits; or
// unsigned hexadecimal after "$", "x" or "0x" (either case of x), which
// wraps into the signed range. Nothing may follow. False for anything else
// and for decimal values outside the signed 32-bit range.
bool TextToInt(const std::string& text, int32_t& value);

// Fixed notation for 0 and for magnitudes from 0.0001 up to below 10^15,
// scientific ("1E-5", "1.5E20") outside.
std::string RealToText(long double value);

// Optional leading spaces, sign, digits with an optional "." and fraction
// (a digit or the "." must be there), an optional exponent, optional
// trailing spaces. False otherwise and on overflow.
bool TextToReal(const std::string& text, long double& value);

// TextToInt, failing with "'%s' is not a valid integer value" and the text.
Result<int32_t> TextToIntChecked(const std::string& text);
