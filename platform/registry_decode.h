#pragma once
// What the program makes of a registry value's raw bytes, kept apart from
// the calls that fetch them so that it builds and is tested natively too.
// Portable.
#include "core/error.h"
#include <cstddef>
#include <cstdint>
#include <string>

// A string value's text: its bytes up to the first zero, or all of them
// when the stored data does not end in one.
std::string StringValueText(const char* data, size_t size);

// A file-system template number: zero to four bytes, little-endian,
// zero-extended (the read has already refused the types it may not have).
// Longer data fails with "Invalid data type for '<name>'", a number beyond
// the signed 32-bit range with "Range check error".
Result<int32_t> TemplateNumberFromBytes(const std::string& name, const unsigned char* data, size_t size);
