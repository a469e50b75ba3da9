#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calc/text.h"

TEST(Text, LengthCountsBytesBeforeTerminator) {
    EXPECT_EQ(text_length(""), 0);
    EXPECT_EQ(text_length("a"), 1);
    EXPECT_EQ(text_length("Höhe:"), 5);  // umlaut is one Windows-1252 byte
    EXPECT_EQ(text_length("\r\n "), 3);
    EXPECT_EQ(text_length(nullptr), 0);
}

TEST(Text, CopyAndAppendBuildOneText) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    copy_text(buffer, "abc");
    EXPECT_STREQ(buffer, "abc");
    append_text(buffer, "def");
    append_text(buffer, "");
    append_text(buffer, "\r\n");
    EXPECT_STREQ(buffer, "abcdef\r\n");
    EXPECT_EQ(buffer[9], 'x');  // nothing written behind the terminator

    // Appending to an empty buffer gives the same bytes as copying.
    char copied[16];
    char appended[16];
    std::memset(copied, 'y', sizeof copied);
    std::memset(appended, 'y', sizeof appended);
    copy_text(copied, "Grad ");
    appended[0] = '\0';
    append_text(appended, "Grad ");
    EXPECT_EQ(0, std::memcmp(copied, appended, sizeof copied));
}

TEST(Text, WritersStayInsideTheirCapacity) {
    // A guard byte behind the declared room must survive every write.
    char buffer[9];
    std::memset(buffer, '#', sizeof buffer);
    copy_text(buffer, 8, "0123456789");
    EXPECT_STREQ(buffer, "0123456");
    EXPECT_EQ(buffer[8], '#');

    std::memset(buffer, '#', sizeof buffer);
    copy_text(buffer, 8, "abcd");
    append_text(buffer, 8, "efgh");
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_EQ(buffer[8], '#');
    append_text(buffer, 8, "more");  // already full: stays as it is
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_EQ(buffer[8], '#');

    // Exactly fitting text is not cut.
    std::memset(buffer, '#', sizeof buffer);
    copy_text(buffer, 8, "1234567");
    EXPECT_STREQ(buffer, "1234567");

    // A destination without a terminator inside its room gets one at its end.
    std::memset(buffer, 'z', sizeof buffer);
    buffer[8] = '#';
    append_text(buffer, 8, "q");
    EXPECT_EQ(std::string(buffer), "zzzzzzz");
    EXPECT_EQ(buffer[8], '#');

    // No room at all: nothing is touched, not even the byte before.
    buffer[0] = '#';
    buffer[1] = '#';
    copy_text(buffer + 1, 0, "abc");
    append_text(buffer + 1, 0, "abc");
    append_text(buffer + 1, -1, "abc");
    EXPECT_EQ(std::string(buffer, 2), "##");
    copy_text(buffer, 1, "abc");
    EXPECT_EQ(buffer[0], '\0');
    append_text(buffer + 1, 1, "abc");  // room for the terminator only
    EXPECT_EQ(std::string(buffer, 3), std::string("\0\0z", 3));
}

TEST(Text, ReverseSwapsBytesInPlace) {
    char empty[1] = "";
    reverse_text(empty);
    EXPECT_STREQ(empty, "");
    char one[] = "a";
    reverse_text(one);
    EXPECT_STREQ(one, "a");
    char even[] = "abcd";
    reverse_text(even);
    EXPECT_STREQ(even, "dcba");
    char odd[] = "12,345";
    reverse_text(odd);
    EXPECT_STREQ(odd, "543,21");
    char bytes[] = "\xE4\xF6x";
    reverse_text(bytes);
    EXPECT_STREQ(bytes, "x\xF6\xE4");
}

TEST(Text, PowerOfTenExactOverCallersRange) {
    int expected = 1;
    for (int n = 0; n <= 9; ++n) {
        EXPECT_EQ(power_of_ten(n), expected) << n;
        if (n < 9) expected *= 10;
    }
    EXPECT_EQ(power_of_ten(9), 1000000000);
    // Outside the range: saturates rather than overflowing (UBSan would stop here).
    EXPECT_EQ(power_of_ten(10), 1000000000);
    EXPECT_EQ(power_of_ten(12), 1000000000);
    EXPECT_EQ(power_of_ten(-1), 1);
}
