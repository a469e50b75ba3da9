#pragma once
// Win32: the web links of the main dialog's picture buttons and WWW button.
#include <windows.h>

#include "app/dialog_choices.h"
#include "win32/scoped_handles.h"

// What opening a link keeps: the shell and COM, loaded at the first link and
// kept, as what the shell started for a link may still run.
struct web_link_record {
    loaded_library shell;
    loaded_library com;
    // Opens a web link's address; nullptr for the shell's default handler.
    // Tests that run the dialog in their own process see the address here.
    void (*open_link)(HWND dialog, const char* address) = nullptr;
};

// Opens the page of the WWW, portrait or diagram button in the language,
// the way the record names.
void open_web_link(HWND dialog, web_link_record& links, dialog_language language, int control_id);
