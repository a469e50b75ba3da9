#pragma once
// Win32: the two process-wide facts, fixed at the program's entry.
#include <windows.h>

extern HINSTANCE instance_handle;
extern unsigned long long program_start_seconds;  // GetTickCount64() / 1000 at entry
