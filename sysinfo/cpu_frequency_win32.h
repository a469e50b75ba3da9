#pragma once

// Win32: the CPU clock from the separate tool "tempomark", started hidden
// with its output on a pipe.

enum {
    frequency_answer_size = 61,        // one 60-byte read plus terminator
    frequency_wait_limit_ms = 2000,    // the whole probe, tool start included; a tool still busy then is ended
    tool_path_capacity = 32768,        // the longest path Windows takes (32,767 characters) and its NUL
};

// The clock in MHz, or 0 when the tool is missing, silent, unreadable or too slow.
int probe_cpu_frequency();

// Where the tool `file_name` is started from: beside this program, else the
// system folders, else a full path on PATH; never the working folder. False,
// with `path` empty, when there is none.
bool find_frequency_tool(const wchar_t* file_name, wchar_t (&path)[tool_path_capacity]);

// Runs the program at the full path `application` with `arguments` the way
// the probe runs its tool: hidden, output on a pipe (and no other handle
// inherited), in a job that ends it and everything it started when the run is over.
// The answer ends when the tool has exited (what it wrote by then) or when
// every writer has closed the pipe. Reads the last chunk that delivered bytes
// into `answer` and returns 1 when the answer ended within the wait limit; 0
// on a failure or when the limit came first (the answer is then empty).
int run_frequency_tool(const wchar_t* application, const wchar_t* arguments, char* answer, int capacity);
