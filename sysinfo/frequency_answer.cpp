#include "sysinfo/frequency_answer.h"

#include <climits>
#include <cstdlib>

#include "calc/text.h"

void read_answer_chunks(char* answer, int capacity, int chunk_size, answer_chunk_reader reader,
                        void* context) {
    if (answer == nullptr || capacity <= 0) return;
    copy_text(answer, capacity, "");
    if (reader == nullptr) return;
    int size = chunk_size < capacity - 1 ? chunk_size : capacity - 1;
    if (size <= 0) return;
    for (;;) {
        int got = reader(context, answer, size);
        if (got <= 0) break;
        if (got > size) got = size;  // a reader that over-reports must not push the terminator out
        answer[got] = '\0';
    }
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
