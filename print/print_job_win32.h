#pragma once
// Win32: the part of a print run after both dialogs, kept apart so that a
// test can print a box to a real printer DC with chosen copies and collation.
#include <windows.h>

// Prints every line of `output_box` on `printer_dc` in the font `font` (its
// height already in printer units) as one job named `document_name`, `copies`
// times, collated or not. Selects the font back out and deletes it before
// returning; the DC stays with the caller. 1 when every page was sent (or the
// box had no lines), 0 when the font does not fit the page, the line buffer
// could not be had, or the printer refused the document or a page (then the
// job is aborted, never ended).
int print_box_lines(HDC printer_dc, HWND output_box, const char* document_name,
                    const LOGFONTA& font, unsigned short copies, int collate);
