#include "sysinfo/system_report.h"

#include <cstdarg>
#include <cstdio>

#include "calc/text.h"
#include "sysinfo/ipv4_list.h"

namespace {

// One piece in the line buffer, as the report formats each piece; vsnprintf
// keeps it inside the buffer whatever the arguments.
struct line_buffer {
    char text[report_line_buffer_size];
};

// The compiler checks each format against its arguments. MinGW's C++ runtime
// formats the GNU way (its own printf), not msvcrt's.
#if defined(__MINGW32__)
#define FARSPAN_PRINTF_FORMAT(f, a) __attribute__((format(__MINGW_PRINTF_FORMAT, f, a)))
#else
#define FARSPAN_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#endif

FARSPAN_PRINTF_FORMAT(2, 3)
void format_piece(line_buffer& line, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(line.text, sizeof line.text, format, arguments);
    va_end(arguments);
    if (written < 0) line.text[0] = '\0';
}

// A name copied through a fixed buffer of the size the queries use, so an
// overlong text can never widen the report beyond its planned size.
struct bounded_name {
    char text[report_name_size];
    explicit bounded_name(const char* source) { copy_text(text, source); }
};

const char* const memory_labels[2][7] = {
    {"\r\n Used Memory:", "Physical Memory:      ", "Free Physical Memory: ",
     "Maximum Page Memory:  ", "Free Page Memory:     ", "Virtual Memory:       ",
     "Free Virtual Memory:  "},
    {"\r\n Speicherbelegung:", "Physikalischer Speicher:        ",
     "Freier Physikalischer Speicher: ", "Maximum Pagespeicher:           ",
     "Freier Pagespeicher:            ", "Virtueller Speicher:            ",
     "Freier Virtueller Speicher:     "},
};

struct unit_words {
    const char* singular;
    const char* plural;
};
// Days, hours, minutes, seconds. The trailing blanks keep the columns.
const unit_words uptime_words[2][4] = {
    {{"Day ", "Days"}, {"Hour ", "Hours"}, {"Minute ", "Minutes"}, {"Second", "Seconds"}},
    {{"Tag ", "Tage"}, {"Stunde ", "Stunden"}, {"Minute ", "Minuten"}, {"Sekunde", "Sekunden"}},
};

const char* unit_word(int german, int unit, unsigned long long value) {
    const unit_words& words = uptime_words[german ? 1 : 0][unit];
    return value == 1 ? words.singular : words.plural;
}

void append_memory_lines(char* buffer, int capacity, const memory_status& memory, int german,
                         line_buffer& line) {
    const int lang = german ? 1 : 0;
    const unsigned long long sizes[6] = {memory.total_physical,   memory.available_physical,
                                         memory.total_page_file,  memory.available_page_file,
                                         memory.total_virtual,    memory.available_virtual};
    format_piece(line, "%s %i%% \r\n", memory_labels[lang][0], static_cast<int>(memory.load_percent));
    copy_text(buffer, capacity, line.text);

    char unit[3] = "MB";
    for (int i = 0; i < 6; ++i) {
        unsigned value = memory_megabytes(sizes[i]);
        if (i >= 4) {
            value >>= 10;
            unit[0] = 'G';
        }
        format_piece(line, "\r\n %s %6i %s ", memory_labels[lang][i + 1], static_cast<int>(value), unit);
        append_text(buffer, capacity, line.text);
    }

    char api_name[64];
    copy_text(api_name, " Win-API \"GlobalMemoryStatus");
    if (memory.extended) append_text(api_name, "Ex");
    format_piece(line,
                 german ? "\r\n\r\n Werte gemäß%s\" \r\n (es kann aber mehr RAM-Speicher installiert sein) "
                        : "\r\n\r\n Values acc. to%s\" \r\n (de facto more installed RAM is possible) ",
                 api_name);
    append_text(buffer, capacity, line.text);
}

void append_processor_and_screen(char* buffer, int capacity, const system_facts& facts, int german,
                                 line_buffer& line) {
    format_piece(line,
                 german ? "\r\n\r\n Anzahl der Prozessoren:  %d " : "\r\n\r\n Number of Processors:  %d ",
                 facts.processor_count);
    append_text(buffer, capacity, line.text);
    if (facts.cpu_mhz != 0) {
        format_piece(line, german ? "\r\n Aktuelle CPU-Frequenz:  ~%d MHz" : "\r\n Actual CPU-Frequency: ~%d MHz",
                     facts.cpu_mhz);
        append_text(buffer, capacity, line.text);
    }
    if (facts.processor_count > 1) {
        append_text(buffer, capacity,
                    german ? "\r\n (nur ein Prozessor wird vom Programm verwendet) "
                           : "\r\n (only one Processor is used by the Program) ");
    }

    format_piece(line,
                 german ? "\r\n\r\n Bildschirmauflösung = %d x %d Pixel - Farbtiefe %d Bit "
                        : "\r\n\r\n Screen Resolution = %d x %d Pixel - Color Depth %d Bit ",
                 facts.screen_width, facts.screen_height, facts.bits_per_pixel);
    append_text(buffer, capacity, line.text);
    if (facts.refresh_hz > 10) {
        format_piece(line, " (vertikal) = %d Hertz ", facts.refresh_hz);
        if (german) {
            append_text(buffer, capacity, "\r\n Bildschirm Wiederholfrequenz");
        } else {
            line.text[7] = 'c';  // (vertical)
            append_text(buffer, capacity, "\r\n Screen Refreshing Frequency");
        }
        append_text(buffer, capacity, line.text);
    }
}

void append_bios_dates(char* buffer, int capacity, const system_facts& facts, int german) {
    // Room for a 32-byte value that came without a terminator.
    if (facts.system_bios_date != nullptr) {
        char value[report_bios_value_size + 1];
        copy_text(value, facts.system_bios_date);
        append_text(buffer, capacity, german ? "\r\n\r\n System-BIOS-Datum: " : "\r\n\r\n System-BIOS-Date: ");
        append_text(buffer, capacity, value);
    }
    if (facts.video_bios_date != nullptr) {
        char value[report_bios_value_size + 1];
        copy_text(value, facts.video_bios_date);
        append_text(buffer, capacity, german ? "\r\n Video-BIOS-Datum:  " : "\r\n Video-BIOS-Date:  ");
        append_text(buffer, capacity, value);
    }

}

void append_version_lines(char* buffer, int capacity, const version_queries& queries, int german,
                          line_buffer& line) {
    char description[report_description_size];
    int major = 0, minor = 0, build = 0;
    if (describe_windows_version_from(queries, description, sizeof description, major, minor, build) == 0) return;
    format_piece(line,
                 german ? "\r\n\r\n Betriebssystem Version: \r\n Hauptversion: %d - Unterversion: %d - Build: %d "
                        : "\r\n\r\n Operating System Version: \r\n Major Version: %d - Minor Version: %d - Build: %d ",
                 major, minor, build);
    append_text(buffer, capacity, line.text);
    append_text(buffer, capacity, "\r\n = ");
    append_text(buffer, capacity, description);
}

void append_names(char* buffer, int capacity, const system_facts& facts, int german) {
    const bounded_name user(facts.user_name);
    append_text(buffer, capacity, "\r\n\r\n User     Name    = ");
    append_text(buffer, capacity, user.text);

    const bounded_name computer(facts.computer_name);
    append_text(buffer, capacity, "\r\n Computer Name    = ");
    append_text(buffer, capacity, computer.text);

    const bounded_name printer(facts.default_printer);
    if (text_length(printer.text) >= 4) {
        append_text(buffer, capacity, german ? "\r\n Standard Drucker = " : "\r\n Default  Printer = ");
        append_text(buffer, capacity, printer.text);
    }
}

}  // namespace

unsigned memory_megabytes(unsigned long long bytes) {
    return static_cast<unsigned>(bytes >> 20);
}

void append_uptime_lines(char* buffer, int capacity, unsigned long long tick_ms,
                         unsigned long long program_start_seconds, int german) {
    line_buffer line;
    const unsigned long long windows_seconds = tick_ms / 1000;
    // The 64-bit counter does not wrap, so the start can only lie ahead of
    // "now" if the caller mixed clocks; show zero rather than a huge number.
    const unsigned long long program_seconds =
        windows_seconds >= program_start_seconds ? windows_seconds - program_start_seconds : 0;

    bool days_shown = false;
    bool windows_days_wide = false;  // the Windows line's days count has two or more digits
    for (int pass = 0; pass < 2; ++pass) {
        unsigned long long rest = pass == 0 ? windows_seconds : program_seconds;
        append_text(buffer, capacity, pass == 0 ? "\r\n\r\n Windows Uptime: " : "Program Uptime: ");

        const unsigned long long seconds = rest % 60;
        rest /= 60;
        const unsigned long long minutes = rest % 60;
        rest /= 60;
        const unsigned long long hours = rest % 24;
        const unsigned long long days = rest / 24;

        if (days != 0 || days_shown) {
            if (windows_days_wide && days <= 9) append_text(buffer, capacity, " ");
            format_piece(line, "%llu %s ", days, unit_word(german, 0, days));
            append_text(buffer, capacity, line.text);
            if (pass == 0) windows_days_wide = days >= 10;
            days_shown = true;
        }
        const unsigned long long parts[3] = {hours, minutes, seconds};
        for (int unit = 1; unit <= 3; ++unit) {
            format_piece(line, "%2d %s ", static_cast<int>(parts[unit - 1]), unit_word(german, unit, parts[unit - 1]));
            append_text(buffer, capacity, line.text);
        }
        append_text(buffer, capacity, "\r\n ");
    }
}

void compose_system_report_text(char* buffer, int capacity, const system_facts& facts, int german) {
    if (buffer == nullptr || capacity <= 0) return;
    line_buffer line;
    append_memory_lines(buffer, capacity, facts.memory, german, line);
    append_processor_and_screen(buffer, capacity, facts, german, line);
    if (facts.ipv4_table != nullptr) {
        compose_ipv4_section(line.text, sizeof line.text, facts.ipv4_table, facts.ipv4_table_size, german);
        append_text(buffer, capacity, line.text);
    }
    append_bios_dates(buffer, capacity, facts, german);
    append_version_lines(buffer, capacity, facts.windows_version, german, line);
    append_names(buffer, capacity, facts, german);
    append_uptime_lines(buffer, capacity, facts.tick_ms, facts.program_start_seconds, german);
}
