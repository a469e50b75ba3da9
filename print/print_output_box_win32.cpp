#include "print/print_output_box_win32.h"

#include <commdlg.h>

#include "calc/text.h"
#include "print/pagination.h"
#include "print/print_job_win32.h"

int print_output_box(HWND owner, HWND output_box, const char* document_name, loaded_library& common_dialogs) {
    const auto print_dialog = system_entry<decltype(&PrintDlgA)>(common_dialogs, L"comdlg32.dll", "PrintDlgA");
    const auto font_dialog = system_entry<decltype(&ChooseFontA)>(common_dialogs, L"comdlg32.dll", "ChooseFontA");
    if (!print_dialog || !font_dialog) return 0;
    PRINTDLGA printer = {};
    printer.lStructSize = sizeof printer;
    printer.hwndOwner = owner;
    printer.Flags = PD_RETURNDC | PD_PRINTSETUP | PD_COLLATE | PD_NOSELECTION;
    printer.nCopies = 1;
    const BOOL chosen = print_dialog(&printer);
    // Declared in reverse order of release: DC first, then device mode, then device names.
    global_memory device_names(printer.hDevNames);
    global_memory device_mode(printer.hDevMode);
    owned_dc dc(chosen ? printer.hDC : nullptr);
    if (!chosen || !dc.get()) return 0;

    LOGFONTA font = {};
    font.lfHeight = -16;
    font.lfWeight = FW_NORMAL;
    copy_text(font.lfFaceName, "Courier New");
    // The style box names follow the system's language, not the program's.
    char style[LF_FACESIZE] = {};
    copy_text(style, PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_GERMAN ? "Standard" : "Regular");

    CHOOSEFONTA font_request = {};
    font_request.lStructSize = sizeof font_request;
    font_request.hwndOwner = owner;
    font_request.hDC = dc.get();
    font_request.lpLogFont = &font;
    font_request.lpszStyle = style;
    font_request.Flags = CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_USESTYLE | CF_EFFECTS | CF_FORCEFONTEXIST;
    if (!font_dialog(&font_request)) return 0;

    const int points = print_size_points(font_request.iPointSize);
    font.lfHeight = -MulDiv(points, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    return print_box_lines(dc.get(), output_box, document_name, font, printer.nCopies,
                           (printer.Flags & PD_COLLATE) != 0);
}
