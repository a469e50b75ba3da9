#pragma once
// Win32: the output box's font, kept while the box shows it.
#include <windows.h>

#include "win32/scoped_handles.h"

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
