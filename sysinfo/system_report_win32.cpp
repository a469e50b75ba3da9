#include "sysinfo/system_report_win32.h"

#include "app/app_state.h"
#include "sysinfo/cpu_frequency_win32.h"
#include "sysinfo/ipv4_list_win32.h"
#include "sysinfo/system_report.h"
#include "win32/scoped_handles.h"
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

// A BIOS value as text; false when it is missing or does not fit.
bool read_bios_value(HKEY key, const char* name, char (&value)[report_bios_value_size + 1]) {
    DWORD size = report_bios_value_size;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
        return false;
    // The value's bytes need not end in a terminator.
    const DWORD room = report_bios_value_size;
    value[size <= room ? size : room] = '\0';
    return true;
}

}  // namespace

void compose_system_report(char* buffer, int capacity, int german) {
    system_facts facts{};
    read_memory(facts.memory);
    facts.cpu_mhz = probe_cpu_frequency();

    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    facts.processor_count = static_cast<int>(system.dwNumberOfProcessors);

    {
        const window_dc screen = get_window_dc(nullptr);
        if (screen.get() != nullptr) {
            facts.screen_width = GetDeviceCaps(screen.get(), HORZRES);
            facts.screen_height = GetDeviceCaps(screen.get(), VERTRES);
            facts.bits_per_pixel = GetDeviceCaps(screen.get(), BITSPIXEL);
            facts.refresh_hz = GetDeviceCaps(screen.get(), VREFRESH);
        }
    }

    char ipv4_section[report_line_buffer_size];
    list_ipv4_addresses(ipv4_section, sizeof ipv4_section, german);
    facts.ipv4_section = ipv4_section;

    char system_bios[report_bios_value_size + 1];
    char video_bios[report_bios_value_size + 1];
    {
        const registry_key system_key =
            open_registry_key(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\SYSTEM", KEY_READ);
        if (system_key.valid()) {
            if (read_bios_value(system_key.get(), "SystemBiosDate", system_bios)) facts.system_bios_date = system_bios;
            if (read_bios_value(system_key.get(), "VideoBiosDate", video_bios)) facts.video_bios_date = video_bios;
        }
    }

    char description[report_description_size];
    facts.version_count = describe_windows_version(description, sizeof description, &facts.major_version,
                                                   &facts.minor_version, &facts.build_number);
    facts.windows_description = description;

    // An unreadable name shows as empty.
    char user[report_name_size] = "";
    DWORD size = sizeof user;
    if (!GetUserNameA(user, &size)) user[0] = '\0';
    facts.user_name = user;
    char computer[report_name_size] = "";
    size = sizeof computer;
    if (!GetComputerNameA(computer, &size)) computer[0] = '\0';
    facts.computer_name = computer;
    char printer[report_name_size] = "";
    GetProfileStringA("windows", "device", "", printer, sizeof printer);
    facts.default_printer = printer;

    // The 64-bit counter: the 32-bit one wraps after 49.7 days.
    facts.tick_ms = GetTickCount64();
    facts.program_start_seconds = program_start_seconds;

    compose_system_report_text(buffer, capacity, facts, german);
}
