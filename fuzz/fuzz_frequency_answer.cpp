// The clock tool's output, cut into arbitrary reads: the answer buffer keeps
// only the last read, stays terminated and inside its buffer, and the number
// read from it never overflows.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sysinfo/frequency_answer.h"

namespace {
struct chunked_output {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at;
};

// The first byte of each step decides how many bytes that read delivers.
int read_chunk(void* context, char* into, int size) {
    auto* out = static_cast<chunked_output*>(context);
    if (out->at >= out->size) return 0;
    std::size_t n = 1 + out->data[out->at++] % 80;
    n = std::min({n, out->size - out->at, static_cast<std::size_t>(size)});
    if (n == 0) return 0;
    std::memcpy(into, out->data + out->at, n);
    out->at += n;
    return static_cast<int>(n);
}

unsigned long long clock_at_zero(void*) { return 0; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    chunked_output output{data, size, 0};
    char answer[61 + 16];
    std::memset(answer, 'X', sizeof answer);
    read_answer_chunks(answer, 61, 60, {read_chunk, clock_at_zero, &output}, 1);
    if (!std::memchr(answer, '\0', 61)) std::abort();
    for (std::size_t i = 61; i < sizeof answer; ++i)
        if (answer[i] != 'X') std::abort();
    const int mhz = frequency_from_answer(answer);
    // Same sign as the text says: digits after an optional '-' give a negative value.
    const char* p = answer;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    if (*p == '-' && mhz > 0) std::abort();
    if (*p != '-' && mhz < 0) std::abort();
    return 0;
}
