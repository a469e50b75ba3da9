#pragma once
// Win32: gathers the machine's facts and writes the system information
// report over the whole buffer.
void compose_system_report(char* buffer, int capacity, int german);
