#pragma once
// Portable half of the CPU clock probe: reading the tool's answer in chunks
// and turning it into MHz.

// Reads at most `size` bytes into `into`; returns the count, or 0 or less
// when the answer has ended (end of pipe, error or time-out).
typedef int (*answer_chunk_reader)(void* context, char* into, int size);

// Empties `answer`, then reads chunks of at most `chunk_size` bytes (and never
// more than capacity - 1) into its start until the reader ends; each chunk
// replaces the one before, so the last chunk that delivered bytes remains.
void read_answer_chunks(char* answer, int capacity, int chunk_size, answer_chunk_reader reader,
                        void* context);

// Leading white space, an optional sign, then decimal digits; 0 without digits
// (as atoi), clamped to the int range.
int frequency_from_answer(const char* answer);
