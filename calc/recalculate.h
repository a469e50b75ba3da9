#pragma once
// Win32: rebuilds the output box of the main dialog.
#include <windows.h>

#include "calc/field_reading.h"

// Reads the four input fields (kilometres, metres, degrees, minutes); an
// empty field contributes 0. False when some field holds no whole number.
bool read_inputs(HWND dialog, int (&values)[input_field_count], bool (&unreadable)[input_field_count]);

// Relabels the length label, composes the curvature or system report,
// applies the output font and shows the output box.
void recalculate(HWND dialog);

// Gives the output box the stock font of the output font index, made again
// at the dialog's scale when that is not the system's.
void set_output_font(HWND dialog);
