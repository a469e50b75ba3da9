#pragma once
// Win32: rebuilds the output box of the main dialog.
#include <windows.h>

// Reads the four input fields; an empty field contributes 0.
void read_inputs(HWND dialog, int& kilometres, int& metres, int& degrees, int& minutes);

// Relabels the length label, composes the curvature or system report,
// applies the output font and shows the output box.
void recalculate(HWND dialog);

// Gives the output box the stock font of the output font index, made again
// at the dialog's scale when that is not the system's.
void set_output_font(HWND dialog);
