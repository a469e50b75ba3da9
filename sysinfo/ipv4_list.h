#pragma once
// Portable IPv4 section of the system report from the raw address table.

enum {
    ipv4_table_rows = 15,
    ipv4_row_size = 24,                                  // MIB_IPADDRROW
    ipv4_table_size = 4 + ipv4_table_rows * ipv4_row_size,  // 364 bytes
};

// `table` holds `table_size` bytes as GetIpAddrTable filled them: a 32-bit
// entry count, then the rows, each beginning with the address in network
// byte order. Rows beyond the bytes given are never read. Writes the
// section (possibly empty) over `out`.
void compose_ipv4_section(char* out, int capacity, const unsigned char* table, int table_size,
                          int german);
