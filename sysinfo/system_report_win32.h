#pragma once
// Win32: gathers the machine's facts and writes the system information
// report over the whole buffer. program_start_seconds: GetTickCount64() / 1000
// at the program's entry.
void compose_system_report(char* buffer, int capacity, int german, unsigned long long program_start_seconds);
