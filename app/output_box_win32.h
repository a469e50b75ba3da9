#pragma once
// Win32: the main dialog's output box, its report, its font and its text.
#include <windows.h>

#include "app/dialog_state_win32.h"

// Relabels the length label, composes the curvature or system report,
// applies the output font and shows the output box.
void recalculate(HWND dialog, dialog_state& state);

// Gives the output box the stock font of the output font index, made again
// at the dialog's scale when that is not the system's.
void set_output_font(HWND dialog, dialog_state& state);

// Hides the box while the fields are being typed in.
void hide_output_box(HWND dialog);
