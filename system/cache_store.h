#pragma once
// The disk cache limits in system.ini's [vcache] and the program's
// file-system template in the registry, as plain records.
#include "core/error.h"
#include <cstdint>
#include <optional>
#include <string>

// Where the settings are kept.
extern const char* const SystemIni;      // "system.ini", in the Windows folder
extern const char* const VCacheSection;  // "vcache"
extern const char* const VCacheKeys[3];  // minfilecache, maxfilecache, chunksize
// The key of the file-system templates below HKEY_LOCAL_MACHINE, whose
// default value is the choice; the program's template key below it, and
// its two values.
extern const char* const TemplatesKeyPath;
std::string TemplateKeyPath();
extern const char* const TemplateValueNames[2];  // PathCache, NameCache

struct VCacheSettings {
    bool present = false;       // [vcache] lists at least one key
    int32_t values[3] = {};     // minfilecache, maxfilecache, chunksize
};

struct TemplateSettings {
    bool present = false;       // the program's template key exists
    // ... and is the one Windows uses: the choice (the default value of
    // FS Templates) names it, in any case. Windows' own file-system page
    // sets "Desktop", "Mobile" or "Server" there, whatever keys exist.
    bool chosen = false;
    // PathCache, NameCache; a value is none until it has been read, so a
    // read that fails leaves it (and the ones after it) unread.
    std::optional<int32_t> values[2];
};

// What the save stores. The template choice is the program's own while
// templateOn, the desktop one otherwise; it is written only when the user
// changed it (choiceChanged), so a choice made elsewhere stays.
struct CacheSettings {
    bool diskCacheOn = false;
    int32_t vcache[3] = {};
    bool templateOn = false;
    bool choiceChanged = false;
    int32_t templateValues[2] = {};
};

// Keys missing from [vcache] or not integers read as 0.
VCacheSettings LoadVCache();
// Fails with the registry texts on a value of the wrong type or size.
Status LoadFileSystemTemplate(TemplateSettings& out);
// [vcache] is written (or erased when the disk cache is off) after the
// template choice and before the template values.
Status StoreCacheSettings(const CacheSettings& settings);
