#include "sysinfo/system_report_win32.h"

#include "sysinfo/cpu_frequency_win32.h"
#include "sysinfo/ipv4_list_win32.h"
#include "sysinfo/system_report.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"
#include "sysinfo/windows_version_win32.h"

namespace {

void read_memory(memory_status& memory) {
    MEMORYSTATUSEX extended{};
    extended.dwLength = sizeof extended;
    if (GlobalMemoryStatusEx(&extended)) {
        memory.extended = 1;
        memory.load_percent = extended.dwMemoryLoad;
        memory.total_physical = extended.ullTotalPhys;
        memory.available_physical = extended.ullAvailPhys;
        memory.total_page_file = extended.ullTotalPageFile;
        memory.available_page_file = extended.ullAvailPageFile;
        memory.total_virtual = extended.ullTotalVirtual;
        memory.available_virtual = extended.ullAvailVirtual;
        return;
    }
    MEMORYSTATUS basic{};
    basic.dwLength = sizeof basic;
    GlobalMemoryStatus(&basic);
    memory.extended = 0;
    memory.load_percent = basic.dwMemoryLoad;
    memory.total_physical = basic.dwTotalPhys;
    memory.available_physical = basic.dwAvailPhys;
    memory.total_page_file = basic.dwTotalPageFile;
    memory.available_page_file = basic.dwAvailPageFile;
    memory.total_virtual = basic.dwTotalVirtual;
    memory.available_virtual = basic.dwAvailVirtual;
}

// A BIOS value as text; false when it is missing or does not fit. A text
// value comes as UTF-16 and holds up to report_bios_value_size characters; a
// binary one is taken byte for byte, up to report_bios_value_size bytes.
// Neither need end in a terminator.
bool read_bios_value(HKEY key, const wchar_t* name, char (&value)[report_bios_value_size + 1]) {
    wchar_t text[report_bios_value_size + 1];
    DWORD type = 0;
    DWORD size = report_bios_value_size * sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return false;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        text[size / sizeof(wchar_t)] = L'\0';
        narrow_1252(text, value, report_bios_value_size + 1);
        return true;
    }
    if (size > report_bios_value_size) return false;
    const char* bytes = reinterpret_cast<const char*>(text);
    for (DWORD i = 0; i < size; ++i) value[i] = bytes[i];
    value[size] = '\0';
    return true;
}


void read_screen(system_facts& facts) {
    const window_dc screen = get_window_dc(nullptr);
    if (screen.get() == nullptr) return;
    facts.screen_width = GetDeviceCaps(screen.get(), HORZRES);
    facts.screen_height = GetDeviceCaps(screen.get(), VERTRES);
    facts.bits_per_pixel = GetDeviceCaps(screen.get(), BITSPIXEL);
    facts.refresh_hz = GetDeviceCaps(screen.get(), VREFRESH);
}

void read_bios_dates(system_facts& facts, char (&system_bios)[report_bios_value_size + 1],
                     char (&video_bios)[report_bios_value_size + 1]) {
    const registry_key system_key = open_registry_key(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\SYSTEM", KEY_READ);
    if (!system_key.valid()) return;
    if (read_bios_value(system_key.get(), L"SystemBiosDate", system_bios)) facts.system_bios_date = system_bios;
    if (read_bios_value(system_key.get(), L"VideoBiosDate", video_bios)) facts.video_bios_date = video_bios;
}

// The user, computer and default printer names. An unreadable name shows as
// empty. Read wide and narrowed to the report's 1252, so a name is right
// whatever the system's code page.
void read_names(char (&user)[report_name_size], char (&computer)[report_name_size],
                char (&printer)[report_name_size]) {
    wchar_t name[report_name_size] = L"";
    DWORD size = report_name_size;
    if (GetUserNameW(name, &size)) narrow_1252(name, user, report_name_size);
    size = report_name_size;
    if (GetComputerNameW(name, &size)) narrow_1252(name, computer, report_name_size);
    name[0] = L'\0';
    GetProfileStringW(L"windows", L"device", L"", name, report_name_size);
    narrow_1252(name, printer, report_name_size);
}

}  // namespace

void compose_system_report(char* buffer, int capacity, int german, unsigned long long program_start_seconds) {
    system_facts facts{};
    read_memory(facts.memory);
    facts.cpu_mhz = probe_cpu_frequency();

    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    facts.processor_count = static_cast<int>(system.dwNumberOfProcessors);
    read_screen(facts);

    alignas(8) unsigned char ipv4_table[ipv4_table_size] = {};
    if (read_ipv4_table(ipv4_table)) {
        facts.ipv4_table = ipv4_table;
        facts.ipv4_table_size = static_cast<int>(sizeof ipv4_table);
    }

    char system_bios[report_bios_value_size + 1];
    char video_bios[report_bios_value_size + 1];
    read_bios_dates(facts, system_bios, video_bios);

    facts.windows_version = query_windows_version();

    char user[report_name_size] = "";
    char computer[report_name_size] = "";
    char printer[report_name_size] = "";
    read_names(user, computer, printer);
    facts.user_name = user;
    facts.computer_name = computer;
    facts.default_printer = printer;

    // The 64-bit counter: the 32-bit one wraps after 49.7 days.
    facts.tick_ms = GetTickCount64();
    facts.program_start_seconds = program_start_seconds;

    compose_system_report_text(buffer, capacity, facts, german);
}
