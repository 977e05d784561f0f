#pragma once
// Looks a function up at run time, so the exe does not import what older
// Windows versions lack. Null when the module has no such function.
#include <windows.h>

template <typename Function>
Function LookUpFunction(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}
