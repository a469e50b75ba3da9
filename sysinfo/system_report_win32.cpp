#include "sysinfo/system_report_win32.h"
#include "calc/text.h"

// Placeholder until the system report is gathered.
void compose_system_report(char* buffer, int capacity, int) { copy_text(buffer, capacity, ""); }
