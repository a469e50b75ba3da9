#pragma once
// Win32: one run of a helper program, hidden, with its output on a pipe.

enum {
    frequency_wait_limit_ms = 2000,  // the whole run, tool start included; a tool still busy then is ended
};

// Runs the program at the full path `application` with `arguments`: hidden,
// output on a pipe (and no other handle inherited), in a job that ends it and
// everything it started when the run is over.
// The answer ends when the tool has exited (what it wrote by then) or when
// every writer has closed the pipe. Reads the last chunk that delivered bytes
// into `answer` and returns 1 when the answer ended within the wait limit; 0
// on a failure or when the limit came first (the answer is then empty).
int run_frequency_tool(const wchar_t* application, const wchar_t* arguments, char* answer, int capacity);
