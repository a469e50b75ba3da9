#pragma once
// Plain NUL-terminated single-byte texts (Windows-1252) in fixed buffers.
//
// Every writer takes the capacity of its destination in bytes, terminator
// included, and never writes past it: a piece that does not fit is cut so
// that the destination stays terminated. Within capacity the texts are the
// same as an unbounded copy would give.

#include <cstddef>

int text_length(const char* text);
void copy_text(char* destination, int capacity, const char* source);
void append_text(char* buffer, int capacity, const char* piece);
void reverse_text(char* text);
int power_of_ten(int n);

// Array forms: the capacity is the array's own size.
template <std::size_t N>
inline void copy_text(char (&destination)[N], const char* source) {
    copy_text(destination, static_cast<int>(N), source);
}
template <std::size_t N>
inline void append_text(char (&buffer)[N], const char* piece) {
    append_text(buffer, static_cast<int>(N), piece);
}
