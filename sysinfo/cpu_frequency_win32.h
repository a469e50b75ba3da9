#pragma once
// Win32: the CPU clock from the separate tool "tempomark", started hidden
// with its output on a pipe.

enum {
    frequency_answer_size = 61,        // one 60-byte read plus terminator
    frequency_wait_limit_ms = 2000,    // the whole probe, tool start included; a tool still busy then is ended
};

// The clock in MHz, or 0 when the tool is missing, silent, unreadable or too slow.
int probe_cpu_frequency();

// Runs `command_line` the way the probe runs its tool: hidden, output on a
// pipe, in a job that ends it and everything it started when the run is over.
// The answer ends when the tool has exited (what it wrote by then) or when
// every writer has closed the pipe. Reads the last chunk that delivered bytes
// into `answer` and returns 1 when the answer ended within the wait limit; 0
// on a failure or when the limit came first (the answer is then empty).
int run_frequency_tool(const char* command_line, char* answer, int capacity);
