#pragma once
// Which program a started process really runs: the machine type and layout
// in the PE header of its image, read from the process's own memory and
// compared with the exe file. A test of the shipped 32-bit exe must not pass
// on some other build that happens to be started instead.
#include <windows.h>
#include <string>

namespace e2e {

// The machine every started program must run as ("i386" or "amd64"), from
// the driver's --machine option; empty when no check is asked for.
void ExpectMachine(const std::string& name);
bool MachineKnown(const std::string& name);

// Records one check: the process runs the image of `exe`, built for the
// expected machine. Waits (up to timeoutMs) for the process to map it.
void CheckStartedImage(HANDLE process, const std::string& exe, int timeoutMs);

} // namespace e2e
