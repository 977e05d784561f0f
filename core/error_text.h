#pragma once
// Message texts of the errors and how the error box words them. Portable.
#include <string>

namespace errtext {
inline constexpr const char* InvalidDataType = "Invalid data type for '%s'";
inline constexpr const char* FailedToGetData = "Failed to get data for '%s'";
inline constexpr const char* FailedToSetData = "Failed to set data for '%s'";
inline constexpr const char* RangeCheck = "Range check error";
inline constexpr const char* NotAnInteger = "'%s' is not a valid integer value";
inline constexpr const char* CannotOpenAvi = "Cannot open AVI";
inline constexpr const char* UnableToWrite = "Unable to write to %s";
}

// Replaces the one %s of a message pattern with the argument.
std::string FormatMessageText(const char* pattern, const std::string& arg);

// The text the error box shows: the message, with a full stop appended
// unless it already ends in one.
std::string ErrorBoxText(const std::string& message);
