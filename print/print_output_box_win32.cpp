#include "print/print_output_box_win32.h"

#include <commdlg.h>

#include <cstdlib>
#include <cstring>

#include "win32/scoped_handles.h"
#include "calc/text.h"
#include "print/pagination.h"
#include "print/print_job_win32.h"
#include "win32/wide_text.h"

namespace {

// A font selected into a DC: the DC's previous font goes back in before the
// font is deleted, so the DC never holds a deleted object.
class selected_font {
public:
    selected_font(HDC dc, HFONT font) : dc_(dc), font_(font) {
        if (font_) previous_ = SelectObject(dc_, font_);
    }
    ~selected_font() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
        if (font_) DeleteObject(font_);
    }
    selected_font(const selected_font&) = delete;
    selected_font& operator=(const selected_font&) = delete;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_ = nullptr;
};

class line_buffer {
public:
    explicit line_buffer(int size)
        : data_(static_cast<wchar_t*>(std::calloc(static_cast<std::size_t>(size), sizeof(wchar_t)))) {}
    ~line_buffer() { std::free(data_); }
    line_buffer(const line_buffer&) = delete;
    line_buffer& operator=(const line_buffer&) = delete;
    wchar_t* get() const { return data_; }

private:
    wchar_t* data_;
};

struct page_job {
    HDC dc;
    HWND box;
    print_layout layout;
    int line_count;
    wchar_t* buffer;  // line_buffer_size() characters
};

int send_one_page(int page, void* context) {
    const page_job& job = *static_cast<const page_job*>(context);
    if (StartPage(job.dc) < 0) return 0;
    const int lines = page_line_count(page, job.layout.lines_per_page, job.line_count);
    const WORD capacity = line_request_capacity(job.layout.chars_per_line);
    for (int l = 0; l < lines; ++l) {
        const int index = page * job.layout.lines_per_page + l;
        // EM_GETLINE reads the capacity (in characters) from the buffer's
        // first word and does not terminate. Wide, so no code page stands between.
        std::memcpy(job.buffer, &capacity, sizeof capacity);
        LRESULT count = SendMessageW(job.box, EM_GETLINE, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(job.buffer));
        if (count < 0) count = 0;
        if (count > capacity) count = capacity;
        TextOutW(job.dc, 0, l * job.layout.line_height, job.buffer, static_cast<int>(count));
    }
    return EndPage(job.dc) < 0 ? 0 : 1;
}

// The common dialogs serve only a print run: loaded at the first, not at every start.
loaded_library common_dialogs;

}  // namespace

int print_box_lines(HDC printer_dc, HWND output_box, const char* document_name,
                    const LOGFONTA& font, unsigned short copies, int collate) {
    selected_font printer_font(printer_dc, CreateFontIndirectA(&font));

    const int line_count = static_cast<int>(SendMessageA(output_box, EM_GETLINECOUNT, 0, 0));
    if (line_count <= 0) return 1;

    TEXTMETRICA metrics = {};
    GetTextMetricsA(printer_dc, &metrics);
    page_job job = {};
    job.dc = printer_dc;
    job.box = output_box;
    job.line_count = line_count;
    // A font too large for one line or one character is a failed run, not a division by zero.
    if (!compute_print_layout(line_count, metrics.tmHeight, metrics.tmExternalLeading,
                              metrics.tmAveCharWidth, GetDeviceCaps(printer_dc, HORZRES),
                              GetDeviceCaps(printer_dc, VERTRES), &job.layout)) {
        return 0;
    }

    line_buffer buffer(line_buffer_size(job.layout.chars_per_line));
    if (!buffer.get()) return 0;
    job.buffer = buffer.get();

    const wide<64> name(document_name);
    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = name;
    if (StartDocW(printer_dc, &document) <= 0) return 0;

    if (!send_page_sequence(job.layout.page_count, copies, collate, send_one_page, &job)) {
        // A refused page must not leave a half-built job waiting in the spooler.
        AbortDoc(printer_dc);
        return 0;
    }
    EndDoc(printer_dc);
    return 1;
}

int print_output_box(HWND owner, HWND output_box, const char* document_name) {
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
