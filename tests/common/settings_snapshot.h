#pragma once
// system.ini, and snapshots of everything the program may write. A run that
// must leave the settings as it found them (Mégsem, closing the window, a
// failed save, a restart without saving) is checked the same way in process
// and end to end: a snapshot before, Changes() after.
#include <string>
#include <vector>

// system.ini in the Windows directory.
std::string SystemIniPath();
// Its bytes; "" when it cannot be read.
std::string ReadSystemIni();
// Replaces its bytes; a failure is reported (see reg::SetFailureReporter).
bool WriteSystemIni(const std::string& content);

// The keys below HKEY_LOCAL_MACHINE that the program writes to: the
// driver's and the file system cache templates.
std::vector<std::string> ProgramKeys();

class SettingsSnapshot {
public:
    // Every key and value below `keys` (HKEY_LOCAL_MACHINE) and the bytes of
    // system.ini, as they are now.
    explicit SettingsSnapshot(std::vector<std::string> keys = ProgramKeys());

    // "" while all of it is byte for byte as when the snapshot was taken;
    // otherwise the first line that differs, before and after, with the key
    // it is in.
    std::string Changes() const;

private:
    std::vector<std::string> keys_;
    std::string taken_;
};
