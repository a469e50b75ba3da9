#pragma once
// Win32: the main dialog's state, one record kept with the dialog window and
// handed to whatever needs part of it. Touched only on the dialog's thread.
#include <windows.h>

#include "calc/curvature.h"
#include "tooltips/tooltips_win32.h"
#include "win32/scoped_handles.h"

struct IAccPropServices;

// The output box's font made at a scale other than the system's, kept while
// the box shows it (stock fonts are never freed), with what it was made from;
// and the system's scale and cell height of the stock font last asked about.
struct output_font_cache {
    gdi_object made;
    HGDIOBJ made_from = nullptr;
    int made_at = 0;
    HGDIOBJ described = nullptr;
    int system_dpi = 0;
    int cell_height = 0;
};

// The screen-reader annotations: the service from oleacc, and whether they
// are on (from after the first report).
struct annotation_state {
    loaded_library oleacc;
    IAccPropServices* services = nullptr;
    bool on = false;
};

struct dialog_state {
    int german = 1;             // 1 German, 0 English
    measure_mode mode = mode_height;  // as the radios were last clicked
    bool ram_info = false;      // RAM-Info checked: the system report in place of the curvature one
    int output_font_index = 1;  // 0..3
    int colour_scheme = 0;      // 0/1
    int large_diagram = 0;      // 0 small diagram, 1 large
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
    // The shell and COM for the links: loaded at the first, kept, as what
    // the shell started for a link may still run.
    loaded_library link_shell;
    loaded_library link_com;
    // The common dialogs serve only a print run: loaded at the first.
    loaded_library common_dialogs;
    tooltip_record tooltips;
    // Opens a web link's address; nullptr for the shell's default handler.
    // Tests that run the dialog in their own process see the address here.
    void (*open_link)(HWND dialog, const char* address) = nullptr;
};

// The record the dialog was opened with; nullptr before WM_INITDIALOG.
inline dialog_state* state_of(HWND dialog) {
    return reinterpret_cast<dialog_state*>(GetWindowLongPtrW(dialog, DWLP_USER));
}
