#include "platform/registry.h"
#include "core/error_text.h"
#include "platform/registry_decode.h"
#include <vector>

namespace {

Status Failure(const char* pattern, const std::string& name)
{
    return Fail(FormatMessageText(pattern, name));
}

} // namespace

RegistryAccessor::DataType RegistryAccessor::ToDataType(DWORD regType)
{
    switch (regType) {
    case REG_SZ: return DataType::String;
    case REG_EXPAND_SZ: return DataType::ExpandString;
    case REG_DWORD: return DataType::Integer;
    case REG_BINARY: return DataType::Binary;
    default: return DataType::Unknown;
    }
}

bool RegistryAccessor::OpenKey(const std::string& path, bool canCreate)
{
    const bool fromRoot = !path.empty() && path[0] == '\\';
    const std::string sub = fromRoot ? path.substr(1) : path;
    const HKEY base = (fromRoot || !current_) ? root_ : current_.get();

    HKEY opened = nullptr;
    LONG rc;
    if (canCreate) {
        DWORD disposition = 0;
        rc = RegCreateKeyExA(base, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &opened, &disposition);
    } else {
        rc = RegOpenKeyExA(base, sub.c_str(), 0, KEY_ALL_ACCESS, &opened);
    }
    if (rc != ERROR_SUCCESS)
        return false;
    current_.reset(opened);
    return true;
}

bool RegistryAccessor::QueryInfo(const std::string& name, Info& info) const
{
    if (!current_)
        return false;
    DWORD type = REG_NONE, size = 0;
    if (RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    info = Info{type, size};
    return true;
}

bool RegistryAccessor::ValueExists(const std::string& name) const
{
    Info info{};
    return QueryInfo(name, info);
}

RegistryAccessor::DataType RegistryAccessor::GetDataType(const std::string& name) const
{
    Info info{};
    return QueryInfo(name, info) ? ToDataType(info.type) : DataType::Unknown;
}

Result<std::string> RegistryAccessor::ReadString(const std::string& name) const
{
    if (!current_)
        return std::string();
    // One query for the usual short text; a longer value is read again into
    // a buffer of its size. Stored data need not end in a zero and may
    // change between two queries: the buffer has room to spare and nothing
    // past the byte count the registry reports is looked at.
    std::vector<char> buffer(256 + 2, '\0');
    for (bool first = true;; first = false) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(buffer.size() - 2);
        const LONG rc = RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (rc == ERROR_MORE_DATA) {
            buffer.assign(size + 2, '\0');
            continue;
        }
        if (rc != ERROR_SUCCESS) {
            // A value that is not there reads as the empty text.
            if (first)
                return std::string();
            return Failure(errtext::FailedToGetData, name);
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return Failure(errtext::InvalidDataType, name);
        return StringValueText(buffer.data(), size < buffer.size() ? size : buffer.size());
    }
}

Result<int32_t> RegistryAccessor::ReadInteger(const std::string& name) const
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!current_ || RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
        // A value of another type that does not fit four bytes fails the
        // query; say what is wrong with it rather than that it failed.
        Info info{};
        if (QueryInfo(name, info) && info.type != REG_DWORD)
            return Failure(errtext::InvalidDataType, name);
        return Failure(errtext::FailedToGetData, name);
    }
    if (type != REG_DWORD)
        return Failure(errtext::InvalidDataType, name);
    return static_cast<int32_t>(value);
}

Result<int> RegistryAccessor::ReadBinaryData(const std::string& name, void* buffer, int size) const
{
    Info info{};
    if (!QueryInfo(name, info))
        return 0;
    const DataType type = ToDataType(info.type);
    if ((type != DataType::Binary && type != DataType::Unknown) || size < 0 ||
        info.size > static_cast<DWORD>(size))
        return Failure(errtext::InvalidDataType, name);
    DWORD got = info.size;
    if (RegQueryValueExA(current_.get(), name.c_str(), nullptr, nullptr,
                         static_cast<BYTE*>(buffer), &got) != ERROR_SUCCESS)
        return Failure(errtext::FailedToGetData, name);
    return static_cast<int>(got);
}

Status RegistryAccessor::WriteString(const std::string& name, const std::string& value)
{
    if (!current_ || RegSetValueExA(current_.get(), name.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        return Failure(errtext::FailedToSetData, name);
    return Status();
}

Status RegistryAccessor::WriteBinaryData(const std::string& name, const void* data, int size)
{
    if (!current_ || size < 0 ||
        RegSetValueExA(current_.get(), name.c_str(), 0, REG_BINARY,
                       static_cast<const BYTE*>(data), static_cast<DWORD>(size)) != ERROR_SUCCESS)
        return Failure(errtext::FailedToSetData, name);
    return Status();
}

bool RegistryAccessor::DeleteValue(const std::string& name)
{
    return current_ && RegDeleteValueA(current_.get(), name.c_str()) == ERROR_SUCCESS;
}
