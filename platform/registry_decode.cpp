#include "platform/registry_decode.h"
#include "core/error_text.h"

std::string StringValueText(const char* data, size_t size)
{
    size_t length = 0;
    while (length < size && data[length] != '\0')
        ++length;
    return std::string(data, length);
}

Result<int32_t> TemplateNumberFromBytes(const std::string& name, const unsigned char* data, size_t size)
{
    if (size > 4)
        return Fail(FormatMessageText(errtext::InvalidDataType, name));
    uint32_t bits = 0;
    for (size_t i = 0; i < size; ++i)
        bits |= static_cast<uint32_t>(data[i]) << (8 * i);
    if (bits > static_cast<uint32_t>(INT32_MAX))
        return Fail(errtext::RangeCheck);
    return static_cast<int32_t>(bits);
}
