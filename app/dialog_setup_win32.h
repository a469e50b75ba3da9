#pragma once
// Win32: what the main dialog does once when it opens, and its language texts.
#include <windows.h>

#include "app/dialog_state_win32.h"

// Centring, limits and spin ranges, bitmaps, start values, start language,
// texts, window menu, icons, Height checked.
void set_up_main_dialog(HWND dialog, dialog_state& state);
// Caption and control texts of the current language, then the window menu.
void apply_language_texts(HWND dialog, int german);
// Centres a window over its parent, or on the work area of the screen the
// program was started on when it has none, and keeps it in that work area.
void center_window(HWND window);
// The caption's small icon at the size for the dialog's scale.
void set_small_icon(HWND dialog, int dpi);
// Frees the pictures and the big icon that the set-up gave the dialog.
void release_dialog_images(HWND dialog);
