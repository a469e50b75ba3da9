#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "calc/format.h"

namespace {

std::string fixed(double value, int width, int decimal_comma, int decimals) {
    char out[number_buffer_size];
    std::memset(out, '#', sizeof out);
    format_fixed(value, out, width, decimal_comma, decimals);
    return out;
}

}  // namespace

TEST(FormatFixed, WorkedExamples) {
    EXPECT_EQ(fixed(85, 10, 1, 3), "    85,000");
    EXPECT_EQ(fixed(1.2345, 10, 0, 3), "     1.235");
    EXPECT_EQ(fixed(0.9996, 5, 0, 3), "1.000");
    EXPECT_EQ(fixed(-12.3456, 10, 1, 3), "   -12,346");
    EXPECT_EQ(fixed(-0.0004, 10, 1, 3), "    -0,000");
    EXPECT_EQ(fixed(123456.78, 5, 0, 3), "123456.780");
    EXPECT_EQ(fixed(2147483641, 10, 0, 3), "     0.000");
    EXPECT_EQ(fixed(3.14159265, 4, 0, 0), "3.1415927");
}

TEST(FormatFixed, RangeLimits) {
    EXPECT_EQ(fixed(2147483640.0, 10, 0, 3), "2147483640.000");
    EXPECT_EQ(fixed(-2147483640.0, 10, 0, 3), "-2147483640.000");
    EXPECT_EQ(fixed(2147483640.5, 10, 0, 3), "     0.000");
    EXPECT_EQ(fixed(-2147483640.5, 10, 1, 3), "     0,000");
    EXPECT_EQ(fixed(1e120, 10, 0, 3), "     0.000");
    EXPECT_EQ(fixed(std::numeric_limits<double>::infinity(), 10, 0, 3), "     0.000");
    EXPECT_EQ(fixed(-std::numeric_limits<double>::infinity(), 5, 0, 2), " 0.00");
    // The longest text: sign, ten digits, separator, seven decimals. Near 2^31
    // a double holds steps of 2^-22, so .9999 is stored as .99990010...
    EXPECT_EQ(fixed(-2147483639.9999, 0, 1, 7), "-2147483639,9999001");
}

TEST(FormatFixed, NotANumberPrintsAsZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(fixed(nan, 10, 0, 3), "     0.000");
    EXPECT_EQ(fixed(-nan, 10, 1, 3), "     0,000");
    EXPECT_EQ(fixed(nan, 5, 0, 0), "0.0000000");
}

TEST(FormatFixed, SignIsDecidedBeforeRounding) {
    EXPECT_EQ(fixed(-0.5, 10, 0, 3), "    -0.500");
    EXPECT_EQ(fixed(-0.0, 10, 0, 3), "     0.000");
    EXPECT_EQ(fixed(-0.9996, 10, 0, 3), "    -1.000");
}

TEST(FormatFixed, DecimalsOutsideOneToSevenMeanSeven) {
    const std::string seven = fixed(1.5, 0, 0, 7);
    EXPECT_EQ(seven, "1.5000000");
    EXPECT_EQ(fixed(1.5, 0, 0, 8), seven);
    EXPECT_EQ(fixed(1.5, 0, 0, 0), seven);
    EXPECT_EQ(fixed(1.5, 0, 0, -3), seven);
    EXPECT_EQ(fixed(1.25, 0, 0, 1), "1.3");
    EXPECT_EQ(fixed(7.0, 0, 1, 2), "7,00");
}

TEST(FormatFixed, RoundingThresholdAndNudge) {
    EXPECT_EQ(fixed(0.00048, 0, 0, 3), "0.001");
    EXPECT_EQ(fixed(0.00047, 0, 0, 3), "0.000");
    EXPECT_EQ(fixed(5.1235, 0, 0, 3), "5.124");
    EXPECT_EQ(fixed(5.12348, 0, 0, 3), "5.123");
    // Carry through every decimal into the integer part.
    EXPECT_EQ(fixed(9.9999, 0, 0, 3), "10.000");
    EXPECT_EQ(fixed(9.999, 0, 0, 3), "9.999");
    EXPECT_EQ(fixed(2147483639.9999, 0, 0, 3), "2147483640.000");
    EXPECT_EQ(fixed(0.0, 0, 0, 3), "0.000");
}

TEST(FormatFixed, SevenDecimalsStayInsideIntegerRange) {
    // F reaches 10^9 - 1 or, for a fraction just below one, the rounded
    // product 10^9; the clamp of the kept digits still gives a carry.
    EXPECT_EQ(fixed(0.99999999999, 0, 0, 7), "1.0000000");
    EXPECT_EQ(fixed(std::nextafter(1.0, 0.0), 0, 0, 7), "1.0000000");
    EXPECT_EQ(fixed(0.12345678, 0, 0, 7), "0.1234568");
    EXPECT_EQ(fixed(0.0000001, 0, 0, 7), "0.0000001");
}

TEST(FormatFixed, WidthPadsButNeverCuts) {
    EXPECT_EQ(fixed(1.0, 0, 0, 3), "1.000");
    EXPECT_EQ(fixed(1.0, -4, 0, 3), "1.000");
    EXPECT_EQ(fixed(1.0, 6, 0, 3), " 1.000");
    EXPECT_EQ(fixed(123456.789, 10, 0, 3), "123456.789");
    EXPECT_EQ(fixed(123456.789, 11, 0, 3), " 123456.789");
}

TEST(FormatFixed, StaysInsideItsCapacity) {
    char out[12];
    std::memset(out, '#', sizeof out);
    format_fixed(85.0, out, 8, 10, 1, 3);  // ten characters asked, room for seven
    EXPECT_EQ(std::string(out), "    85,");
    EXPECT_EQ(out[8], '#');
    std::memset(out, '#', sizeof out);
    format_fixed(-12.3456, out, 6, 0, 0, 3);
    EXPECT_EQ(std::string(out), "-12.3");
    EXPECT_EQ(out[6], '#');
    std::memset(out, '#', sizeof out);
    format_fixed(1.0, out, 11, 1000, 0, 3);  // a huge width is bounded too
    EXPECT_EQ(std::string(out), std::string(10, ' '));
    EXPECT_EQ(out[11], '#');
    // Exactly enough room: the same text as an unbounded buffer.
    std::memset(out, '#', sizeof out);
    format_fixed(85.0, out, 11, 10, 1, 3);
    EXPECT_EQ(std::string(out), "    85,000");
    out[0] = '#';
    format_fixed(85.0, out, 0, 10, 1, 3);
    EXPECT_EQ(out[0], '#');
    format_fixed(85.0, out, 1, 10, 1, 3);  // room for the terminator only
    EXPECT_EQ(out[0], '\0');
    format_fixed(85.0, nullptr, 11, 10, 1, 3);
}

TEST(SafeSqrt, GuardsTinyAndNegativeArguments) {
    EXPECT_EQ(safe_sqrt(-4.0), 0.0);
    EXPECT_EQ(safe_sqrt(1e-36), 0.0);
    EXPECT_EQ(safe_sqrt(9.995e-36), 0.0);
    EXPECT_EQ(safe_sqrt(-1e-300), 0.0);
    EXPECT_EQ(safe_sqrt(4.0), 2.0);
    EXPECT_EQ(safe_sqrt(0.0), 0.0);
    EXPECT_DOUBLE_EQ(safe_sqrt(1e-35), std::sqrt(1e-35));  // the test is strict
    EXPECT_GT(safe_sqrt(1e-35), 0.0);
}
