// The Windows description from arbitrary version answers (any numbers, any
// service-pack bytes without a terminator) stays inside its buffer and always
// names Windows.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>

#include "sysinfo/windows_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    version_queries q{};
    q.basic_ok = in.ConsumeBool();
    q.basic_major = in.ConsumeIntegral<unsigned>();
    q.basic_minor = in.ConsumeIntegral<unsigned>();
    q.basic_build = in.ConsumeIntegral<unsigned>();
    in.ConsumeData(q.csd_version, sizeof q.csd_version);
    q.extended_ok = in.ConsumeBool();
    q.extended_major = in.ConsumeIntegral<unsigned>();
    q.extended_minor = in.ConsumeIntegral<unsigned>();
    q.extended_build = in.ConsumeIntegral<unsigned>();
    q.product_type_nt = in.ConsumeIntegral<unsigned>();
    q.rtl_ok = in.ConsumeBool();
    q.rtl_major = in.ConsumeIntegral<unsigned>();
    q.rtl_minor = in.ConsumeIntegral<unsigned>();
    q.rtl_build = in.ConsumeIntegral<unsigned>();
    q.product_info_found = in.ConsumeBool();
    q.product_type = in.ConsumeIntegral<unsigned>();
    const int capacity = in.ConsumeIntegralInRange<int>(1, 512);

    static char description[512 + 64];
    std::memset(description, 'X', sizeof description);
    int major = -1, minor = -1, build = -1;
    const int count = describe_windows_version_from(q, description, capacity, major, minor, build);
    if (count < 0 || count > 2) std::abort();
    if (!std::memchr(description, '\0', static_cast<std::size_t>(capacity))) std::abort();
    for (std::size_t i = static_cast<std::size_t>(capacity); i < sizeof description; ++i)
        if (description[i] != 'X') std::abort();
    if (capacity > 8 && std::strncmp(description, "Windows ", 8) != 0) std::abort();
    return 0;
}
