// The few pieces of the C++ runtime that the exe takes from here instead of
// the prebuilt library, whose copies need a Pentium Pro and bring its
// exception machinery along: allocation (from the process heap, since the
// exe links no C runtime), the pure-virtual trap, and the error paths that
// the library's headers call when a container is misused. Linked into
// tarnwick.exe and its start-up benchmark's builds only; the test exes keep
// the library's own.
#include "platform/message_box.h"
#include <windows.h>
#include <new>

namespace {
[[noreturn]] void OutOfMemory() { EndWithError("Out of memory"); }

void* TryAllocate(std::size_t size) noexcept { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }

void* Allocate(std::size_t size)
{
    if (void* block = TryAllocate(size))
        return block;
    OutOfMemory();
}

void Release(void* block) noexcept
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}
} // namespace

// The tag std::stable_sort's scratch buffer is asked for with.
const std::nothrow_t std::nothrow{};

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }

extern "C" void __cxa_pure_virtual() { EndWithError("Pure virtual function call"); }

// A container asked for more than it can hold, or an index past its end:
// faults of the program, never of the user's data.
namespace std {
void __throw_bad_alloc() { OutOfMemory(); }
void __throw_bad_array_new_length() { OutOfMemory(); }
void __throw_length_error(const char* what) { EndWithError(what); }
void __throw_logic_error(const char* what) { EndWithError(what); }
void __throw_out_of_range(const char* what) { EndWithError(what); }
void __throw_out_of_range_fmt(const char* what, ...) { EndWithError(what); }
void __throw_invalid_argument(const char* what) { EndWithError(what); }
void __throw_bad_function_call() { EndWithError("Bad function call"); }
} // namespace std
