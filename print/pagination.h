#pragma once
// Portable arithmetic of a print run: page layout from the printer font's
// metrics, the lines of each page, and the order in which pages go out for
// several copies. No Windows types here, so it is unit-tested natively.

// Layout of one print run, all lengths in printer device units.
struct print_layout {
    int line_height;       // text height plus external leading
    int chars_per_line;    // page width over the average character width
    int lines_per_page;    // page height over the line height
    int page_count;        // pages needed for all lines
};

// Chosen font size in tenths of a point to whole points (10.5 pt prints as 10 pt).
int print_size_points(int size_tenths);

// Fills `layout` and returns 1 when at least one line and one character fit
// the page; returns 0 (layout zeroed) when they do not or when the metrics
// make no sense, so that no division by zero or empty line buffer follows.
int compute_print_layout(int line_count, int text_height, int external_leading,
                         int average_char_width, int page_width, int page_height,
                         print_layout* layout);

// Number of lines of the box printed on page `page` (counted from 0); the
// last page may be partly filled. 0 for a page past the end.
int page_line_count(int page, int lines_per_page, int line_count);

// Size in characters of the one line buffer: room for characters per line plus a
// terminator, and never less than the 16-bit capacity word EM_GETLINE reads.
int line_buffer_size(int chars_per_line);

// The capacity word put in front of each line request: characters per line,
// held to what a 16-bit word can say.
unsigned short line_request_capacity(int chars_per_line);

// Receives one page to send; returns 1 to go on, 0 to stop the job at once.
typedef int (*page_sender)(int page, void* context);

// Sends the pages of a document `copies` times: with `collate` set the whole
// page sequence is repeated (1 2 3 1 2 3), otherwise each page is repeated in
// a row (1 1 2 2 3 3). Stops at the first page the sender refuses.
// Returns 1 when every page was sent (also for 0 copies), 0 after a refusal.
int send_page_sequence(int page_count, int copies, int collate, page_sender send, void* context);
