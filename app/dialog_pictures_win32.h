#pragma once
// Win32: the portrait and the diagram on their buttons, at the dialog's scale.
#include <windows.h>

// Puts the picture for the dialog's scale (dpi, 0 for the system's) on the
// portrait button (button IDC_PORTRAIT), the small or large diagram
// (IDC_DIAGRAM), or both (0), and frees the ones shown before.
void set_dialog_pictures(HWND dialog, int dpi, int large_diagram, int button = 0);

// Takes the pictures off their buttons and frees them.
void release_dialog_pictures(HWND dialog);
