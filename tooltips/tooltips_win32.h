#pragma once
// Win32: one tooltip window for every control of the main dialog.
#include <windows.h>

// The tooltip window over the dialog's controls and the hook that relays the
// mouse to it; 1 when both are there.
int create_tooltips(HWND dialog, HINSTANCE instance);
// Answers the tooltip's question for a control's text in the language given.
void answer_tooltip_text(NMHDR* header, int german);
void remove_tooltips();

// Whether the thread message hook is installed right now.
bool tooltips_hook_installed();
