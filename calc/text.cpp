#include "calc/text.h"

int text_length(const char* text) {
    if (text == nullptr) return 0;
    int length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

void copy_text(char* destination, int capacity, const char* source) {
    if (destination == nullptr || capacity <= 0) return;
    int i = 0;
    if (source != nullptr) {
        // Keep the last byte for the terminator: a source that does not fit is cut.
        for (; i < capacity - 1 && source[i] != '\0'; ++i) destination[i] = source[i];
    }
    destination[i] = '\0';
}

void append_text(char* buffer, int capacity, const char* piece) {
    if (buffer == nullptr || capacity <= 0) return;
    int used = 0;
    while (used < capacity && buffer[used] != '\0') ++used;
    if (used == capacity) {
        // Not terminated inside its room: terminate it rather than run past the end.
        buffer[capacity - 1] = '\0';
        return;
    }
    copy_text(buffer + used, capacity - used, piece);
}

void reverse_text(char* text) {
    if (text == nullptr) return;
    int front = 0;
    int back = text_length(text) - 1;
    while (front < back) {
        const char swapped = text[front];
        text[front] = text[back];
        text[back] = swapped;
        ++front;
        --back;
    }
}

int power_of_ten(int n) {
    // Exact for 0..9; outside that range the result saturates instead of
    // overflowing (no caller asks for it).
    if (n <= 0) return 1;
    if (n > 9) n = 9;
    int result = 1;
    for (int i = 0; i < n; ++i) result *= 10;
    return result;
}
