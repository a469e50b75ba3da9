#include "sysinfo/ipv4_list_win32.h"

#include "calc/text.h"
#include "sysinfo/ipv4_list.h"
#include "win32/scoped_handles.h"

namespace {
typedef DWORD(WINAPI* get_ip_addr_table_fn)(void*, ULONG*, BOOL);
}

void list_ipv4_addresses(char* out, int capacity, int german) {
    // A copy planted beside the program must never load in its place.
    const loaded_library helper = load_system_library(L"iphlpapi.dll");
    copy_text(out, capacity, "");
    auto get_ip_addr_table = find_entry<get_ip_addr_table_fn>(helper.get(), "GetIpAddrTable");
    if (get_ip_addr_table == nullptr) return;

    // Room for 15 rows; a machine with more gets ERROR_INSUFFICIENT_BUFFER and no section.
    alignas(8) unsigned char table[ipv4_table_size] = {};
    ULONG size = sizeof table;
    if (get_ip_addr_table(table, &size, TRUE) != NO_ERROR) return;
    compose_ipv4_section(out, capacity, table, static_cast<int>(sizeof table), german);
}
