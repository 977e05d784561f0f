#pragma once
// Asking Windows to restart. In-process tests replace the request itself.
#include "core/error.h"
#include <string>

using RestartFunction = bool (*)(std::string& failure);

RestartFunction SetRestartFunction(RestartFunction fn);  // nullptr: the real one
// Asks for a restart without forcing programs to close; fails with the
// system's message when Windows refuses.
Status RequestRestart();
