#include "sysinfo/ipv4_list.h"

#include <cstdio>

#include "calc/text.h"

namespace {
enum { max_addresses = 32, address_text_size = 32 };
}

void compose_ipv4_section(char* out, int capacity, const unsigned char* table, int table_size,
                          int german) {
    if (out == nullptr || capacity <= 0) return;
    copy_text(out, capacity, "");
    if (table == nullptr || table_size < 4) return;

    const unsigned long entries = static_cast<unsigned long>(table[0]) | (static_cast<unsigned long>(table[1]) << 8) |
                                  (static_cast<unsigned long>(table[2]) << 16) |
                                  (static_cast<unsigned long>(table[3]) << 24);
    // Never trust the count beyond the rows the buffer really holds.
    const unsigned long rows_held = static_cast<unsigned long>((table_size - 4) / ipv4_row_size);
    const unsigned long rows = entries < rows_held ? entries : rows_held;

    char addresses[max_addresses][address_text_size];
    int count = 0;
    for (unsigned long r = 0; r < rows && count < max_addresses; ++r) {
        // dwAddr is in network byte order: first octet at the lowest address.
        const unsigned char* a = table + 4 + r * ipv4_row_size;
        if (a[0] == 0 && a[1] == 0 && a[2] == 0 && a[3] == 0) continue;
        std::snprintf(addresses[count], address_text_size, " %d.%d.%d.%d", a[0], a[1], a[2], a[3]);
        ++count;
    }
    if (count == 0) return;

    char heading[32];
    copy_text(heading, german ? "\r\n\r\n IPv4-Adressen:" : "\r\n\r\n IPv4-Addresses:");
    if (count == 1) {
        heading[17] = ':';  // IPv4-Adresse: / IPv4-Address:
        heading[18] = '\0';
    }
    append_text(out, capacity, heading);

    const char* indent = german ? "               " : "                ";  // 15 / 16 blanks
    for (int p = 0; p < count; ++p) {
        if (p % 4 == 0 && p != 0) {
            append_text(out, capacity, "\r\n");
            append_text(out, capacity, indent);
        }
        append_text(out, capacity, addresses[p]);
        if (p % 4 != 3 && p != count - 1) append_text(out, capacity, ",");
    }
}
