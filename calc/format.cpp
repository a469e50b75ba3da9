#include "calc/format.h"

#include <cmath>

#include "calc/text.h"

namespace {

// Sign, ten integer digits, separator, seven decimals and the terminator.
enum { number_text_size = 24 };

}  // namespace

void format_fixed(double value, char* out, int capacity, int width, int decimal_comma, int decimals) {
    if (out == nullptr || capacity <= 0) return;

    // Out of range, infinite or not a number: printed as zero, so the integer
    // conversions below always get a value that fits.
    if (!(value <= 2147483640.0 && value >= -2147483640.0)) value = 0.0;

    bool negative = false;
    if (value < 0.0) {
        negative = true;
        value = -value;
    }
    if (decimals <= 0 || decimals > 7) decimals = 7;

    int integer_part = static_cast<int>(value);
    const double fraction = value - integer_part;
    // fraction < 1 and 10^(decimals + 2) <= 10^9, so the product fits in 32 bits.
    const int fraction_digits = static_cast<int>(fraction * power_of_ten(decimals + 2));

    // The nudge of 2 in the second extra place absorbs representation errors
    // (5.1235 is stored as 5.12349999...).
    int kept = (fraction_digits + 2) / 10;
    const int kept_limit = power_of_ten(decimals + 1) - 1;
    if (kept > kept_limit) kept = kept_limit;
    int rounded = kept / 10;
    if (kept % 10 > 4) ++rounded;
    if (rounded > power_of_ten(decimals) - 1) {
        rounded = 0;
        ++integer_part;
    }

    char text[number_text_size];
    int length = 0;
    // Digits go in least significant first; the whole is reversed at the end.
    for (int i = 0; i < decimals; ++i) {
        text[length++] = static_cast<char>('0' + rounded % 10);
        rounded /= 10;
    }
    text[length++] = decimal_comma != 0 ? ',' : '.';
    do {
        text[length++] = static_cast<char>('0' + integer_part % 10);
        integer_part /= 10;
    } while (integer_part > 0);
    if (negative) text[length++] = '-';
    text[length] = '\0';
    reverse_text(text);

    int at = 0;
    for (int pad = width - length; pad > 0 && at < capacity - 1; --pad) out[at++] = ' ';
    copy_text(out + at, capacity - at, text);
}

double safe_sqrt(double x) {
    if (x < 1e-35) x = 0.0;
    return std::sqrt(x);
}
