#pragma once
// Win32: prints the lines of the output box after the Print Setup and font dialogs.
#include <windows.h>

#include "win32/scoped_handles.h"

// 1 when every page was sent (or the box had no lines), 0 on cancel or failure.
// The common dialogs come from comdlg32, loaded into common_dialogs at the
// first print run, not at every start.
int print_output_box(HWND owner, HWND output_box, const char* document_name, loaded_library& common_dialogs);
