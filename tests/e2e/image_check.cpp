#include "tests/e2e/image_check.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/checks.h"
#include <cstdio>
#include <cstring>

namespace e2e {
namespace {

const struct {
    const char* name;
    WORD machine;
} Machines[] = {{"i386", IMAGE_FILE_MACHINE_I386}, {"amd64", IMAGE_FILE_MACHINE_AMD64}};

WORD g_expected = 0;

// What identifies an image: its file header and the layout fields that the
// loader takes from the optional header as they are.
struct ImageId {
    IMAGE_FILE_HEADER file{};
    DWORD entryPoint = 0;
    DWORD sizeOfImage = 0;
    bool operator==(const ImageId& o) const
    {
        return std::memcmp(&file, &o.file, sizeof file) == 0 && entryPoint == o.entryPoint &&
               sizeOfImage == o.sizeOfImage;
    }
};

// Reads `size` bytes at `offset` of an image, from memory or from a file.
using ReadAt = bool (*)(const void* source, ULONG_PTR offset, void* out, size_t size);

bool ReadHeaders(ReadAt read, const void* source, ImageId& id)
{
    IMAGE_DOS_HEADER dos{};
    if (!read(source, 0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE)
        return false;
    // Signature, file header, then the optional header's first fields, which
    // are alike in the 32- and 64-bit forms up to SizeOfImage's offset.
    struct {
        DWORD signature;
        IMAGE_FILE_HEADER file;
        IMAGE_OPTIONAL_HEADER32 optional;
    } nt{};
    if (!read(source, static_cast<ULONG_PTR>(dos.e_lfanew), &nt, sizeof nt) || nt.signature != IMAGE_NT_SIGNATURE)
        return false;
    id.file = nt.file;
    id.entryPoint = nt.optional.AddressOfEntryPoint;
    id.sizeOfImage = nt.optional.SizeOfImage;  // same offset in both forms
    return true;
}

struct Remote {
    HANDLE process;
    ULONG_PTR base;
};

bool ReadRemote(const void* source, ULONG_PTR offset, void* out, size_t size)
{
    const auto& r = *static_cast<const Remote*>(source);
    SIZE_T got = 0;
    return ReadProcessMemory(r.process, reinterpret_cast<const void*>(r.base + offset), out, size, &got) && got == size;
}

bool ReadFileAt(const void* source, ULONG_PTR offset, void* out, size_t size)
{
    FILE* f = static_cast<FILE*>(const_cast<void*>(source));
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0 && std::fread(out, 1, size, f) == size;
}

// The image base from the process's PEB: after four bytes of flags (padded
// to a pointer) and the Mutant handle. The driver and the program under
// test are built alike, so the PEB has the driver's own pointer size.
bool ProcessImage(HANDLE process, ImageId& id)
{
    struct BasicInformation {
        LONG exitStatus;
        void* pebBaseAddress;
        ULONG_PTR reserved[4];
    } info{};
    using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(process, 0 /* ProcessBasicInformation */, &info, sizeof info, nullptr) != 0 ||
        !info.pebBaseAddress)
        return false;
    ULONG_PTR base = 0;
    const Remote peb{process, reinterpret_cast<ULONG_PTR>(info.pebBaseAddress)};
    if (!ReadRemote(&peb, 2 * sizeof(void*), &base, sizeof base) || !base)
        return false;
    const Remote image{process, base};
    return ReadHeaders(ReadRemote, &image, id);
}

std::string MachineName(WORD machine)
{
    for (const auto& m : Machines)
        if (m.machine == machine)
            return m.name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04x", machine);
    return hex;
}

} // namespace

void ExpectMachine(const std::string& name)
{
    for (const auto& m : Machines)
        if (name == m.name)
            g_expected = m.machine;
}

bool MachineKnown(const std::string& name)
{
    for (const auto& m : Machines)
        if (name == m.name)
            return true;
    return false;
}

void CheckStartedImage(HANDLE process, const std::string& exe, int timeoutMs)
{
    if (!g_expected)
        return;
    ImageId file, running;
    FILE* f = std::fopen(exe.c_str(), "rb");
    const bool fileRead = f && ReadHeaders(ReadFileAt, f, file);
    if (f)
        std::fclose(f);
    const bool mapped = WaitUntil([&] { return ProcessImage(process, running); }, timeoutMs, 5);
    std::string detail = !fileRead ? "cannot read the PE header of " + exe
                         : !mapped ? "cannot read the PE header of the started process"
                                   : "it runs an " + MachineName(running.file.Machine) + " image" +
                                         (running == file ? "" : " that is not that file's");
    Record(fileRead && mapped && running == file && running.file.Machine == g_expected,
           "the started process runs this exe's " + MachineName(g_expected) + " image (PE header in its memory)",
           detail, __LINE__);
}

} // namespace e2e
