#pragma once
// Fixed-point number text for the reports, and the guarded square root.

#include <cstddef>

// Number buffer size that holds every text format_fixed can produce with
// the widths the reports use.
enum { number_buffer_size = 32 };

// Writes value rounded to `decimals` places (0 or less, or above 7, means 7),
// with "," when decimal_comma is non-zero and "." otherwise, right-aligned in
// a field of `width` blanks. Values beyond +-2147483640 and NaN print as zero.
// Never writes more than `capacity` bytes into out (terminator included).
void format_fixed(double value, char* out, int capacity, int width, int decimal_comma, int decimals);

template <std::size_t N>
inline void format_fixed(double value, char (&out)[N], int width, int decimal_comma, int decimals) {
    format_fixed(value, out, static_cast<int>(N), width, decimal_comma, decimals);
}

// 0 for x below 1e-35 (negatives included), otherwise the square root of x.
double safe_sqrt(double x);
