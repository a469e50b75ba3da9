#pragma once
// Win32: the program's icon on the main dialog's class and caption.
#include <windows.h>

// The class icon and the big icon.
void set_dialog_icons(HWND dialog);
// The caption's small icon at the size for the dialog's scale.
void set_small_icon(HWND dialog, int dpi);
// Frees the big icon and the small one that the dialog was given.
void release_dialog_icons(HWND dialog);
