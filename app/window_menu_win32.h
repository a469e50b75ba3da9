#pragma once
// Win32: the main dialog's window menu with the program's two items.
#include <windows.h>

// Reverts the window menu to the system's and appends Print and About in the
// language given.
void build_window_menu(HWND dialog, int german);
