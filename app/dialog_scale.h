#pragma once
// The scale the dialog is laid out at. Portable: no Windows headers.

// Whether Windows gives a window that DPI: 50 % to 500 % of 96. Any program
// on the desktop can send the message that names a new one.
bool windows_gives_dpi(int dpi);

// The DPI the dialog manager laid the dialog out at, from the height of the
// font it made for the template's `point_size` (a negative character height
// in pixels, as LOGFONT has it), the DPI Windows names for the window
// (0 where it names none) and the system's DPI. The window's DPI is the
// rule; a dialog laid out at the system's DPI in spite of it (per-monitor
// awareness without the dialog scaling of version 2) keeps that one, so
// the pictures and the report font match the controls around them.
// 0 means the system's DPI.
int dialog_layout_dpi(int font_height, int point_size, int window_dpi, int system_dpi);
