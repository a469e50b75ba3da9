// Starts farspan.exe from an unpacked release folder (a path with blanks and
// umlauts) and checks that it shows its first report.
//   release_check.exe [GoogleTest flags] <folder>
#include <string>

#include "driver.h"
#include "tests/expected/start_report.h"
#include "tests/expected/control_ids.h"

#include <shellapi.h>

TEST(Release, StartsFromItsFolderAndShowsTheFirstReport) {
    // Wide command line: the folder name must survive whatever the ANSI code page is.
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    ASSERT_TRUE(argv && argc >= 2) << "usage: release_check <folder>";
    std::wstring folder = argv[argc - 1];
    LocalFree(argv);
    std::wstring exe = folder + L"\\farspan.exe";
    std::wstring line = L"\"" + exe + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    e2e::app a;
    ASSERT_TRUE(CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                               &a.process))
        << "error " << GetLastError();
    a.dialog = e2e::wait_process_window(a.process.dwProcessId, "#32770", nullptr, 30000);
    EXPECT_NE(a.dialog, nullptr) << "no dialog within 30 s";
    if (a.dialog) {
        EXPECT_TRUE(e2e::wait_output_shown(a, 10000));
        const bool german = e2e::text_of(e2e::item(a, ctl::language)) == "English";
        EXPECT_PRED_FORMAT2(e2e::same_bytes, e2e::output_text(a), german ? german_start_report : english_start_report);
    }
    EXPECT_EQ(e2e::stop_app(a), 0);
}
