#include "tests/e2e/checks.h"
#include "tests/common/raw_registry.h"
#include <windows.h>
#include <cstdio>

namespace e2e {
namespace {
int g_passed = 0, g_failed = 0;
std::string g_context;
} // namespace

void SetContext(const std::string& context) { g_context = context; }

void Note(const std::string& text) { std::printf("note  %s: %s\n", g_context.c_str(), text.c_str()); }

bool Record(bool ok, const std::string& what, const std::string& detail, int line)
{
    ++(ok ? g_passed : g_failed);
    if (ok)
        std::printf("pass  %s: %s\n", g_context.c_str(), what.c_str());
    else
        std::printf("FAIL  %s: %s%s%s (line %d)\n", g_context.c_str(), what.c_str(),
                    detail.empty() ? "" : ": ", detail.c_str(), line);
    return ok;
}

bool RecordEq(long long got, long long want, const std::string& what, int line)
{
    return Record(got == want, what,
                  "got " + std::to_string(got) + ", want " + std::to_string(want), line);
}

bool RecordEq(const std::wstring& got, const std::wstring& want, const std::string& what, int line)
{
    return Record(got == want, what, "got \"" + Utf8(got) + "\", want \"" + Utf8(want) + "\"", line);
}

bool RecordEq(const std::string& got, const std::string& want, const std::string& what, int line)
{
    // Byte strings (Windows-1250 text) shown as C escapes.
    return Record(got == want, what, "got \"" + reg::Escaped(got) + "\", want \"" + reg::Escaped(want) + "\"",
                  line);
}

int Summary()
{
    std::printf("e2e: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 && g_passed > 0 ? 0 : 1;
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                        nullptr, nullptr);
    return out;
}

} // namespace e2e
