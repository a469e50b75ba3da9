#pragma once
// Win32: the About box and the web links of the main dialog.
#include <windows.h>

#include "app/dialog_state_win32.h"

void show_about_box(HWND dialog, int german);
// Opens the page of the WWW, portrait or diagram button in the record's
// language, the way the record names.
void open_web_link(HWND dialog, dialog_state& state, int control_id);
