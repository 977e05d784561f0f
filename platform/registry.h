#pragma once
// The registry accessor: a short-lived object made for one operation. It
// holds a root key and at most one open key; freeing it closes that key
// without a flush. Failures come back with the registry texts.
#include "core/error.h"
#include "platform/handles.h"
#include <cstdint>
#include <string>

class RegistryAccessor {
public:
    enum class DataType { Unknown = 0, String = 1, ExpandString = 2, Integer = 3, Binary = 4 };

    explicit RegistryAccessor(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
    RegistryAccessor(const RegistryAccessor&) = delete;
    RegistryAccessor& operator=(const RegistryAccessor&) = delete;

    // A path starting with '\' is taken from the root key, any other from the
    // current key if one is open. All access is asked for. On failure the
    // current key stays as it was.
    bool OpenKey(const std::string& path, bool canCreate);

    bool ValueExists(const std::string& name) const;
    DataType GetDataType(const std::string& name) const;

    // A missing value reads as the empty text.
    Result<std::string> ReadString(const std::string& name) const;
    Result<int32_t> ReadInteger(const std::string& name) const;
    // Copies a binary (or unknown-type) value that fits; gives its size,
    // 0 when the value is missing (the buffer is then untouched).
    Result<int> ReadBinaryData(const std::string& name, void* buffer, int size) const;

    Status WriteString(const std::string& name, const std::string& value);
    Status WriteBinaryData(const std::string& name, const void* data, int size);
    bool DeleteValue(const std::string& name);

    static DataType ToDataType(DWORD regType);

private:
    struct Info { DWORD type; DWORD size; };
    bool QueryInfo(const std::string& name, Info& info) const;

    HKEY root_;
    UniqueHKey current_;
};
