// The few pieces of the C++ runtime that the exe takes from here instead of
// the prebuilt library, whose copies need a Pentium Pro and bring its
// exception machinery along: allocation, the pure-virtual trap, and the
// error paths that the library's headers call when a container is misused.
// Linked into tarnwick.exe only; the test exes keep the library's own.
#include "platform/message_box.h"
#include <cstdlib>
#include <new>

namespace {
[[noreturn]] void OutOfMemory() { EndWithError("Out of memory"); }

void* Allocate(std::size_t size)
{
    if (void* block = std::malloc(size ? size : 1))
        return block;
    OutOfMemory();
}
} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

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
