// Prints a box of numbered lines straight to the default printer, past the
// two dialogs, so that copies and collation (which Wine's Print Setup dialog
// cannot set) go through the real print path; check_pdf.py then reads the
// page order back from the PDFs. Also checks that a font too large for one
// line on the page fails without starting a job.
//   print_copies.exe PDF_DIR OUT_DIR
#include <windows.h>

#include <cstdio>
#include <string>

#include "driver.h"
#include "pdf_files.h"
#include "print/print_job_win32.h"

namespace {

HWND make_box(int line_count) {
    HWND box = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL,
                               0, 0, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::string text;
    char line[64];
    for (int i = 1; i <= line_count; ++i) {
        std::snprintf(line, sizeof line, "Zeile %02d \xE4\xF6\xFC\xDF%s", i, i < line_count ? "\r\n" : "");
        text += line;
    }
    SetWindowTextA(box, text.c_str());
    return box;
}

LOGFONTA courier(HDC dc, int points) {
    LOGFONTA font = {};
    font.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = FW_NORMAL;
    lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    return font;
}

}  // namespace

// One print of the box that must come out as one new PDF, kept as NAME.
int print_and_keep(HDC dc, HWND box, const std::string& pdf_dir, const std::string& out_dir, const char* name,
                   unsigned short copies, int collate, int previous_job) {
    const print_e2e::pdf_file before = print_e2e::newest_pdf(pdf_dir);
    E2E_CHECK(print_box_lines(dc, box, "Farspan", courier(dc, 72), copies, collate) == 1);
    const print_e2e::pdf_file printed = print_e2e::wait_new_pdf(pdf_dir, before, 90000);
    E2E_CHECK(!printed.path.empty());
    if (printed.path.empty()) return previous_job;
    // One job per run, and none in between: the server numbers its jobs 1, 2, 3...
    E2E_CHECK(printed.job == previous_job + 1);
    E2E_CHECK(print_e2e::keep_pdf(printed, out_dir, name, e2e::text_of(box), name));
    std::printf("%s: %s (job %d)\n", name, printed.path.c_str(), printed.job);
    return printed.job;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: print_copies.exe PDF_DIR OUT_DIR\n");
        return 2;
    }
    const std::string pdf_dir = argv[1];
    const std::string out_dir = argv[2];
    char printer[256] = {};
    DWORD size = sizeof printer;
    E2E_CHECK(GetDefaultPrinterA(printer, &size));
    std::printf("default printer: %s\n", printer);
    HDC dc = CreateDCA(nullptr, printer, nullptr, nullptr);
    E2E_CHECK(dc != nullptr);
    if (!dc) return e2e::finish();

    HWND box = make_box(25);
    E2E_CHECK_TEXT(std::to_string(SendMessageA(box, EM_GETLINECOUNT, 0, 0)), "25");

    // A DC that is no printer refuses to start a document: result 0, and no job.
    HDC memory = CreateCompatibleDC(nullptr);
    E2E_CHECK(print_box_lines(memory, box, "Farspan", courier(memory, 10), 1, 1) == 0);
    DeleteDC(memory);
    // Not one line of a 2000 pt font fits an A4 page: refused before any job
    // starts, so the next job below is this server's first.
    E2E_CHECK(print_box_lines(dc, box, "Farspan", courier(dc, 2000), 1, 1) == 0);
    // 72 pt: about ten lines a page, so 25 lines make three pages.
    int job = print_and_keep(dc, box, pdf_dir, out_dir, "collated2", 2, 1, 0);
    job = print_and_keep(dc, box, pdf_dir, out_dir, "uncollated2", 2, 0, job);
    // No copies: the document is started and ended with no page, and it succeeds.
    E2E_CHECK(print_box_lines(dc, box, "Farspan", courier(dc, 72), 0, 1) == 1);
    // The DC is still whole after each run: the printer font was selected back out.
    E2E_CHECK(GetCurrentObject(dc, OBJ_FONT) != nullptr);

    DestroyWindow(box);
    DeleteDC(dc);
    return e2e::finish();
}
