// Starts farspan.exe from an unpacked release folder (a path with blanks and
// umlauts) and checks that it shows its first report.
//   release_check.exe <folder>
#include <cstdio>
#include <string>

#include "calc/curvature.h"
#include "calc/curvature_report.h"
#include "driver.h"

#include <shellapi.h>

int main() {
    // Wide command line: the folder name must survive whatever the ANSI code page is.
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) {
        std::printf("usage: release_check <folder>\n");
        return 2;
    }
    std::wstring folder = argv[1];
    LocalFree(argv);
    std::wstring exe = folder + L"\\farspan.exe";
    std::wstring line = L"\"" + exe + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    e2e::app a;
    const BOOL started = CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.c_str(), &startup, &a.process);
    E2E_CHECK(started);
    if (!started) return e2e::finish();
    a.dialog = e2e::wait_process_window(a.process.dwProcessId, "#32770", nullptr, 30000);
    E2E_CHECK(a.dialog != nullptr);
    if (a.dialog) {
        E2E_CHECK(e2e::wait_output_shown(a, 10000));
        const bool german = e2e::text_of(e2e::item(a, 10)) == "English";
        static char expected[report_buffer_size];
        compose_curvature_report(compute_curvature(85, 0, 15, 0, mode_height), german, expected, sizeof expected);
        E2E_CHECK_TEXT(e2e::output_text(a), std::string(expected));
    }
    E2E_CHECK(e2e::stop_app(a) == 0);
    return e2e::finish();
}
