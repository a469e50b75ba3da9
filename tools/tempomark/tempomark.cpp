// tempomark: prints the CPU clock in MHz.
//
//   tempomark            "CPU clock: ~2904 MHz (measured)" for a person
//   tempomark kvmoralt   "2904\r\n" in one write, for a program reading a pipe
//
// The clock is measured: the time-stamp counter (rdtsc) is counted against
// QueryPerformanceCounter over about 120 ms of busy waiting, so the core is
// awake while it is measured. On current processors the time-stamp counter
// runs at the nominal clock. When the measurement is not plausible (no
// performance counter, a virtual machine that hides the counter) the
// processor's "~MHz" value from the registry is used instead. Standard input
// is never read.
#include <windows.h>
#include <x86intrin.h>

#include <cstdio>
#include <cstring>

namespace {

const double measure_seconds = 0.12;

int measured_mhz() {
    LARGE_INTEGER frequency{}, start{}, now{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
    // Stay on one processor so both counters come from the same core.
    const DWORD_PTR previous = SetThreadAffinityMask(GetCurrentThread(), 1);
    QueryPerformanceCounter(&start);
    const unsigned long long cycles_start = __rdtsc();
    const long long span = static_cast<long long>(measure_seconds * static_cast<double>(frequency.QuadPart));
    do {
        QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < span);
    const unsigned long long cycles_end = __rdtsc();
    if (previous != 0) SetThreadAffinityMask(GetCurrentThread(), previous);

    const double seconds = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (seconds <= 0 || cycles_end <= cycles_start) return 0;
    const double mhz = static_cast<double>(cycles_end - cycles_start) / seconds / 1e6 + 0.5;
    return mhz >= 1.0 && mhz < 100000.0 ? static_cast<int>(mhz) : 0;
}

int registry_mhz() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return 0;
    DWORD mhz = 0;
    DWORD size = sizeof mhz;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(key, "~MHz", nullptr, &type, reinterpret_cast<BYTE*>(&mhz), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD && mhz < 100000 ? static_cast<int>(mhz) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool pipe_mode = argc > 1 && std::strcmp(argv[1], "kvmoralt") == 0;
    int mhz = measured_mhz();
    const char* source = "measured";
    if (mhz == 0) {
        mhz = registry_mhz();
        source = "registry";
    }

    if (pipe_mode) {
        // One write: the reader keeps only its last read.
        char answer[32];
        const int length = std::snprintf(answer, sizeof answer, "%d\r\n", mhz);
        DWORD written = 0;
        if (length > 0) WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), answer, static_cast<DWORD>(length), &written, nullptr);
        return mhz > 0 ? 0 : 1;
    }
    if (mhz == 0) {
        std::printf("CPU clock: unknown\n");
        return 1;
    }
    std::printf("CPU clock: ~%d MHz (%s)\n", mhz, source);
    return 0;
}
