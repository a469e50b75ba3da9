// System information report composed from plain query values.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "sysinfo/ipv4_list.h"
#include "sysinfo/system_report.h"
#include "tests/expected/system_report_labels.h"

namespace {

// GetIpAddrTable's answers: one row with 127.0.0.1; one row of 0.0.0.0.
const unsigned char loopback_table[4 + ipv4_row_size] = {1, 0, 0, 0, 127, 0, 0, 1};
const unsigned char unset_address_table[4 + ipv4_row_size] = {1};

// What the version queries of a 64-bit Windows 7 Ultimate SP1 answer.
version_queries windows_7_ultimate() {
    version_queries q{};
    q.basic_ok = q.extended_ok = q.rtl_ok = 1;
    q.basic_major = q.extended_major = q.rtl_major = 6;
    q.basic_minor = q.extended_minor = q.rtl_minor = 1;
    q.basic_build = q.extended_build = q.rtl_build = 7601;
    std::strcpy(q.csd_version, "Service Pack 1");
    q.product_type_nt = 1;
    q.product_info_found = 1;
    q.product_type = 1;
    return q;
}

system_facts sample_facts() {
    system_facts f{};
    f.memory.extended = 1;
    f.memory.load_percent = 37;
    f.memory.total_physical = 8589934591ULL;        // one byte short of 8 GiB
    f.memory.available_physical = 4ULL << 30;
    f.memory.total_page_file = 16ULL << 30;
    f.memory.available_page_file = 10ULL << 30;
    f.memory.total_virtual = 140737488224256ULL;
    f.memory.available_virtual = 140000000000000ULL;
    f.cpu_mhz = 2904;
    f.processor_count = 4;
    f.screen_width = 1280;
    f.screen_height = 1024;
    f.bits_per_pixel = 24;
    f.refresh_hz = 60;
    f.ipv4_table = loopback_table;
    f.ipv4_table_size = sizeof loopback_table;
    f.system_bios_date = "01/02/03";
    f.video_bios_date = nullptr;
    f.windows_version = windows_7_ultimate();
    f.user_name = "alice";
    f.computer_name = "HOST";
    f.default_printer = "PDF,winspool,CUPS:PDF";
    f.tick_ms = 10807000;           // 3 h 0 min 7 s
    f.program_start_seconds = 10742;  // program up 65 s
    return f;
}

std::string compose(const system_facts& f, int german) {
    char buffer[4096];
    std::memset(buffer, 'x', sizeof buffer);
    compose_system_report_text(buffer, sizeof buffer, f, german);
    return buffer;
}

std::string uptimes(unsigned long long tick_ms, unsigned long long start_seconds, int german) {
    char buffer[512] = "";
    append_uptime_lines(buffer, sizeof buffer, tick_ms, start_seconds, german);
    return buffer;
}

// Text between a line's label and its closing "\r\n ".
std::string after_label(const std::string& lines, const std::string& label) {
    const std::size_t at = lines.find(label);
    if (at == std::string::npos) return "<no label>";
    const std::size_t from = at + label.size();
    const std::size_t end = lines.find("\r\n ", from);
    return lines.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

// A label pattern with its figures filled in.
std::string filled(const char* pattern, int a = 0, int b = 0, int c = 0) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

// The sample's uptime lines: Windows up 3 h 0 min 7 s, the program 65 s.
std::string uptime_lines(const system_report_labels& t) {
    return "\r\n\r\n " + std::string(expected_windows_uptime) + " 3 " + t.words[1][1] + "  0 " + t.words[2][1] +
           "  7 " + t.words[3][1] + " \r\n " + expected_program_uptime + " 0 " + t.words[1][1] + "  1 " + t.words[2][0] + "  5 " +
           t.words[3][1] + " \r\n ";
}

bool contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

}  // namespace

// The labels come from the table the end-to-end driver reads too.
TEST(SystemReport, WholeEnglishReportInOrder) {
    const system_report_labels& t = english_report_labels;
    const std::string expected =
        t.memory_load + std::string("37% \r\n") + filled(t.physical, 8191) +
        "\r\n Free Physical Memory:    4096 MB "
        "\r\n Maximum Page Memory:    16384 MB "
        "\r\n Free Page Memory:       10240 MB " +
        filled(t.virtual_memory, 131071) +
        "\r\n Free Virtual Memory:   130385 GB " + t.note + filled(t.processors, 4) + t.clock + "2904 MHz" +
        t.processor_note + filled(t.screen, 1280, 1024, 24) + filled(t.refresh, 60) +
        "\r\n\r\n IPv4-Address: 127.0.0.1"
        "\r\n\r\n System-BIOS-Date: 01/02/03" +
        filled(t.os_lines, 6, 1, 7601) + "7 Ultimate" + expected_bitness + "Service Pack 1" + expected_user_line + "alice" +
        expected_computer_line + "HOST" +
        t.printer + "PDF,winspool,CUPS:PDF" + uptime_lines(t);
    EXPECT_EQ(compose(sample_facts(), 0), expected);
}

TEST(SystemReport, WholeGermanReportInOrder) {
    const system_report_labels& t = german_report_labels;
    system_facts f = sample_facts();
    f.ipv4_table = unset_address_table;
    f.system_bios_date = nullptr;
    f.video_bios_date = "12/31/99";
    const std::string expected =
        t.memory_load + std::string("37% \r\n") + filled(t.physical, 8191) +
        "\r\n Freier Physikalischer Speicher:    4096 MB "
        "\r\n Maximum Pagespeicher:             16384 MB "
        "\r\n Freier Pagespeicher:              10240 MB " +
        filled(t.virtual_memory, 131071) +
        "\r\n Freier Virtueller Speicher:      130385 GB " + t.note + filled(t.processors, 4) + t.clock +
        "2904 MHz" + t.processor_note + filled(t.screen, 1280, 1024, 24) + filled(t.refresh, 60) +
        "\r\n Video-BIOS-Datum:  12/31/99" +
        filled(t.os_lines, 6, 1, 7601) + "7 Ultimate" + expected_bitness + "Service Pack 1" + expected_user_line + "alice" +
        expected_computer_line + "HOST" +
        t.printer + "PDF,winspool,CUPS:PDF" + uptime_lines(t);
    EXPECT_EQ(compose(f, 1), expected);
}

TEST(SystemReport, MemoryFiguresRoundDownAndWidenPastSixPlaces) {
    system_facts f = sample_facts();
    f.memory.total_physical = (1ULL << 20) - 1;        // below one MiB
    f.memory.available_physical = 1000000ULL << 20;    // seven digits
    const std::string text = compose(f, 0);
    EXPECT_TRUE(contains(text, "\r\n Physical Memory:            0 MB "));
    EXPECT_TRUE(contains(text, "\r\n Free Physical Memory:  1000000 MB "));
    // Virtual sizes: whole GiB from whole MiB, so one MiB short of a GiB is 0.
    f.memory.total_virtual = (1ULL << 30) - (1ULL << 20);
    EXPECT_TRUE(contains(compose(f, 0), "\r\n Virtual Memory:             0 GB "));
    EXPECT_EQ(memory_megabytes(8589934591ULL), 8191u);
    // Cut to 32 bits after the shift, as the figures are kept.
    EXPECT_EQ(memory_megabytes((1ULL << 52) + (5ULL << 20)), 5u);
}

TEST(SystemReport, MemoryNoteNamesTheQueryThatAnswered) {
    system_facts f = sample_facts();
    f.memory.extended = 0;
    const std::string english = compose(f, 0);
    EXPECT_TRUE(contains(english, " Win-API \"GlobalMemoryStatus\" \r\n"));
    EXPECT_FALSE(contains(english, "GlobalMemoryStatusEx"));
    EXPECT_TRUE(contains(compose(f, 1), "Werte gem\xE4\xDF Win-API \"GlobalMemoryStatus\" \r\n"));
}

TEST(SystemReport, ProcessorNoteAndClockLine) {
    system_facts f = sample_facts();
    f.processor_count = 1;
    f.cpu_mhz = 0;
    std::string text = compose(f, 0);
    // No clock and one processor: the screen line follows at once.
    EXPECT_TRUE(contains(text, "Number of Processors:  1 \r\n\r\n Screen Resolution"));
    f.processor_count = 2;
    text = compose(f, 1);
    EXPECT_TRUE(contains(text, "Anzahl der Prozessoren:  2 \r\n (nur ein Prozessor wird vom Programm verwendet) "));
    f.cpu_mhz = -42;  // every non-zero answer is shown
    EXPECT_TRUE(contains(compose(f, 0), "\r\n Actual CPU-Frequency: ~-42 MHz\r\n (only one"));
}

TEST(SystemReport, RefreshLineOnlyAboveTenHertz) {
    system_facts f = sample_facts();
    f.refresh_hz = 10;
    EXPECT_FALSE(contains(compose(f, 0), "Refreshing"));
    EXPECT_FALSE(contains(compose(f, 1), "Wiederholfrequenz"));
    f.refresh_hz = 11;
    EXPECT_TRUE(contains(compose(f, 0), "Bit \r\n Screen Refreshing Frequency (vertical) = 11 Hertz \r\n\r\n"));
    EXPECT_TRUE(contains(compose(f, 1), "Bit \r\n Bildschirm Wiederholfrequenz (vertikal) = 11 Hertz "));
    f.refresh_hz = -1;
    EXPECT_FALSE(contains(compose(f, 0), "Hertz"));
}

TEST(SystemReport, MissingFactsLeaveOutOnlyTheirLines) {
    system_facts f = sample_facts();
    f.ipv4_table = nullptr;
    f.system_bios_date = nullptr;
    f.video_bios_date = nullptr;
    f.windows_version = version_queries{};
    std::string text = compose(f, 0);
    EXPECT_FALSE(contains(text, "IPv4"));
    EXPECT_FALSE(contains(text, "BIOS"));
    EXPECT_FALSE(contains(text, "Operating System"));
    EXPECT_FALSE(contains(text, " = Windows"));
    EXPECT_TRUE(contains(text, "60 Hertz " + std::string(expected_user_line) + "alice"));

    // The basic query alone still gives the lines.
    f.windows_version.basic_ok = 1;
    f.windows_version.basic_major = 6;
    f.windows_version.basic_minor = 1;
    f.windows_version.basic_build = 7601;
    text = compose(f, 0);
    EXPECT_TRUE(contains(text, "Build: 7601 \r\n = Windows 7" + std::string(expected_bitness) + "\r\n\r\n User"));
}

TEST(SystemReport, PrinterLineNeedsFourCharacters) {
    system_facts f = sample_facts();
    f.default_printer = "abc";
    EXPECT_FALSE(contains(compose(f, 0), "Printer"));
    f.default_printer = "";
    EXPECT_FALSE(contains(compose(f, 1), "Drucker"));
    f.default_printer = "abcd";
    EXPECT_TRUE(contains(compose(f, 0), "\r\n Default  Printer = abcd\r\n\r\n " + std::string(expected_windows_uptime)));
    EXPECT_TRUE(contains(compose(f, 1), "\r\n Standard Drucker = abcd\r\n"));
}

TEST(SystemReport, EmptyNamesStillGiveTheirLabels) {
    system_facts f = sample_facts();
    f.user_name = nullptr;
    f.computer_name = "";
    EXPECT_TRUE(contains(compose(f, 0), std::string(expected_user_line) + expected_computer_line + "\r\n Default"));
}

TEST(SystemReport, ReplacesWhatTheBufferHeld) {
    char buffer[4096];
    std::memset(buffer, 'Q', sizeof buffer - 1);
    buffer[sizeof buffer - 1] = '\0';
    compose_system_report_text(buffer, sizeof buffer, sample_facts(), 0);
    EXPECT_EQ(std::string(buffer).rfind("\r\n Used Memory:", 0), 0u);
    EXPECT_FALSE(contains(buffer, "Q"));
    compose_system_report_text(buffer, 1, sample_facts(), 0);  // room for the terminator only
    EXPECT_EQ(std::string(buffer, 2), std::string("\0\n", 2));
}

// Text after each uptime label, both lines, for the worked examples.
TEST(SystemReportUptime, WorkedExamplesByteForByte) {
    struct example {
        unsigned long long windows_seconds, program_seconds;
        int german;
        const char* windows_line;
        const char* program_line;
    };
    const unsigned long long day = 86400;
    const example examples[] = {
        {12 * day + 5 * 3600 + 12 * 60 + 3, 80, 0, "12 Days  5 Hours 12 Minutes  3 Seconds ",
         " 0 Days  0 Hours  1 Minute  20 Seconds "},
        {12 * day + 5 * 3600 + 12 * 60 + 3, 80, 1, "12 Tage  5 Stunden 12 Minuten  3 Sekunden ",
         " 0 Tage  0 Stunden  1 Minute  20 Sekunden "},
        {3 * 3600 + 7, 65, 0, " 3 Hours  0 Minutes  7 Seconds ", " 0 Hours  1 Minute   5 Seconds "},
        {3 * 3600 + 7, 65, 1, " 3 Stunden  0 Minuten  7 Sekunden ", " 0 Stunden  1 Minute   5 Sekunden "},
        {day + 3600 + 60 + 1, day + 1, 0, "1 Day   1 Hour   1 Minute   1 Second ",
         "1 Day   0 Hours  0 Minutes  1 Second "},
        {day + 3600 + 60 + 1, day + 1, 1, "1 Tag   1 Stunde   1 Minute   1 Sekunde ",
         "1 Tag   0 Stunden  0 Minuten  1 Sekunde "},
    };
    for (const example& e : examples) {
        // The tick count carries milliseconds that must be dropped.
        const unsigned long long tick = e.windows_seconds * 1000 + 999;
        const std::string lines = uptimes(tick, e.windows_seconds - e.program_seconds, e.german);
        EXPECT_EQ(lines.rfind("\r\n\r\n " + std::string(expected_windows_uptime), 0), 0u) << lines;
        EXPECT_EQ(after_label(lines, expected_windows_uptime), e.windows_line);
        EXPECT_EQ(after_label(lines, expected_program_uptime), e.program_line);
        // Each line closes with "\r\n "; the program label follows the first.
        EXPECT_TRUE(contains(lines, std::string(e.windows_line) + "\r\n " + expected_program_uptime));
        EXPECT_EQ(lines.substr(lines.size() - 3), "\r\n ");
    }
}

TEST(SystemReportUptime, DaysPartAndAlignment) {
    const unsigned long long day = 86400;
    // Below one day: no days part in either line.
    std::string lines = uptimes((day - 1) * 1000, 100, 0);
    EXPECT_FALSE(contains(lines, "Day"));
    EXPECT_EQ(after_label(lines, expected_windows_uptime), "23 Hours 59 Minutes 59 Seconds ");
    // Windows days shown, program below one day: the program line keeps a days part.
    lines = uptimes((2 * day + 5) * 1000, 2 * day, 0);
    EXPECT_EQ(after_label(lines, expected_program_uptime), "0 Days  0 Hours  0 Minutes  5 Seconds ");
    // Two-digit Windows days and two-digit program days: no extra blank.
    lines = uptimes(40 * day * 1000, 10 * day, 1);
    EXPECT_EQ(after_label(lines, expected_program_uptime), "30 Tage  0 Stunden  0 Minuten  0 Sekunden ");
    // Two digits from ten Windows days on: a one-digit program count gets a blank.
    EXPECT_EQ(after_label(uptimes(10 * day * 1000, day, 0), expected_program_uptime), " 9 Days  0 Hours  0 Minutes  0 Seconds ");
    EXPECT_EQ(after_label(uptimes(20 * day * 1000, 10 * day, 0), expected_program_uptime), "10 Days  0 Hours  0 Minutes  0 Seconds ");
    EXPECT_EQ(after_label(uptimes(9 * day * 1000, 0, 0), expected_program_uptime), "9 Days  0 Hours  0 Minutes  0 Seconds ");
    // Three-digit days widen the line (columns only hold below 100 days).
    lines = uptimes(123 * day * 1000, 123 * day, 0);
    EXPECT_EQ(after_label(lines, expected_windows_uptime), "123 Days  0 Hours  0 Minutes  0 Seconds ");
    EXPECT_EQ(after_label(lines, expected_program_uptime), " 0 Days  0 Hours  0 Minutes  0 Seconds ");
}

TEST(SystemReportUptime, SixtyFourBitTickCountDoesNotWrap) {
    // 60 days exceed the 32-bit millisecond counter (49.7 days).
    const unsigned long long tick = 60ULL * 86400 * 1000 + 7000;
    const unsigned long long start = 60ULL * 86400 - 3600;  // program up one hour and 7 s
    const std::string lines = uptimes(tick, start, 0);
    EXPECT_EQ(after_label(lines, expected_windows_uptime), "60 Days  0 Hours  0 Minutes  7 Seconds ");
    EXPECT_EQ(after_label(lines, expected_program_uptime), " 0 Days  1 Hour   0 Minutes  7 Seconds ");
    // A start time ahead of the clock shows zero rather than a huge count.
    EXPECT_EQ(after_label(uptimes(5000, 10, 0), expected_program_uptime), " 0 Hours  0 Minutes  0 Seconds ");
}

// The longest report the gatherers can hand over stays inside the 4096-byte
// buffer, and a short buffer is filled and terminated, never overrun
// (run under AddressSanitizer in the asan build).
TEST(SystemReportBounds, LongestInputsStayInsideTheBuffer) {
    const std::string long_name(300, 'N');   // beyond the 120-byte name buffers
    const std::string long_bios(100, 'B');   // beyond the 32-byte value buffer
    const std::string long_printer(300, 'P');

    unsigned char table[ipv4_table_size] = {};
    table[0] = 15;
    for (int r = 0; r < 15; ++r) {
        unsigned char* a = table + 4 + r * ipv4_row_size;
        a[0] = 255; a[1] = 255; a[2] = 255; a[3] = static_cast<unsigned char>(100 + r);
    }
    system_facts f = sample_facts();
    f.memory.total_physical = ~0ULL;
    f.memory.total_page_file = ~0ULL;
    f.cpu_mhz = -2147483647 - 1;
    f.processor_count = 2147483647;
    f.screen_width = f.screen_height = f.bits_per_pixel = f.refresh_hz = -2147483647 - 1;
    f.refresh_hz = 2147483647;
    f.ipv4_table = table;
    f.ipv4_table_size = sizeof table;
    const std::string full_bios(32, 'V');     // fills the value buffer without a terminator
    f.system_bios_date = long_bios.c_str();
    f.video_bios_date = full_bios.c_str();
    // The widest figures, and the longest service-pack text shown.
    f.windows_version.rtl_major = f.windows_version.rtl_minor = f.windows_version.rtl_build = 0x80000000u;
    std::memset(f.windows_version.csd_version, 'W', 47);
    f.windows_version.csd_version[47] = '\0';
    f.user_name = long_name.c_str();
    f.computer_name = long_name.c_str();
    f.default_printer = long_printer.c_str();
    f.tick_ms = ~0ULL;
    f.program_start_seconds = 0;

    for (int german = 0; german <= 1; ++german) {
        // Exactly-sized heap buffer so ASan sees any byte written past it.
        char* buffer = new char[4096];
        compose_system_report_text(buffer, 4096, f, german);
        const std::string text = buffer;
        delete[] buffer;
        EXPECT_LT(text.size(), 4095u) << "the report must not reach the end of its buffer";
        // Names cut to 119 characters, BIOS values to 32 (a 32-byte value shown whole).
        EXPECT_TRUE(contains(text, "Name    = " + std::string(119, 'N') + "\r\n"));
        EXPECT_TRUE(contains(text, "= " + std::string(119, 'P') + "\r\n\r\n " + expected_windows_uptime));
        EXPECT_TRUE(contains(text, ": " + std::string(32, 'B') + "\r\n"));
        EXPECT_TRUE(contains(text, ":  " + std::string(32, 'V') + "\r\n"));
        EXPECT_TRUE(contains(text, "Build: -2147483648 \r\n = Windows unknown Version " + std::string(47, 'W') + "\r\n"));
        EXPECT_TRUE(contains(text, "255.255.255.114"));
        EXPECT_EQ(text.substr(text.size() - 3), "\r\n ");

        char* small = new char[100];
        compose_system_report_text(small, 100, f, german);
        EXPECT_EQ(std::strlen(small), 99u);
        delete[] small;
    }
    f.video_bios_date = long_bios.c_str();
    EXPECT_TRUE(contains(compose(f, 0), "Video-BIOS-Date:  " + std::string(32, 'B') + "\r\n"));
}
