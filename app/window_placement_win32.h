#pragma once
// Win32: where a window of the program opens.
#include <windows.h>

// Centres a window over its parent, or on the work area of the screen the
// program was started on when it has none, and keeps it in that work area.
void center_window(HWND window);
