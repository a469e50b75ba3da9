#pragma once
// Win32: the main dialog's state, one record kept with the dialog window and
// handed to whatever needs part of it. Touched only on the dialog's thread.
#include <windows.h>

#include "app/accessibility_win32.h"
#include "app/dialog_choices.h"
#include "app/output_font_win32.h"
#include "app/web_links_win32.h"
#include "tooltips/tooltips_win32.h"
#include "win32/scoped_handles.h"

// The user's choices (portable, decided in the core) and beside them the
// Windows resources the dialog holds for its life.
struct dialog_state {
    dialog_choices choices;
    int dpi = 0;                // the dialog's screen scale; 0 for the system's
    int high_contrast = 0;
    unsigned long long program_start_seconds = 0;  // GetTickCount64() / 1000 at entry
    bool late_setup_pending = false;
    gdi_object dialog_brush;
    gdi_object edit_brush;
    output_font_cache output_font;
    annotation_state annotations;
    // COM for the dialog's life, from ole32 loaded after the first report.
    loaded_library com;
    bool com_started = false;
    web_link_record links;
    // The common dialogs serve only a print run: loaded at the first.
    loaded_library common_dialogs;
    tooltip_record tooltips;
};

// The record the dialog was opened with; nullptr before WM_INITDIALOG. Kept
// in DWLP_USER, the slot Windows gives a dialog for it, though a process at
// our level could write it as it could a property: the dialog procedure gets
// no other context, and such a process can already write our memory.
inline dialog_state* state_of(HWND dialog) {
    return reinterpret_cast<dialog_state*>(GetWindowLongPtrW(dialog, DWLP_USER));
}
