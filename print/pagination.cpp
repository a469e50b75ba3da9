#include "print/pagination.h"

int print_size_points(int size_tenths) { return size_tenths / 10; }

int compute_print_layout(int line_count, int text_height, int external_leading,
                         int average_char_width, int page_width, int page_height,
                         print_layout* layout) {
    layout->line_height = 0;
    layout->chars_per_line = 0;
    layout->lines_per_page = 0;
    layout->page_count = 0;
    // Computed wide: a huge leading must not wrap the line height into a small positive value.
    long long line_height = static_cast<long long>(text_height) + external_leading;
    if (line_count < 0 || line_height <= 0 || line_height > page_height || average_char_width <= 0 ||
        average_char_width > page_width) {
        return 0;
    }
    int lines_per_page = page_height / static_cast<int>(line_height);
    layout->line_height = static_cast<int>(line_height);
    layout->chars_per_line = page_width / average_char_width;
    layout->lines_per_page = lines_per_page;
    // Rounded up without forming line_count + lines_per_page - 1, which could overflow.
    layout->page_count = line_count / lines_per_page + (line_count % lines_per_page != 0 ? 1 : 0);
    return 1;
}

int page_line_count(int page, int lines_per_page, int line_count) {
    if (page < 0 || lines_per_page <= 0) return 0;
    long long first = static_cast<long long>(page) * lines_per_page;
    if (first >= line_count) return 0;
    long long rest = line_count - first;
    return rest < lines_per_page ? static_cast<int>(rest) : lines_per_page;
}

int line_buffer_size(int chars_per_line) {
    const int capacity_word = 2;
    if (chars_per_line < capacity_word) return capacity_word + 1;
    return chars_per_line + 1;
}

unsigned short line_request_capacity(int chars_per_line) {
    if (chars_per_line <= 0) return 0;
    if (chars_per_line > 0xFFFF) return 0xFFFF;
    return static_cast<unsigned short>(chars_per_line);
}

int send_page_sequence(int page_count, int copies, int collate, page_sender send, void* context) {
    if (collate) {
        for (int copy = 0; copy < copies; ++copy)
            for (int page = 0; page < page_count; ++page)
                if (!send(page, context)) return 0;
    } else {
        for (int page = 0; page < page_count; ++page)
            for (int copy = 0; copy < copies; ++copy)
                if (!send(page, context)) return 0;
    }
    return 1;
}
