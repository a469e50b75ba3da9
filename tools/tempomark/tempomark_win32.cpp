// tempomark: prints the CPU clock in MHz.
//
//   tempomark            "CPU clock: ~2904 MHz (measured over 1.6 ms)" for a person
//   tempomark kvmoralt   "2904\r\n" in one write, for a program reading a pipe
//   tempomark --ms N     for a person, measuring for at least N ms (1 to 10000)
//
// The clock is measured: the time-stamp counter (rdtsc) is counted against
// QueryPerformanceCounter, busy waiting, until the reading error of the two
// counters is below half a MHz (about 2 ms with a 10 MHz performance counter)
// or for at most 120 ms. On current processors the time-stamp counter runs at
// the nominal clock. When the measurement is not plausible (no performance
// counter, one too coarse to settle within the limit, a virtual machine that
// hides the counter) the processor's "~MHz" value from the registry is used
// instead. Standard input is never read.
//
// A console program, so that cmd.exe and PowerShell wait for it and see its
// exit code. farspan.exe starts it without a console (DETACHED_PROCESS), with
// its output on a pipe: no console host is started for a report.
#include <windows.h>
#include <x86intrin.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "win32/scoped_handles.h"

namespace {

const double wanted_error_mhz = 0.5;  // half the step of the answer
const double longest_seconds = 0.12;  // the old fixed span: a bound, not a target

// Both counters read at one moment: the performance counter read between two
// time-stamp reads, the tightest of a few tries, so a thread switch in the
// middle of a reading shows as a wide pair and is not used.
struct reading {
    long long ticks;
    unsigned long long cycles;  // the middle of the pair
    unsigned long long width;   // cycles between the two time-stamp reads
};

reading read_counters() {
    reading best{0, 0, ~0ull};
    for (int i = 0; i < 8; ++i) {
        LARGE_INTEGER ticks;
        const unsigned long long before = __rdtsc();
        QueryPerformanceCounter(&ticks);
        const unsigned long long after = __rdtsc();
        if (after >= before && after - before < best.width) best = {ticks.QuadPart, before + (after - before) / 2, after - before};
    }
    return best;
}

// Counts until the error bound of the answer falls below wanted_error_mhz
// and at least `least_seconds` have passed; 0 when the counters are unusable.
int measured_mhz(double least_seconds, double* seconds_used) {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
    const double per_second = static_cast<double>(frequency.QuadPart);
    const double most_seconds = least_seconds > longest_seconds ? least_seconds : longest_seconds;
    const long long least_ticks = static_cast<long long>(least_seconds * per_second);
    const long long most_ticks = static_cast<long long>(most_seconds * per_second);
    // A counter that stands still must not keep the tool spinning.
    const ULONGLONG give_up = GetTickCount64() + static_cast<ULONGLONG>(most_seconds * 1000) + 500;

    // Stay on one processor so both counters come from the same core.
    const DWORD_PTR previous = SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR(1) << GetCurrentProcessorNumber());
    const reading start = read_counters();
    double mhz = 0;
    for (;;) {
        const reading now = read_counters();
        const long long ticks = now.ticks - start.ticks;
        if (ticks > 0 && now.cycles > start.cycles) {
            const double cycles = static_cast<double>(now.cycles - start.cycles);
            mhz = cycles / (static_cast<double>(ticks) / per_second) / 1e6;
            // Each counter value lies up to one tick off the moment it stands
            // for, and each time-stamp middle up to half its pair's width.
            const double error = mhz * (2.0 / static_cast<double>(ticks) +
                                        static_cast<double>(start.width + now.width) / 2.0 / cycles);
            if (ticks >= least_ticks && error <= wanted_error_mhz) {
                if (seconds_used != nullptr) *seconds_used = static_cast<double>(ticks) / per_second;
                break;
            }
            if (ticks >= most_ticks) {
                mhz = 0;  // too coarse to settle in time
                break;
            }
        }
        if (GetTickCount64() > give_up) {
            mhz = 0;
            break;
        }
    }
    if (previous != 0) SetThreadAffinityMask(GetCurrentThread(), previous);
    return mhz >= 1.0 && mhz < 100000.0 ? static_cast<int>(mhz + 0.5) : 0;
}

int registry_mhz() {
    const registry_key key =
        open_registry_key(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", KEY_READ);
    if (!key.valid()) return 0;
    DWORD mhz = 0;
    DWORD size = sizeof mhz;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(key.get(), "~MHz", nullptr, &type, reinterpret_cast<BYTE*>(&mhz), &size);
    return status == ERROR_SUCCESS && type == REG_DWORD && mhz < 100000 ? static_cast<int>(mhz) : 0;
}

bool write_all(HANDLE out, const char* text, DWORD length) {
    DWORD written = 0;
    return out != nullptr && out != INVALID_HANDLE_VALUE && WriteFile(out, text, length, &written, nullptr) &&
           written == length;
}

// A person's answer on standard output; a usage error on standard error, so
// that it shows even when the output goes into a file.
void tell_person(const char* text, DWORD which = STD_OUTPUT_HANDLE) {
    write_all(GetStdHandle(which), text, static_cast<DWORD>(std::strlen(text)));
}

}  // namespace

int main(int argc, char** argv) {
    const bool pipe_mode = argc > 1 && std::strcmp(argv[1], "kvmoralt") == 0;
    double least_seconds = 0.001;
    if (argc > 1 && std::strcmp(argv[1], "--ms") == 0) {
        const int ms = argc > 2 ? std::atoi(argv[2]) : 0;
        if (ms < 1 || ms > 10000) {
            tell_person("usage: tempomark [kvmoralt | --ms 1..10000]\r\n", STD_ERROR_HANDLE);
            return 2;
        }
        least_seconds = ms / 1000.0;
    }
    double seconds = 0;
    int mhz = measured_mhz(least_seconds, &seconds);
    bool measured = mhz != 0;
    if (!measured) mhz = registry_mhz();

    if (pipe_mode) {
        // One write: the reader keeps only its last read.
        char answer[32];
        const int length = std::snprintf(answer, sizeof answer, "%d\r\n", mhz);
        if (length > 0) write_all(GetStdHandle(STD_OUTPUT_HANDLE), answer, static_cast<DWORD>(length));
        return mhz > 0 ? 0 : 1;
    }
    char text[96];
    if (mhz == 0)
        std::snprintf(text, sizeof text, "CPU clock: unknown\r\n");
    else if (measured)
        std::snprintf(text, sizeof text, "CPU clock: ~%d MHz (measured over %.1f ms)\r\n", mhz, seconds * 1000);
    else
        std::snprintf(text, sizeof text, "CPU clock: ~%d MHz (registry)\r\n", mhz);
    tell_person(text);
    return mhz > 0 ? 0 : 1;
}
