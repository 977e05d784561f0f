#include "core/error_text.h"

std::string FormatMessageText(const char* pattern, const std::string& arg)
{
    std::string text(pattern);
    const auto at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, arg);
    return text;
}

std::string ErrorBoxText(const std::string& message)
{
    if (!message.empty() && message.back() == '.')
        return message;
    return message + ".";
}
