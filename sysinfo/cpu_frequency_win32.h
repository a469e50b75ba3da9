#pragma once
// Win32: the CPU clock from the separate tool "tempomark", started hidden
// with its output on a pipe.

enum {
    frequency_answer_size = 61,        // one 60-byte read plus terminator
    frequency_wait_limit_ms = 2000,    // the whole probe, tool start included; a tool still busy then is ended
};

// The clock in MHz, or 0 when the tool is missing, silent, unreadable or too slow.
int probe_cpu_frequency();
// Creates the pipes and starts the tool; 1 on success, 0 on any failure.
int start_frequency_tool(const char* command_line);
// Reads the tool's answer (the last chunk that delivered bytes) into `answer`;
// returns 1 when the tool closed its output in time, 0 on a failure or when
// the wait limit came first (the answer is then empty and the tool ended).
int read_frequency_answer(char* answer, int capacity, int chunk_size);
