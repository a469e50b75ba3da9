// Prints a box of numbered lines straight to the default printer, past the
// two dialogs, so that copies and collation (which Wine's Print Setup dialog
// cannot set) go through the real print path; check_pdf.py then reads the
// page order back from the PDFs. Also checks that a font too large for one
// line on the page fails without starting a job.
//   print_copies.exe [GoogleTest flags] PDF_DIR OUT_DIR
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
    EXPECT_EQ(print_box_lines(dc, box, "Farspan", courier(dc, 72), copies, collate), 1) << name;
    const print_e2e::pdf_file printed = print_e2e::wait_new_pdf(pdf_dir, before, 90000);
    EXPECT_FALSE(printed.path.empty()) << "no PDF for " << name;
    if (printed.path.empty()) return previous_job;
    // One job per run, and none in between: the server numbers its jobs 1, 2, 3...
    EXPECT_EQ(printed.job, previous_job + 1) << name << ": " << printed.path;
    EXPECT_TRUE(print_e2e::keep_pdf(printed, out_dir, name, e2e::text_of(box), name))
        << name << ": " << printed.path << " not kept in " << out_dir;
    std::printf("%s: %s (job %d)\n", name, printed.path.c_str(), printed.job);
    return printed.job;
}

TEST(PrintCopies, CopiesCollationAndRefusals) {
    ASSERT_GE(e2e::arguments().size(), 2u) << "usage: print_copies.exe PDF_DIR OUT_DIR";
    const std::string pdf_dir = e2e::argument(0);
    const std::string out_dir = e2e::argument(1);
    char printer[256] = {};
    DWORD size = sizeof printer;
    EXPECT_TRUE(GetDefaultPrinterA(printer, &size)) << "no default printer";
    std::printf("default printer: %s\n", printer);
    HDC dc = CreateDCA(nullptr, printer, nullptr, nullptr);
    ASSERT_NE(dc, nullptr) << "no DC for the printer \"" << printer << "\"";

    HWND box = make_box(25);
    EXPECT_EQ(SendMessageA(box, EM_GETLINECOUNT, 0, 0), 25);

    // A DC that is no printer refuses to start a document: result 0, and no job.
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(print_box_lines(memory, box, "Farspan", courier(memory, 10), 1, 1), 0) << "a memory DC";
    DeleteDC(memory);
    // Not one line of a 2000 pt font fits an A4 page: refused before any job
    // starts, so the next job below is this server's first.
    EXPECT_EQ(print_box_lines(dc, box, "Farspan", courier(dc, 2000), 1, 1), 0) << "a 2000 pt font";
    // 72 pt: about ten lines a page, so 25 lines make three pages.
    int job = print_and_keep(dc, box, pdf_dir, out_dir, "collated2", 2, 1, 0);
    job = print_and_keep(dc, box, pdf_dir, out_dir, "uncollated2", 2, 0, job);
    // No copies: the document is started and ended with no page, and it succeeds.
    EXPECT_EQ(print_box_lines(dc, box, "Farspan", courier(dc, 72), 0, 1), 1) << "no copies";
    // The DC is still whole after each run: the printer font was selected back out.
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), nullptr);

    DestroyWindow(box);
    DeleteDC(dc);
}
