#pragma once
// Win32: the web links of the main dialog's picture buttons and WWW button.
#include <windows.h>

#include "app/dialog_state_win32.h"

// Opens the page of the WWW, portrait or diagram button in the record's
// language, the way the record names.
void open_web_link(HWND dialog, dialog_state& state, int control_id);
