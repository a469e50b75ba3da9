#pragma once
// Win32: the IPv4 address table from the IP Helper library, loaded for the
// call only (see ipv4_list.h for the table).
#include "sysinfo/ipv4_list.h"

// False when the library or its table is unavailable, or the table has
// more rows than there is room for.
bool read_ipv4_table(unsigned char (&table)[ipv4_table_size]);
