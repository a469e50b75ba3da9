#pragma once
// Win32: the About box of the main dialog.
#include <windows.h>

void show_about_box(HWND dialog, int german);
