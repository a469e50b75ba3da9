#pragma once
// Win32: the IPv4 section of the system report from the IP Helper library,
// loaded for the call only; empty when the library or its table is unavailable.
void list_ipv4_addresses(char* out, int capacity, int german);
