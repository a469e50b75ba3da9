#include "sysinfo/frequency_answer.h"

#include <climits>
#include <cstdlib>

#include "calc/text.h"

int read_answer_chunks(char* answer, int capacity, int chunk_size, const answer_source& source,
                       unsigned long long deadline_ms) {
    if (answer == nullptr || capacity <= 0) return 0;
    copy_text(answer, capacity, "");
    if (source.read == nullptr || source.now_ms == nullptr) return 0;
    int size = chunk_size < capacity - 1 ? chunk_size : capacity - 1;
    if (size <= 0) return 0;
    for (;;) {
        if (source.now_ms(source.context) >= deadline_ms) break;
        int got = source.read(source.context, answer, size);
        if (got <= 0) {
            // An end seen only after the deadline is a reader that gave up waiting.
            if (source.now_ms(source.context) >= deadline_ms) break;
            return 1;
        }
        if (got > size) got = size;  // a reader that over-reports must not push the terminator out
        answer[got] = '\0';
    }
    copy_text(answer, capacity, "");
    return 0;
}

int frequency_from_answer(const char* answer) {
    if (answer == nullptr) return 0;
    // atoi's reading, but a number too large for int is clamped instead of
    // being undefined: the answer comes from another program.
    const long value = std::strtol(answer, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
