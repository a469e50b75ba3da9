#pragma once
// Win32: the input fields of the main dialog, set up and read.
#include <windows.h>

#include "calc/field_reading.h"

// Text limits and spin ranges, then the start values; each value sends
// EN_CHANGE, which starts the timer of the first report.
void set_up_input_fields(HWND dialog);
// Reads the input fields (kilometres, metres, degrees, minutes, eye height); an
// empty field contributes 0. False when some field holds no whole number.
bool read_inputs(HWND dialog, int (&values)[input_field_count], bool (&unreadable)[input_field_count]);
