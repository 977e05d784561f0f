#pragma once
// The program's one exception type. Its text is what the user reads in the
// error box, so it is built from the exact message texts (see error_text.h).
#include <stdexcept>
#include <string>

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};
