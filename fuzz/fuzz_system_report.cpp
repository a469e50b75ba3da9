// The system report composed from arbitrary query answers and strings
// (names far beyond their usual size, texts with any bytes) must stay inside
// its buffer, stay terminated and end with the uptime lines.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>

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
    facts.version_count = in.ConsumeIntegralInRange<int>(0, 2);
    facts.major_version = in.ConsumeIntegral<int>();
    facts.minor_version = in.ConsumeIntegral<int>();
    facts.build_number = in.ConsumeIntegral<int>();
    facts.tick_ms = in.ConsumeIntegral<unsigned long long>();
    facts.program_start_seconds = in.ConsumeIntegral<unsigned long long>();
    const int german = in.ConsumeBool();
    const int capacity = in.ConsumeIntegralInRange<int>(1, 4096);

    // Strings may be absent (nullptr) or arbitrary, up to several KiB.
    std::string texts[8];
    const char* pointers[8];
    for (int i = 0; i < 8; ++i) {
        const bool present = in.ConsumeBool();
        texts[i] = in.ConsumeRandomLengthString(3000);
        pointers[i] = present ? texts[i].c_str() : nullptr;
    }
    facts.ipv4_section = pointers[0];
    facts.system_bios_date = pointers[1];
    facts.video_bios_date = pointers[2];
    facts.windows_description = pointers[3] ? pointers[3] : "";
    facts.user_name = pointers[4] ? pointers[4] : "";
    facts.computer_name = pointers[5] ? pointers[5] : "";
    facts.default_printer = pointers[6] ? pointers[6] : "";

    static char buffer[4096 + 64];
    std::memset(buffer, 'X', sizeof buffer);
    compose_system_report_text(buffer, capacity, facts, german);
    if (!std::memchr(buffer, '\0', static_cast<std::size_t>(capacity))) std::abort();
    for (std::size_t i = static_cast<std::size_t>(capacity); i < sizeof buffer; ++i)
        if (buffer[i] != 'X') std::abort();
    return 0;
}
