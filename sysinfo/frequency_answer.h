#pragma once
// Portable half of the CPU clock probe: reading the tool's answer in chunks
// and turning it into MHz.

// Reads at most `size` bytes into `into`; returns the count, or 0 or less
// when the answer has ended (end of pipe, error) or when the reader stopped
// waiting because the deadline came.
typedef int (*answer_chunk_reader)(void* context, char* into, int size);
// Milliseconds on the clock the deadline is given in.
typedef unsigned long long (*answer_clock)(void* context);

struct answer_source {
    answer_chunk_reader read;
    answer_clock now_ms;
    void* context;
};

// Empties `answer`, then reads chunks of at most `chunk_size` bytes (and never
// more than capacity - 1) into its start until the source ends; each chunk
// replaces the one before, so the last chunk that delivered bytes remains.
// The deadline is checked before every read and when the source ends, so a
// tool that keeps writing cannot hold the caller past it. Returns 1 when the
// answer ended before the deadline; 0 when the deadline came first, with the
// answer emptied (a half answer from a tool that is still busy is not trusted).
int read_answer_chunks(char* answer, int capacity, int chunk_size, const answer_source& source,
                       unsigned long long deadline_ms);

// Leading white space, an optional sign, then decimal digits; 0 without digits
// (as atoi), clamped to the int range.
int frequency_from_answer(const char* answer);
