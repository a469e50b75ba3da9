#pragma once
// Win32: the About box and the web links of the main dialog.
#include <windows.h>

void show_about_box(HWND dialog);
// Opens the page of the WWW (29), portrait (26) or diagram (27) button.
void open_web_link(HWND dialog, int control_id);

// How an address is opened: the shell's default handler. Tests that run the
// dialog in their own process point it elsewhere to see the chosen address.
extern void (*web_link_opener)(HWND dialog, const char* address);
