#include "pdf_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver.h"

namespace print_e2e {
namespace {
bool write_file(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
}  // namespace

pdf_file newest_pdf(const std::string& dir) {
    pdf_file newest;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\Farspan*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return newest;
    do {
        ULONGLONG written = (static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                            found.ftLastWriteTime.dwLowDateTime;
        if (newest.path.empty() || written > newest.written) {
            newest.path = dir + "\\" + found.cFileName;
            newest.written = written;
            newest.size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            const char* job = std::strstr(found.cFileName, "job_");
            newest.job = job ? std::atoi(job + 4) : -1;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return newest;
}

pdf_file wait_new_pdf(const std::string& dir, const pdf_file& before, unsigned timeout_ms) {
    pdf_file seen;
    int steady = 0;
    e2e::wait_until([&] {
        pdf_file now = newest_pdf(dir);
        if (now.path.empty() || (now.path == before.path && now.written == before.written)) return false;
        steady = (now.size > 0 && now.size == seen.size && now.path == seen.path) ? steady + 1 : 0;
        seen = now;
        return steady >= 3;
    }, timeout_ms, 300);
    return steady >= 3 ? seen : pdf_file{};
}

bool keep_pdf(const pdf_file& pdf, const std::string& out_dir, const char* name,
              const std::string& expected, const char* mode) {
    const std::string base = out_dir + "\\" + name;
    // Moved, not copied: the test leaves nothing behind in the printer's output folder.
    return MoveFileExA(pdf.path.c_str(), (base + ".pdf").c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_REPLACE_EXISTING) &&
           write_file(base + ".expected", expected) && write_file(base + ".mode", mode);
}

}  // namespace print_e2e
