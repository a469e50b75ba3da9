#pragma once
// Win32: one tooltip window for every control of the main dialog.
#include <windows.h>

#include "win32/scoped_handles.h"

// The tooltips' own record, kept by whoever shows the dialog. The thread
// message hook is given no context: it finds the record through a pointer of
// the dialog's thread, set while the tooltips are there, when the message's
// window belongs to the record's dialog.
struct tooltip_record {
    HWND dialog = nullptr;
    HWND window = nullptr;
    windows_hook hook;
};

// The tooltip window over the dialog's controls and the hook that relays the
// mouse to it; 1 when both are there.
int create_tooltips(tooltip_record& tips, HWND dialog, HINSTANCE instance);
// The tip of a control in a language (German when german is not 0); nullptr
// for a control without one.
typedef const char* (*tooltip_text_lookup)(int control_id, int german);
// Answers the tooltip's question for a control's text with the lookup's text
// in the language given.
void answer_tooltip_text(const tooltip_record& tips, NMHDR* header, tooltip_text_lookup text_of, int german);
// Removes the hook and the thread's pointer to the record; harmless twice.
void remove_tooltips(tooltip_record& tips);
