#pragma once
// Win32: the About box and the web links of the main dialog.
#include <windows.h>

void show_about_box(HWND dialog, int german);
// Opens the page of the WWW, portrait or diagram button.
void open_web_link(HWND dialog, int control_id, int german);

// How an address is opened: the shell's default handler. Tests that run the
// dialog in their own process point it elsewhere to see the chosen address.
extern void (*web_link_opener)(HWND dialog, const char* address);
