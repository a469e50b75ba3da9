#pragma once
// Portable composition of the system information report from the values the
// platform queries returned. No Windows calls here: the Win32 gatherer
// (system_report_win32.cpp) collects the facts and hands them over.
#include "sysinfo/windows_version.h"

enum {
    report_line_buffer_size = 1024,   // one formatted piece
    report_description_size = 512,    // the Windows description
    report_name_size = 120,           // user, computer, printer texts incl. terminator
    report_bios_value_size = 32,      // the most bytes a BIOS date value may have; one that fills them has no terminator
};

struct memory_status {
    int extended;            // 1 when the extended query (…Ex) answered
    unsigned load_percent;
    // Byte counts as the query returned them.
    unsigned long long total_physical;
    unsigned long long available_physical;
    unsigned long long total_page_file;
    unsigned long long available_page_file;
    unsigned long long total_virtual;
    unsigned long long available_virtual;
};

struct system_facts {
    memory_status memory;
    int cpu_mhz;                     // 0: clock unknown, no line
    int processor_count;
    int screen_width;
    int screen_height;
    int bits_per_pixel;
    int refresh_hz;                  // 10 or less: no line
    // The address table as GetIpAddrTable filled it (see ipv4_list.h);
    // nullptr: not read, no section.
    const unsigned char* ipv4_table;
    int ipv4_table_size;
    const char* system_bios_date;    // nullptr: value not read, no line
    const char* video_bios_date;     // nullptr: value not read, no line
    version_queries windows_version;  // none answered: no operating-system lines
    const char* user_name;
    const char* computer_name;
    const char* default_printer;     // fewer than 4 characters: no line
    unsigned long long tick_ms;      // milliseconds since Windows started (64-bit counter)
    unsigned long long program_start_seconds;
};

// Writes the whole report over `buffer` (never more than `capacity` bytes,
// terminator included). It ends with "\r\n " after the program uptime line.
void compose_system_report_text(char* buffer, int capacity, const system_facts& facts, int german);

// Appends the two uptime lines (from the blank line before "Windows Uptime:"
// to the closing "\r\n ").
void append_uptime_lines(char* buffer, int capacity, unsigned long long tick_ms,
                         unsigned long long program_start_seconds, int german);

// Memory figure as shown: whole MiB cut to 32 bits; for the virtual sizes whole GiB.
unsigned memory_megabytes(unsigned long long bytes);
