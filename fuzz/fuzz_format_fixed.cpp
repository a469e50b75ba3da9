// format_fixed must stay inside its buffer and write only digits, one sign,
// one separator and leading blanks, for any value, width and decimals.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "calc/format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double) + 4) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const int width = static_cast<std::int8_t>(data[8]);
    const int comma = data[9] & 1;
    const int decimals = static_cast<std::int8_t>(data[10]);
    const int capacity = 1 + data[11] % 40;

    char out[64];
    std::memset(out, 'X', sizeof out);
    format_fixed(value, out, capacity, width, comma, decimals);
    if (std::memchr(out, '\0', static_cast<std::size_t>(capacity)) == nullptr) std::abort();
    for (int i = capacity; i < static_cast<int>(sizeof out); ++i)
        if (out[i] != 'X') std::abort();  // wrote past the capacity

    const char separator = comma ? ',' : '.';
    int separators = 0, signs = 0;
    bool digits_started = false;
    for (const char* p = out; *p; ++p) {
        if (*p == ' ') {
            if (digits_started || signs) std::abort();  // blanks only in front
        } else if (*p == '-') {
            if (digits_started || signs) std::abort();
            ++signs;
        } else if (*p == separator) {
            if (!digits_started) std::abort();
            ++separators;
        } else if (*p >= '0' && *p <= '9') {
            digits_started = true;
        } else {
            std::abort();  // NaN, inf or garbage text
        }
    }
    if (separators > 1) std::abort();
    return 0;
}
