// Hovers the real pointer over the controls of farspan.exe and reads the tip
// that shows: each working control's text in the current language, the next
// tip in the other language after the language button, and no tip over the
// output box and the labels.
// The expected tips come from the tests' own table, not the program's.
//   tooltips_app --gtest_filter=Tooltips.EveryControlInBothLanguages FARSPAN_EXE de|en
//                                      (the language the program should start in)
//   tooltips_app --gtest_filter=Tooltips.GermanTipUnderAnsiCodePage FARSPAN_EXE N
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver.h"
#include "tests/expected/tooltip_texts.h"
#include "tests/expected/control_ids.h"

namespace {

const int tipped_controls[] = {ctl::close, ctl::language, ctl::font, ctl::about, ctl::print, ctl::height,
                                ctl::distance, ctl::ram_info, ctl::kilometres, ctl::kilometres_spin, ctl::metres,
                                ctl::metres_spin, ctl::degrees, ctl::degrees_spin, ctl::minutes, ctl::minutes_spin,
                                ctl::portrait, ctl::diagram, ctl::graphic, ctl::www, ctl::colour,
                                ctl::eye_height, ctl::eye_height_spin, ctl::refraction};
const int untipped_controls[] = {ctl::output, ctl::length_label, ctl::unit_kilometres, ctl::angle_label, ctl::eye_label};

void move_pointer(int x, int y) {
    SetCursorPos(x, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

HWND visible_tip(const e2e::app& a) {
    return e2e::find_process_window(a.process.dwProcessId, TOOLTIPS_CLASSA);
}

bool has_current_tool(HWND tooltip) { return SendMessageA(tooltip, TTM_GETCURRENTTOOL, 0, 0) != 0; }

// Moves off the dialog and waits until the tooltip has let go of every tool
// (no tip shown, no current tool), so the next tool starts from the initial
// delay; then rests on the control's centre and returns the text of the tip
// that appears ("" when none does within `wait_ms`).
std::string tip_over(const e2e::app& a, HWND tooltip, int control_id, unsigned wait_ms = 4000,
                     bool tip_expected = true) {
    RECT dialog;
    GetWindowRect(a.dialog, &dialog);
    move_pointer(dialog.right + 40, dialog.bottom + 40);
    const bool released =
        e2e::wait_until([&] { return visible_tip(a) == nullptr && !has_current_tool(tooltip); }, 3000, 20);
    if (!released) std::printf("  (control %d: the previous tip did not let go within 3 s)\n", control_id);
    RECT r;
    GetWindowRect(e2e::item(a, control_id), &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    move_pointer(centre.x, centre.y);
    HWND tip = nullptr;
    e2e::wait_until([&] { return (tip = visible_tip(a)) != nullptr; }, wait_ms, 20);
    if (tip) return e2e::text_of(tip);
    if (!tip_expected) return std::string();
    // Say what the tooltip saw, so a missing tip can be told from a lost pointer move.
    POINT cursor{};
    GetCursorPos(&cursor);
    const HWND under = WindowFromPoint(cursor);
    std::printf("  (control %d: no tip within %u ms; pointer at %ld,%ld over control %d; current tool: %s)\n",
                control_id, wait_ms, cursor.x, cursor.y, under ? GetDlgCtrlID(under) : 0,
                has_current_tool(tooltip) ? "yes" : "no");
    return std::string();
}

struct process_window {
    DWORD pid;
    const char* class_name;
    HWND found;
};

BOOL CALLBACK find_any_window(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<process_window*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || e2e::class_of(window) != search->class_name) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK count_working_controls(HWND child, LPARAM param) {
    if (lstrcmpiA(e2e::class_of(child).c_str(), "Static") != 0) ++*reinterpret_cast<int*>(param);
    return TRUE;
}

// Starts the program with the pointer parked off its dialog and finds its
// tooltip window once it holds a tool for every working control.
struct started {
    e2e::app a;
    HWND tooltip = nullptr;
    int controls = 0;
    LRESULT tools = 0;
};

void start(started& s) {
    // The pointer stays where the previous test left it, often over a control
    // of the dialog about to appear. The tooltip then starts a show timer for
    // that control; if it fires after the first hover has moved the pointer
    // but before the move reaches the program, the tooltip settles on the new
    // control without showing it and waits for a move that never comes. So
    // the program starts with the pointer in a corner the dialog leaves free.
    move_pointer(0, 0);
    ASSERT_TRUE(e2e::start_app(s.a, e2e::argument(0, "farspan.exe").c_str()));
    EXPECT_TRUE(e2e::wait_output_shown(s.a, 10000));
    RECT dialog;
    GetWindowRect(s.a.dialog, &dialog);
    POINT parked{};
    GetCursorPos(&parked);
    EXPECT_FALSE(PtInRect(&dialog, parked)) << "pointer at " << parked.x << "," << parked.y << " lies on the dialog ("
                                            << dialog.left << "," << dialog.top << " to " << dialog.right << ","
                                            << dialog.bottom << ")";
    // One tooltip window, hidden or not, with at least every non-label control
    // as a tool, made once the first report is on the screen.
    EnumChildWindows(s.a.dialog, count_working_controls, reinterpret_cast<LPARAM>(&s.controls));
    process_window search{s.a.process.dwProcessId, TOOLTIPS_CLASSA, nullptr};
    e2e::wait_until([&] {
        EnumWindows(find_any_window, reinterpret_cast<LPARAM>(&search));
        s.tools = search.found ? SendMessageA(search.found, TTM_GETTOOLCOUNT, 0, 0) : 0;
        return s.tools >= s.controls;
    }, 5000);
    s.tooltip = search.found;
}

}  // namespace

// A Russian or Japanese user starting in English switches to German and gets a German tip.
TEST(Tooltips, GermanTipUnderAnsiCodePage) {
    started s;
    start(s);
    if (HasFatalFailure()) return;
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(e2e::argument(1).c_str())));
    e2e::click(e2e::item(s.a, ctl::language));
    EXPECT_PRED_FORMAT2(e2e::same_bytes, tip_over(s.a, s.tooltip, 15), expected_tip_text(ctl::height, true));
    EXPECT_EQ(e2e::stop_app(s.a), 0);
}

TEST(Tooltips, EveryControlInBothLanguages) {
    started s;
    start(s);
    if (HasFatalFailure()) return;
    ASSERT_NE(s.tooltip, nullptr);
    EXPECT_GE(s.controls, 22);
    EXPECT_GE(s.tools, s.controls);

    // The start language follows the user's Windows language.
    bool german = PRIMARYLANGID(GetUserDefaultLangID()) == LANG_GERMAN;
    EXPECT_EQ(german, e2e::argument(1) == "de");
    for (int id : tipped_controls)
        EXPECT_PRED_FORMAT2(e2e::same_bytes, tip_over(s.a, s.tooltip, id), expected_tip_text(id, german))
            << "control " << id;
    for (int id : untipped_controls)
        EXPECT_PRED_FORMAT2(e2e::same_bytes, tip_over(s.a, s.tooltip, id, 1500, false), "") << "control " << id;

    // After the language button the next tip is in the other language, with
    // the same tools as before.
    e2e::click(e2e::item(s.a, ctl::language));
    german = !german;
    for (int id : {ctl::print, ctl::height, ctl::kilometres_spin, ctl::graphic, ctl::language})
        EXPECT_PRED_FORMAT2(e2e::same_bytes, tip_over(s.a, s.tooltip, id), expected_tip_text(id, german))
            << "control " << id << " after one press";
    EXPECT_EQ(SendMessageA(s.tooltip, TTM_GETTOOLCOUNT, 0, 0), s.tools);
    e2e::click(e2e::item(s.a, ctl::language));
    german = !german;
    EXPECT_PRED_FORMAT2(e2e::same_bytes, tip_over(s.a, s.tooltip, 16), expected_tip_text(ctl::distance, german))
        << "after two presses";
    EXPECT_EQ(e2e::stop_app(s.a), 0);
}
