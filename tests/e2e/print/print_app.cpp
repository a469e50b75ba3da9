// Drives farspan.exe through its two print dialogs onto the private CUPS PDF
// printer. For every print run it copies the new PDF into OUT_DIR as
// NAME.pdf beside NAME.expected (the output box's text when it was printed)
// and NAME.mode, which check_pdf.py compares afterwards.
//   print_app.exe --gtest_filter=PrintApp.<test> FARSPAN_EXE de|en PDF_DIR OUT_DIR
// de|en: the system language expected. PrintApp.EveryWayThroughBothDialogs
// prints all runs; PrintApp.SystemReportOnly only one, of the system report
// (a short pass for another Windows version).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver.h"
#include "pdf_files.h"
#include "tests/expected/control_ids.h"

namespace {

// Controls of the font dialog's template: face, style and size boxes.
const int font_face_box = 0x470;
const int font_style_box = 0x471;
const int font_size_box = 0x472;

std::string pdf_dir;
std::string out_dir;

using print_e2e::pdf_file;

// The one visible dialog of the program other than the main dialog.
HWND wait_other_dialog(const e2e::app& a, HWND except_too, unsigned timeout_ms) {
    HWND found = nullptr;
    e2e::wait_until([&] {
        found = e2e::find_process_window(a.process.dwProcessId, "#32770", a.dialog);
        return found && found != except_too;
    }, timeout_ms, 20);
    return found != except_too ? found : nullptr;
}

// Characters per line of "Courier New" at `points` on the default printer,
// from the printer's own metrics: lines longer than this are cut.
int printer_chars_per_line(int points) {
    char printer[256] = {};
    DWORD size = sizeof printer;
    if (!GetDefaultPrinterA(printer, &size)) return 0;
    HDC dc = CreateDCA(nullptr, printer, nullptr, nullptr);
    if (!dc) return 0;
    LOGFONTA font = {};
    font.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = FW_NORMAL;
    lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    HFONT created = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, created);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const int chars = metrics.tmAveCharWidth > 0 ? GetDeviceCaps(dc, HORZRES) / metrics.tmAveCharWidth : 0;
    SelectObject(dc, previous);
    DeleteObject(created);
    DeleteDC(dc);
    return chars;
}

bool responsive(const e2e::app& a) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(a.dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

enum class trigger { print_button, window_menu };
enum class answer { ok, cancel };

struct print_run {
    trigger by = trigger::print_button;
    answer setup = answer::ok;
    answer font = answer::ok;
    const char* size = nullptr;  // typed into the font dialog's size box
};

void start_print(const e2e::app& a, trigger by) {
    if (by == trigger::print_button)
        PostMessageA(a.dialog, WM_COMMAND, MAKEWPARAM(13, BN_CLICKED), reinterpret_cast<LPARAM>(e2e::item(a, ctl::print)));
    else
        PostMessageA(a.dialog, WM_SYSCOMMAND, menu_command::print, 0);
}

// Works both dialogs; returns true when the font dialog was confirmed, with
// the size it was confirmed at in `points`.
bool run_dialogs(const e2e::app& a, const print_run& run, const char* expected_style, int* points = nullptr) {
    start_print(a, run.by);
    HWND setup = wait_other_dialog(a, nullptr, 20000);
    EXPECT_NE(setup, nullptr) << "no Print Setup dialog within 20 s";
    if (!setup) return false;
    PostMessageA(setup, WM_COMMAND, run.setup == answer::ok ? IDOK : IDCANCEL, 0);
    EXPECT_TRUE(e2e::wait_until([&] { return !IsWindow(setup); }, 10000)) << "Print Setup stayed open";
    if (run.setup == answer::cancel) {
        // No font dialog follows a cancelled Print Setup.
        Sleep(1500);
        EXPECT_EQ(e2e::find_process_window(a.process.dwProcessId, "#32770", a.dialog), nullptr)
            << "a dialog followed a cancelled Print Setup";
        return false;
    }
    HWND font = wait_other_dialog(a, setup, 20000);
    EXPECT_NE(font, nullptr) << "no font dialog within 20 s";
    if (!font) return false;
    // Preset: the printer's "Courier New" in its regular style. Wine's dialog names
    // the styles itself: "Regular" in English, but "Normal" where Windows says
    // "Standard", so on a German system only the choice of the first style shows.
    EXPECT_PRED_FORMAT2(e2e::same_bytes, e2e::text_of(GetDlgItem(font, font_face_box)), "Courier New");
    EXPECT_EQ(SendMessageA(GetDlgItem(font, font_style_box), CB_GETCURSEL, 0, 0), 0) << "style chosen";
    if (lstrcmpA(expected_style, "Regular") == 0) {
        EXPECT_PRED_FORMAT2(e2e::same_bytes, e2e::text_of(GetDlgItem(font, font_style_box)), expected_style);
    }
    if (run.size) {
        // Pick the size from the list as a user would, so the dialog hears of the change.
        HWND sizes = GetDlgItem(font, font_size_box);
        const LRESULT index = SendMessageA(sizes, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(run.size));
        EXPECT_GE(index, 0) << "size " << run.size << " not in the list";
        SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(font, WM_COMMAND, MAKEWPARAM(font_size_box, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
        EXPECT_PRED_FORMAT2(e2e::same_bytes, e2e::text_of(sizes), run.size);
    }
    if (points) *points = std::atoi(e2e::text_of(GetDlgItem(font, font_size_box)).c_str());
    PostMessageA(font, WM_COMMAND, run.font == answer::ok ? IDOK : IDCANCEL, 0);
    EXPECT_TRUE(e2e::wait_until([&] { return !IsWindow(font); }, 10000)) << "the font dialog stayed open";
    return run.font == answer::ok;
}

// One print run that must produce a PDF of the box's current text.
int print_and_keep(const e2e::app& a, const print_run& run, const char* style, const char* name,
                   const char* mode, int previous_job) {
    const std::string expected = e2e::output_text(a);
    EXPECT_FALSE(expected.empty()) << name << ": empty box";
    const pdf_file before = print_e2e::newest_pdf(pdf_dir);
    int points = 0;
    if (!run_dialogs(a, run, style, &points)) return previous_job;
    EXPECT_GT(points, 0) << name;
    const int chars_per_line = printer_chars_per_line(points);
    EXPECT_GT(chars_per_line, 0) << name << ", " << points << " pt";
    const pdf_file printed = print_e2e::wait_new_pdf(pdf_dir, before, 90000);
    EXPECT_FALSE(printed.path.empty()) << "no PDF for " << name;
    if (printed.path.empty()) return previous_job;
    // Exactly one job per run: cups-pdf numbers the jobs of this server 1, 2, 3...
    if (previous_job >= 0) {
        EXPECT_EQ(printed.job, previous_job + 1) << name << ": " << printed.path;
    }
    EXPECT_TRUE(print_e2e::keep_pdf(printed, out_dir, name, expected,
                                    (std::string(mode) + " " + std::to_string(chars_per_line)).c_str()))
        << name << ": " << printed.path << " not kept in " << out_dir;
    std::printf("%s: %s (job %d, %d pt, %d characters a line)\n", name, printed.path.c_str(), printed.job,
                points, chars_per_line);
    EXPECT_TRUE(responsive(a)) << "after printing " << name;
    return printed.job;
}

// A run that is cancelled in one of the dialogs: no job, and the program goes on.
void cancelled_run(const e2e::app& a, const print_run& run, const char* style) {
    const pdf_file before = print_e2e::newest_pdf(pdf_dir);
    EXPECT_FALSE(run_dialogs(a, run, style)) << "the font dialog was confirmed";
    Sleep(3000);
    const pdf_file after = print_e2e::newest_pdf(pdf_dir);
    EXPECT_TRUE(after.path == before.path && after.written == before.written) << "a cancelled run printed " << after.path;
    EXPECT_TRUE(responsive(a)) << "after a cancelled run";
    EXPECT_TRUE(e2e::alive(a));
}

}  // namespace

// The four arguments the CTest entry and print_test.sh hand over.
struct print_arguments {
    std::string program;
    bool german = false;
};

// Reads the arguments into the globals; false when they are missing.
bool read_arguments(print_arguments& args) {
    if (e2e::arguments().size() < 4) return false;
    args.program = e2e::argument(0);
    args.german = e2e::argument(1) == "de";
    pdf_dir = e2e::argument(2);
    out_dir = e2e::argument(3);
    return true;
}

// Starts the program in the system language the entry names; the style box
// follows the system's language, whatever the program shows.
void start(e2e::app& a, const char*& style) {
    print_arguments args;
    ASSERT_TRUE(read_arguments(args)) << "usage: print_app.exe --gtest_filter=... FARSPAN_EXE de|en PDF_DIR OUT_DIR";
    const bool german = PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_GERMAN;
    EXPECT_EQ(german, args.german) << "the system language is not the one the entry names";
    style = german ? "Standard" : "Regular";
    ASSERT_TRUE(e2e::start_app(a, args.program.c_str())) << args.program << " did not start";
    EXPECT_TRUE(e2e::wait_output_shown(a, 10000));
}

TEST(PrintApp, SystemReportOnly) {
    e2e::app a;
    const char* style = nullptr;
    ASSERT_NO_FATAL_FAILURE(start(a, style));
    e2e::click(e2e::item(a, ctl::ram_info));
    EXPECT_TRUE(e2e::wait_output_shown(a, 20000)) << "no system report";
    print_and_keep(a, {trigger::print_button, answer::ok, answer::ok, nullptr}, style, "system", "single", -1);
    EXPECT_EQ(e2e::stop_app(a), 0);
}

TEST(PrintApp, EveryWayThroughBothDialogs) {
    e2e::app a;
    const char* style = nullptr;
    ASSERT_NO_FATAL_FAILURE(start(a, style));

    // Cancelling either dialog prints nothing.
    cancelled_run(a, {trigger::print_button, answer::cancel, answer::ok, nullptr}, style);
    cancelled_run(a, {trigger::window_menu, answer::ok, answer::cancel, nullptr}, style);

    int job = print_and_keep(a, {trigger::print_button, answer::ok, answer::ok, nullptr}, style,
                             "curvature", "single", -1);
    // A large font spreads the same report over several pages.
    job = print_and_keep(a, {trigger::window_menu, answer::ok, answer::ok, "48"}, style,
                         "curvature_large", "multipage", job);

    // The system report, through the window menu.
    e2e::click(e2e::item(a, ctl::ram_info));
    EXPECT_TRUE(e2e::checked(e2e::item(a, ctl::ram_info)));
    EXPECT_TRUE(e2e::wait_output_shown(a, 20000)) << "no system report";
    job = print_and_keep(a, {trigger::window_menu, answer::ok, answer::ok, nullptr}, style, "system", "single", job);

    // Still working after the print runs: a field change still rebuilds the report.
    e2e::click(e2e::item(a, ctl::ram_info));
    EXPECT_FALSE(e2e::set_field_and_wait(a, ctl::kilometres, "12").empty()) << "no report after a field change";
    EXPECT_EQ(e2e::stop_app(a), 0);
}
