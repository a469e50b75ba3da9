#include "print/print_job_win32.h"

#include <cstdlib>
#include <cstring>

#include "win32/scoped_handles.h"
#include "print/pagination.h"
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
