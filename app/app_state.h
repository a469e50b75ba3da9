#pragma once
// Win32: process-wide state of the main dialog, touched only on the UI thread.
#include <windows.h>

extern HINSTANCE instance_handle;
extern HWND main_dialog_handle;     // set at WM_INITDIALOG, cleared by remove_tooltips
extern unsigned long long program_start_seconds;  // GetTickCount64() / 1000 at entry
extern int language_flag;           // 1 German, 0 English
extern int output_font_index;       // 0..3
extern int colour_scheme_flag;      // 0/1
extern int graphic_size_flag;       // 0 small diagram, 1 large
extern int dialog_dpi;              // the dialog's screen scale; 0 for the system's
