// The system report composed from arbitrary query answers and strings
// (names far beyond their usual size, texts with any bytes) must stay inside
// its buffer, stay terminated and end with the uptime lines.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sysinfo/system_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    system_facts facts{};
    facts.memory.extended = in.ConsumeBool();
    facts.memory.load_percent = in.ConsumeIntegral<unsigned>();
    facts.memory.total_physical = in.ConsumeIntegral<unsigned long long>();
    facts.memory.available_physical = in.ConsumeIntegral<unsigned long long>();
    facts.memory.total_page_file = in.ConsumeIntegral<unsigned long long>();
    facts.memory.available_page_file = in.ConsumeIntegral<unsigned long long>();
    facts.memory.total_virtual = in.ConsumeIntegral<unsigned long long>();
    facts.memory.available_virtual = in.ConsumeIntegral<unsigned long long>();
    facts.cpu_mhz = in.ConsumeIntegral<int>();
    facts.processor_count = in.ConsumeIntegral<int>();
    facts.screen_width = in.ConsumeIntegral<int>();
    facts.screen_height = in.ConsumeIntegral<int>();
    facts.bits_per_pixel = in.ConsumeIntegral<int>();
    facts.refresh_hz = in.ConsumeIntegral<int>();
    version_queries& version = facts.windows_version;
    version.basic_ok = in.ConsumeBool();
    version.extended_ok = in.ConsumeBool();
    version.rtl_ok = in.ConsumeBool();
    version.product_info_found = in.ConsumeBool();
    for (unsigned* figure : {&version.basic_major, &version.basic_minor, &version.basic_build, &version.extended_major,
                             &version.extended_minor, &version.extended_build, &version.rtl_major, &version.rtl_minor,
                             &version.rtl_build, &version.product_type_nt, &version.product_type})
        *figure = in.ConsumeIntegral<unsigned>();
    in.ConsumeData(version.csd_version, sizeof version.csd_version);
    // The address table: any bytes, of any length (its count need not match).
    const std::vector<unsigned char> table = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<int>(0, 1000));
    if (in.ConsumeBool()) {
        facts.ipv4_table = table.data();
        facts.ipv4_table_size = static_cast<int>(table.size());
    }
    facts.tick_ms = in.ConsumeIntegral<unsigned long long>();
    facts.program_start_seconds = in.ConsumeIntegral<unsigned long long>();
    const int german = in.ConsumeBool();
    const int capacity = in.ConsumeIntegralInRange<int>(1, 4096);

    // Strings may be absent (nullptr) or arbitrary, up to several KiB.
    std::string texts[5];
    const char* pointers[5];
    for (int i = 0; i < 5; ++i) {
        const bool present = in.ConsumeBool();
        texts[i] = in.ConsumeRandomLengthString(3000);
        pointers[i] = present ? texts[i].c_str() : nullptr;
    }
    facts.system_bios_date = pointers[0];
    facts.video_bios_date = pointers[1];
    facts.user_name = pointers[2] ? pointers[2] : "";
    facts.computer_name = pointers[3] ? pointers[3] : "";
    facts.default_printer = pointers[4] ? pointers[4] : "";

    static char buffer[4096 + 64];
    std::memset(buffer, 'X', sizeof buffer);
    compose_system_report_text(buffer, capacity, facts, german);
    if (!std::memchr(buffer, '\0', static_cast<std::size_t>(capacity))) std::abort();
    for (std::size_t i = static_cast<std::size_t>(capacity); i < sizeof buffer; ++i)
        if (buffer[i] != 'X') std::abort();
    return 0;
}
