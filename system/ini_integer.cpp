#include "system/ini_integer.h"
#include "core/number_text.h"

int32_t IniTextToInt(const std::string& text, int32_t fallback)
{
    std::string number = text;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        number = "$" + text.substr(2);
    int32_t value = 0;
    return TextToInt(number, value) ? value : fallback;
}
