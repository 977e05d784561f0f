#include "platform/restart.h"
#include <utility>
#include "platform/handles.h"
#include "platform/lookup.h"
#include "platform/platform_version.h"

namespace {
RestartFunction g_restart = nullptr;

// On Windows NT a process must hold the shutdown privilege to restart. The
// token calls are looked up, so the program still starts where they are
// missing; on Windows 98 the privilege does not exist and is not needed.
void EnableShutdownPrivilege()
{
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    if (!advapi)
        advapi = LoadLibraryA("advapi32.dll");
    if (!advapi)
        return;
    using OpenToken = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using Lookup = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
    using Adjust = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    auto openToken = LookUpFunction<OpenToken>(advapi, "OpenProcessToken");
    auto lookup = LookUpFunction<Lookup>(advapi, "LookupPrivilegeValueA");
    auto adjust = LookUpFunction<Adjust>(advapi, "AdjustTokenPrivileges");
    HANDLE opened = nullptr;
    if (!openToken || !lookup || !adjust ||
        !openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened))
        return;
    const UniqueKernelHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (lookup(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        adjust(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

std::string SystemMessage(DWORD code)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : "Error " + std::to_string(code);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

bool SystemRestart(std::string& failure)
{
    if (IsWindowsNT())
        EnableShutdownPrivilege();
    if (ExitWindowsEx(EWX_REBOOT, 0))
        return true;
    failure = SystemMessage(GetLastError());
    return false;
}
} // namespace

RestartFunction SetRestartFunction(RestartFunction fn) { return std::exchange(g_restart, fn); }

Status RequestRestart()
{
    std::string failure;
    const RestartFunction restart = g_restart ? g_restart : SystemRestart;
    return restart(failure) ? Status() : Fail(failure);
}
