#pragma once
// An integer as profile files hold it: "0x"/"0X" followed by hexadecimal,
// or integer text; anything else gives the default. Portable.
#include <cstdint>
#include <string>

int32_t IniTextToInt(const std::string& text, int32_t fallback);
