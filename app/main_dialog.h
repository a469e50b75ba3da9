#pragma once
// Win32: the main dialog and the program's run from entry to exit.
#include <windows.h>

// Everything the program entry does: common controls, start time, the two
// brushes, the modal main dialog. Returns the process exit code (0).
int run_farspan(HINSTANCE instance);

INT_PTR CALLBACK main_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

void hide_output_box(HWND dialog);

// Identifier and period of the one-shot recalculation timer.
enum { recalculation_timer_id = 1, recalculation_delay_ms = 50 };
