#include "platform/app_title.h"
#include "core/default_title.h"
#include <windows.h>

namespace {
std::string& TitleStorage()
{
    static std::string title = [] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        return DefaultTitleFromModulePath(path);
    }();
    return title;
}
} // namespace

const std::string& ApplicationTitle() { return TitleStorage(); }
void SetApplicationTitle(const std::string& title) { TitleStorage() = title; }
