#pragma once
// Asking Windows to restart.
#include "core/error.h"
#include <string>

using RestartFunction = bool (*)(std::string& failure);

// Test seam: the in-process tests replace the request itself; nullptr puts
// the real one back.
RestartFunction SetRestartFunction(RestartFunction fn);
// Asks for a restart without forcing programs to close; fails with the
// system's message when Windows refuses.
Status RequestRestart();
