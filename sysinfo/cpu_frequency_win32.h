#pragma once
// Win32: the CPU clock from the separate tool "tempomark".

enum {
    frequency_answer_size = 61,  // one 60-byte read plus terminator
};

// The clock in MHz, or 0 when the tool is missing, silent, unreadable or too slow.
int probe_cpu_frequency();
