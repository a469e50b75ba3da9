#pragma once
// Win32: rebuilds the output box of the main dialog.
#include <windows.h>

// Reads the four input fields; an empty field contributes 0.
void read_inputs(HWND dialog, int& kilometres, int& metres, int& degrees, int& minutes);

// Relabels the length label, composes the curvature or system report,
// applies the output font and shows the output box.
void recalculate(HWND dialog);
