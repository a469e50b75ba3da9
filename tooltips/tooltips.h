#pragma once
// Win32: one tooltip window for every control of the main dialog.
#include <windows.h>

int create_tooltips();
void answer_tooltip_text(NMHDR* header);
void remove_tooltips();
