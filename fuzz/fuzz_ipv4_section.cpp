// The IPv4 section from arbitrary table bytes (any entry count, any rows,
// any table size up to the real one) stays inside its buffer and lists at
// most four addresses to a line.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sysinfo/ipv4_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int german = data[0] & 1;
    const int capacity = 1 + data[1] * 4;  // 1 .. 1021
    unsigned char table[ipv4_table_size];
    const std::size_t table_size = std::min(size - 2, sizeof table);
    std::memcpy(table, data + 2, table_size);

    static char out[1024 + 64];
    std::memset(out, 'X', sizeof out);
    compose_ipv4_section(out, capacity, table, static_cast<int>(table_size), german);
    if (!std::memchr(out, '\0', static_cast<std::size_t>(capacity))) std::abort();
    for (std::size_t i = static_cast<std::size_t>(capacity); i < sizeof out; ++i)
        if (out[i] != 'X') std::abort();
    // Every line holds at most four addresses, so at most three commas.
    int commas = 0;
    for (const char* p = out; *p; ++p) {
        if (*p == '\n') commas = 0;
        else if (*p == ',' && ++commas > 3) std::abort();
    }
    return 0;
}
