#pragma once
// The PDFs that cups-pdf writes for the print tests, seen from inside Wine.
#include <windows.h>

#include <string>

namespace print_e2e {

struct pdf_file {
    std::string path;
    int job = -1;  // cups-pdf ends the name in "job_<number>"
    ULONGLONG written = 0;
    ULONGLONG size = 0;
};

// The newest "Farspan*.pdf" in `dir`; empty path when there is none.
pdf_file newest_pdf(const std::string& dir);
// Waits for a PDF newer than `before` whose size has stopped changing;
// empty path on time-out.
pdf_file wait_new_pdf(const std::string& dir, const pdf_file& before, unsigned timeout_ms);
// Moves the PDF to OUT/NAME.pdf and writes NAME.expected and NAME.mode
// for check_pdf.py.
bool keep_pdf(const pdf_file& pdf, const std::string& out_dir, const char* name,
              const std::string& expected, const char* mode);

}  // namespace print_e2e
