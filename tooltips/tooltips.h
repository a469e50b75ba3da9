#pragma once
// Win32: one tooltip window for every control of the main dialog.
#include <windows.h>

int create_tooltips();
void answer_tooltip_text(NMHDR* header);
void remove_tooltips();

// Callback of the child-window enumeration: registers one control as a tool.
BOOL CALLBACK register_control_tool(HWND child, LPARAM application_value);
// WH_GETMESSAGE hook of the dialog's thread: relays mouse messages to the tooltip.
LRESULT CALLBACK relay_mouse_message(int code, WPARAM removal, LPARAM message);

// Whether the thread message hook is installed right now.
bool tooltips_hook_installed();
