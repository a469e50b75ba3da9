#pragma once
// Win32: what the main dialog does once when it opens, and its language texts.
#include <windows.h>

#include "app/dialog_state_win32.h"

// Centring, scale, icons, limits and spin ranges, start values, pictures,
// start language, texts, window menu, Height checked.
void set_up_main_dialog(HWND dialog, dialog_state& state);
// Caption and control texts of the current language, then the window menu.
void apply_language_texts(HWND dialog, int german);
