#include "sysinfo/ipv4_list_win32.h"

#include "win32/scoped_handles.h"

namespace {
typedef DWORD(WINAPI* get_ip_addr_table_fn)(void*, ULONG*, BOOL);
}

bool read_ipv4_table(unsigned char (&table)[ipv4_table_size]) {
    // A copy planted beside the program must never load in its place.
    const loaded_library helper = load_system_library(L"iphlpapi.dll");
    auto get_ip_addr_table = find_entry<get_ip_addr_table_fn>(helper.get(), "GetIpAddrTable");
    if (get_ip_addr_table == nullptr) return false;
    // Room for 15 rows; a machine with more gets ERROR_INSUFFICIENT_BUFFER and no section.
    ULONG size = sizeof table;
    return get_ip_addr_table(table, &size, TRUE) == NO_ERROR;
}
