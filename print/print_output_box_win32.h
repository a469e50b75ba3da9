#pragma once
// Win32: prints the lines of the output box after the Print Setup and font dialogs.
#include <windows.h>

// 1 when every page was sent (or the box had no lines), 0 on cancel or failure.
int print_output_box(HWND owner, HWND output_box, const char* document_name);
