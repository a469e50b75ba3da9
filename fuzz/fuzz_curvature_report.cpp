// The curvature report for arbitrary field values: always terminated, inside
// its buffer with room to spare (the longest, with every warning and the exact
// figures, is about 1,430 bytes), no "nan"/"inf" text, and framed by the
// opening and closing line breaks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "calc/curvature.h"
#include "calc/curvature_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 18) return 0;
    // Two more bytes, when given, reach the eye height (as the field may hand
    // any int) and the refraction choice, out-of-range values included.
    sight_conditions conditions;
    if (size >= 22) {
        std::int32_t eye;
        std::memcpy(&eye, data + 18, sizeof eye);
        conditions.eye_metres = eye;
    }
    if (size >= 23) conditions.refraction = static_cast<refraction_choice>(data[22] % 6);
    std::int32_t fields[4];
    std::memcpy(fields, data, sizeof fields);
    const measure_mode mode = (data[16] & 1) ? mode_distance : mode_height;
    const int german = data[17] & 1;

    static char buffer[report_buffer_size + 16];
    std::memset(buffer, 'X', sizeof buffer);
    const curvature_result result = compute_curvature(fields[0], fields[1], fields[2], fields[3], mode, conditions);
    compose_curvature_report(result, german, buffer, report_buffer_size);
    const void* end = std::memchr(buffer, '\0', report_buffer_size);
    if (!end) std::abort();
    for (std::size_t i = report_buffer_size; i < sizeof buffer; ++i)
        if (buffer[i] != 'X') std::abort();
    if (std::strstr(buffer, "nan") || std::strstr(buffer, "inf")) std::abort();
    if (std::strncmp(buffer, "\r\n ", 3) != 0) std::abort();
    const std::size_t length = std::strlen(buffer);
    if (length < 5 || length >= 2048 || std::strcmp(buffer + length - 2, "\r\n") != 0) std::abort();
    return 0;
}
