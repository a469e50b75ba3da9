// Hovers the real pointer over the controls of farspan.exe and reads the tip
// that shows: each working control's text in the current language, the next
// tip in the other language after the language button, and no tip over the
// output box and the labels.
//   tooltips_app.exe FARSPAN_EXE de|en   (the language the program should start in)
//   tooltips_app.exe FARSPAN_EXE code-page N   one German tip under ANSI code page N
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver.h"
#include "tooltips/tooltip_texts.h"

namespace {

const int tipped_controls[] = {1, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30};
const int untipped_controls[] = {1000, 1001, 1002, 1004};

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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: tooltips_app.exe FARSPAN_EXE de|en\n");
        return 2;
    }
    // The pointer stays where the previous test left it, often over a control
    // of the dialog about to appear. The tooltip then starts a show timer for
    // that control; if it fires after the first hover has moved the pointer
    // but before the move reaches the program, the tooltip settles on the new
    // control without showing it and waits for a move that never comes. So
    // the program starts with the pointer in a corner the dialog leaves free.
    move_pointer(0, 0);
    e2e::app a;
    if (!e2e::start_app(a, argv[1])) {
        E2E_CHECK(false);
        return e2e::finish();
    }
    E2E_CHECK(e2e::wait_output_shown(a, 10000));
    RECT dialog;
    GetWindowRect(a.dialog, &dialog);
    POINT parked{};
    GetCursorPos(&parked);
    if (PtInRect(&dialog, parked))
        std::printf("pointer at %ld,%ld lies on the dialog (%ld,%ld to %ld,%ld)\n", parked.x, parked.y, dialog.left,
                    dialog.top, dialog.right, dialog.bottom);
    E2E_CHECK(!PtInRect(&dialog, parked));

    // One tooltip window, hidden or not, with at least every non-label control
    // as a tool, made once the first report is on the screen.
    int controls = 0;
    EnumChildWindows(a.dialog, count_working_controls, reinterpret_cast<LPARAM>(&controls));
    process_window search{a.process.dwProcessId, TOOLTIPS_CLASSA, nullptr};
    LRESULT tools = 0;
    e2e::wait_until([&] {
        EnumWindows(find_any_window, reinterpret_cast<LPARAM>(&search));
        tools = search.found ? SendMessageA(search.found, TTM_GETTOOLCOUNT, 0, 0) : 0;
        return tools >= controls;
    }, 5000);
    if (argc > 3) {  // code page N: one German tip, a Russian or Japanese user starting in English
        E2E_CHECK(GetACP() == static_cast<UINT>(std::atoi(argv[3])));
        e2e::click(e2e::item(a, 10));
        E2E_CHECK_TEXT(tip_over(a, search.found, 15), "Hier für Höhe ankreuzen");
        return e2e::stop_app(a) == 0 ? e2e::finish() : 1;
    }
    E2E_CHECK(search.found != nullptr);
    std::printf("%d working controls, %d tools\n", controls, static_cast<int>(tools));
    E2E_CHECK(controls >= 22);
    E2E_CHECK(tools >= controls);

    // The start language follows the user's Windows language.
    int language = PRIMARYLANGID(GetUserDefaultLangID()) == LANG_GERMAN ? 1 : 0;
    E2E_CHECK(language == (lstrcmpA(argv[2], "de") == 0 ? 1 : 0));
    HWND tooltip = search.found;
    for (int id : tipped_controls) {
        const std::string tip = tip_over(a, tooltip, id);
        std::printf("control %d: %s\n", id, e2e::visible(tip).c_str());
        E2E_CHECK_TEXT(tip, tooltip_text(id, language));
    }
    for (int id : untipped_controls) E2E_CHECK_TEXT(tip_over(a, tooltip, id, 1500, false), "");

    // After the language button the next tip is in the other language, with
    // the same tools as before.
    e2e::click(e2e::item(a, 10));
    language = 1 - language;
    for (int id : {13, 15, 19, 28, 10}) E2E_CHECK_TEXT(tip_over(a, tooltip, id), tooltip_text(id, language));
    E2E_CHECK(SendMessageA(search.found, TTM_GETTOOLCOUNT, 0, 0) == tools);
    e2e::click(e2e::item(a, 10));
    language = 1 - language;
    E2E_CHECK_TEXT(tip_over(a, tooltip, 16), tooltip_text(16, language));

    E2E_CHECK_TEXT(std::to_string(e2e::stop_app(a)), "0");
    return e2e::finish();
}
