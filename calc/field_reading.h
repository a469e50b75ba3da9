#pragma once
// What the text of one input field contributes to the calculation.

enum { input_field_count = 5 };  // kilometres, metres, degrees, minutes, eye height

// Empty text counts as 0; text of digits 0 to 9 only gives its number,
// INT_MAX at most. Anything else (a decimal separator, a sign, a unit,
// blanks) is not read as a number at all: false, and value is left alone.
bool read_whole_number(const char* text, int& value);

// The report in place of the figures when some fields hold no whole number:
// each such field named (unreadable[i] for kilometres, metres, degrees,
// minutes, eye height), then where the fractions go. Written like the curvature report,
// from the opening CR LF blank to the trailing CR LF.
void compose_unreadable_report(const bool unreadable[input_field_count], int german, char* buffer, int capacity);
