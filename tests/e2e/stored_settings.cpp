#include "tests/e2e/stored_settings.h"
#include "tests/e2e/checks.h"
#include <algorithm>
#include <sstream>

namespace e2e {

bool CheckStored(const std::string& key, const std::string& name, const reg::Value& want, int line)
{
    const reg::Value got = reg::Read(key, name);
    const std::string shortKey = key.substr(key.rfind('\\') + 1);
    return Record(got == want, shortKey + "\\" + (name.empty() ? "(default)" : name) + " is " + Describe(want),
                  "got " + Describe(got), line);
}

bool CheckNothingWritten(const SettingsSnapshot& before, const std::string& what, int line)
{
    const std::string changes = before.Changes();
    return Record(changes.empty(), what, changes, line);
}

namespace {
std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    const size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}
} // namespace

IniContent ParseIni(const std::string& text)
{
    IniContent ini;
    std::istringstream lines(text);
    std::string line, section;
    while (std::getline(lines, line)) {
        line = Trimmed(line);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = Lower(line.substr(1, line.size() - 2));
            ini[section];
            continue;
        }
        const size_t eq = line.find('=');
        if (!line.empty() && line[0] != ';')
            ini[section][Lower(Trimmed(line.substr(0, eq)))] = eq == std::string::npos ? "" : Trimmed(line.substr(eq + 1));
    }
    return ini;
}

} // namespace e2e
