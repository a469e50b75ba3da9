// The stack protector's guard value and failure routines, in place of GCC's
// libssp. libssp seeds its guard in a constructor through the CryptoAPI
// provider, which loads rsaenh, crypt32 and bcrypt (and user32 with them) at
// every start: most of the clock tool's run time. Here the guard is seeded at
// the image's entry, before the C runtime or any protected function runs, so
// no protected frame ever sees it change. Defining all three symbols keeps
// the linker from taking libssp's (or a newer mingw-w64's) object that holds
// them, whatever the toolchain.
#include <windows.h>
// RtlGenRandom, from advapi32: no provider, no further library on Wine.
#include <ntsecapi.h>

#include <cstdint>

extern "C" {

// Never used unseeded by protected code. The value is the one Windows' loader
// (and Wine's) takes for an unseeded cookie: the load configuration names
// this guard, so the loader seeds it too, before the entry seeds it again.
void* __stack_chk_guard = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x00002B992DDFA232ull));

int WinMainCRTStartup();
int mainCRTStartup();

// Ends the process at once, as the system's own stack cookie check does:
// nothing of the smashed stack is used, no handler of the program runs.
[[noreturn]] static void fail_fast(unsigned int code) {
    if (IsProcessorFeaturePresent(PF_FASTFAIL_AVAILABLE)) __asm__ volatile("int $0x29" : : "c"(code));
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
    __builtin_unreachable();
}

[[noreturn]] void __stack_chk_fail() { fail_fast(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE); }
// The checked string and memory calls (_FORTIFY_SOURCE) end here on an overrun.
[[noreturn]] void __chk_fail() { fail_fast(FAST_FAIL_RANGE_CHECK_FAILURE); }

}  // extern "C"

namespace {

// Random bits from the system, mixed with the clocks, the ids and a stack
// address, so a failed call still leaves a value no other run shares.
__attribute__((no_stack_protector)) void seed_stack_guard() {
    std::uint64_t seed = 0;
    if (!RtlGenRandom(&seed, sizeof seed)) seed = 0;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    seed ^= (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    seed ^= static_cast<std::uint64_t>(counter.QuadPart) * 0x9e3779b97f4a7c15ull;
    seed ^= (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32) | GetCurrentThreadId();
    seed ^= reinterpret_cast<std::uintptr_t>(&seed) << 16;
    if (seed != 0) __stack_chk_guard = reinterpret_cast<void*>(static_cast<std::uintptr_t>(seed));
}

}  // namespace

// The entry points the link names with -e: seed, then the C runtime's own.
extern "C" __attribute__((no_stack_protector)) int farspan_windows_start() {
    seed_stack_guard();
    return WinMainCRTStartup();
}

extern "C" __attribute__((no_stack_protector)) int farspan_console_start() {
    seed_stack_guard();
    return mainCRTStartup();
}
