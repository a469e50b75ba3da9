// Drives the real farspan.exe through its main dialog, as a person would.
// One test per CTest entry, chosen with --gtest_filter; words after the
// GoogleTest flags:
//   MainDialog.FirstReport de|en [N]   (with N: German under ANSI code page N)
//   MainDialog.WindowsVersion NAME     (the Windows the prefix was set to: 7, 8.1, 10, 11)
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/curvature_report.h"
#include "calc/field_reading.h"
#include "driver.h"
#include "expected_texts.h"
#include "windows_version_oracle.h"
#include "tests/expected/control_ids.h"

using namespace e2e;

namespace {

const char* program = "farspan.exe";

std::string text_of_control(const app& a, int id) { return id == 0 ? text_of(a.dialog) : text_of(item(a, id)); }

void check_language(const app& a, bool german, const char* when) {
    for (const expected_control_text& t : expected_texts) {
        const std::string shown = text_of_control(a, t.id);
        const std::string wanted = german ? t.german : t.english;
        EXPECT_PRED_FORMAT2(same_bytes, shown, wanted) << when << ", control " << t.id;
    }
}

bool output_visible(const app& a) { return IsWindowVisible(item(a, ctl::output)) != FALSE; }

// The first line of the report after its opening CR LF.
std::string head_line(const std::string& report) {
    const std::size_t start = report.find("\r\n") == 0 ? 2 : 0;
    return report.substr(start, report.find("\r\n", start) - start);
}

// Puts text on the clipboard and pastes it into the field, as Ctrl+V does.
void paste_into(HWND field, const char* text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    const std::size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory) {
        std::memcpy(GlobalLock(memory), text, size);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
    SendMessageA(field, WM_PASTE, 0, 0);
}

// ---- screen pixels --------------------------------------------------------

COLORREF screen_pixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// A point in a window's client area, in screen coordinates.
POINT client_point(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

// Counts pixels of a window's client area that satisfy `match`.
template <class Match>
int count_pixels(HWND window, Match match) {
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    int found = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const POINT p = client_point(window, x, y);
            if (match(GetPixel(screen, p.x, p.y))) ++found;
        }
    }
    ReleaseDC(nullptr, screen);
    return found;
}

bool near_colour(COLORREF c, int r, int g, int b, int tolerance = 8) {
    return std::abs(GetRValue(c) - r) <= tolerance && std::abs(GetGValue(c) - g) <= tolerance &&
           std::abs(GetBValue(c) - b) <= tolerance;
}

// Gives the program time to repaint after a change.
void settle(const app& a) {
    SendMessageA(a.dialog, WM_NULL, 0, 0);
    Sleep(300);
    SendMessageA(a.dialog, WM_NULL, 0, 0);
}

// ---- message boxes ----------------------------------------------------------

struct static_search {
    std::string longest;
};

BOOL CALLBACK collect_static(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<static_search*>(param);
    if (lstrcmpiA(class_of(child).c_str(), "Static") == 0) {
        const std::string text = text_of(child);
        if (text.size() > search->longest.size()) search->longest = text;
    }
    return TRUE;
}

// Opens a message box by `open`, returns its caption and text, and closes it.
bool read_message_box(const app& a, void (*open)(const app&), std::string& caption, std::string& text) {
    open(a);
    HWND box = wait_process_window(a.process.dwProcessId, "#32770", a.dialog, 5000);
    if (!box) return false;
    caption = text_of(box);
    static_search search;
    EnumChildWindows(box, collect_static, reinterpret_cast<LPARAM>(&search));
    text = search.longest;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return wait_until([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

void open_about_by_button(const app& a) { post_click(item(a, ctl::about)); }
void open_about_by_menu(const app& a) { PostMessageA(a.dialog, WM_SYSCOMMAND, menu_command::about, 0); }

// ---- the scenarios ----------------------------------------------------------

// With a code page (where the user is Russian or Japanese) German is
// switched to, and the About box read too: texts are read back as Unicode.
TEST(MainDialog, FirstReport) {
    const bool german = argument(0) == "de";
    const unsigned code_page = static_cast<unsigned>(std::atoi(argument(1, "0").c_str()));
    ASSERT_TRUE(argument(0) == "de" || argument(0) == "en") << "usage: --gtest_filter=MainDialog.FirstReport de|en [N]";
    app a;
    if (code_page) {
        EXPECT_EQ(GetACP(), code_page);
    }
    ASSERT_TRUE(start_app(a, program));
    EXPECT_TRUE(wait_output_shown(a, 5000));
    if (code_page) click(item(a, ctl::language));
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), german ? german_start_report : english_start_report);
    check_language(a, german, "at start");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::length_label)), german ? "Höhe:" : "Height:");
    std::string caption, about;
    if (code_page) {
        EXPECT_TRUE(read_message_box(a, open_about_by_button, caption, about));
        EXPECT_NE(about.find("Es könnte"), std::string::npos) << visible(about);
    }
    EXPECT_TRUE(checked(item(a, ctl::height)));
    EXPECT_TRUE(!checked(item(a, ctl::distance)));
    EXPECT_TRUE(!checked(item(a, ctl::ram_info)));
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::kilometres)), "85");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::metres)), "0");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::degrees)), "15");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::minutes)), "0");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::eye_height)), "0");
    EXPECT_EQ(stop_app(a), 0);
}

// The report the core writes for the start inputs with these sight conditions.
std::string core_report(sight_conditions conditions, int german = 0) {
    static char text[report_buffer_size];
    compose_curvature_report(compute_curvature(85, 0, 15, 0, mode_height, conditions), german, text, sizeof text);
    return text;
}

void debounce(const app& a) {
    // A burst of typed digits, posted in one go: the program's queue holds all
    // three before its timer can fire, so however slow either process is, the
    // report must come once, for the whole burst. (When the report comes
    // relative to the last change is checked in-process, on the program's own clock.)
    HWND km = item(a, ctl::kilometres);
    set_field_and_wait(a, ctl::kilometres, "");
    for (char digit : std::string("123")) PostMessageA(km, WM_CHAR, static_cast<unsigned char>(digit), 1);
    EXPECT_TRUE(wait_until([&] { return text_of(km) == "123"; }, 5000));
    EXPECT_TRUE(wait_output_shown(a, 5000));
    EXPECT_PRED_FORMAT2(same_bytes, head_line(output_text(a)), " Height:            123.000 Kilometres ");
    // Once shown, it stays: one recalculation, no further hide/show cycle.
    bool hidden_again = false;
    wait_until([&] { return (hidden_again = !output_visible(a)); }, 200);
    EXPECT_TRUE(!hidden_again);
    set_field_and_wait(a, ctl::kilometres, "85");
}

void switches_recalculate_at_once(const app& a) {
    // Each of these returns only when the click was handled: the report must
    // already be there, with no timer in between.
    click(item(a, ctl::distance));
    EXPECT_TRUE(output_visible(a));
    EXPECT_PRED_FORMAT2(same_bytes, head_line(output_text(a)), " Distance:           85.000 Kilometres ");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::length_label)), "Distance:");
    click(item(a, ctl::height));
    EXPECT_PRED_FORMAT2(same_bytes, head_line(output_text(a)), " Height:             85.000 Kilometres ");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::length_label)), "Height:");

    click(item(a, ctl::ram_info));
    EXPECT_TRUE(checked(item(a, ctl::ram_info)));
    const std::string system_report = output_text(a);
    EXPECT_TRUE(system_report.find("Kilometres") == std::string::npos);
    EXPECT_TRUE(system_report.size() >= 2 && system_report.compare(system_report.size() - 2, 2, "\r\n") == 0);
    // The length label still follows the measure mode.
    click(item(a, ctl::distance));
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::length_label)), "Distance:");
    click(item(a, ctl::height));
    click(item(a, ctl::ram_info));
    EXPECT_TRUE(!checked(item(a, ctl::ram_info)));
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), english_start_report);
}

void language_button(const app& a) {
    click(item(a, ctl::language));
    EXPECT_TRUE(output_visible(a));
    check_language(a, true, "after one press");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::length_label)), "Höhe:");
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), german_start_report);
    click(item(a, ctl::distance));
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::length_label)), "Entfernung:");
    click(item(a, ctl::height));
    click(item(a, ctl::language));
    check_language(a, false, "after two presses");
    EXPECT_PRED_FORMAT2(same_bytes, text_of(item(a, ctl::length_label)), "Height:");
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), english_start_report);
}

// The font handle itself is checked in-process (WM_GETFONT answers 0 across
// processes under Wine); here: each press recalculates at once, same text.
void font_button(const app& a) {
    for (int press = 0; press < 4; ++press) {
        SCOPED_TRACE("font press " + std::to_string(press + 1));
        click(item(a, ctl::font));
        EXPECT_TRUE(output_visible(a));
        EXPECT_PRED_FORMAT2(same_bytes, output_text(a), english_start_report);
    }
}

void colour_button(const app& a) {
    HWND close_button = item(a, ctl::close);
    RECT r;
    GetWindowRect(close_button, &r);
    const int bx = (r.left + r.right) / 2;
    const int by = r.top - 4;  // dialog background just above the Close button
    HWND km = item(a, ctl::kilometres);
    const POINT field = client_point(km, 3, 3);  // inside the field, left of the right-aligned digits
    HWND box = item(a, ctl::output);
    const POINT box_point = client_point(box, 2, 2);

    const COLORREF plain_background = screen_pixel(bx, by);
    const COLORREF plain_field = screen_pixel(field.x, field.y);
    EXPECT_TRUE(!near_colour(plain_background, 180, 250, 120));

    click(item(a, ctl::colour));
    settle(a);
    EXPECT_TRUE(near_colour(screen_pixel(bx, by), 180, 250, 120));
    EXPECT_TRUE(near_colour(screen_pixel(field.x, field.y), 70, 70, 200));
    EXPECT_TRUE(near_colour(screen_pixel(box_point.x, box_point.y), 180, 250, 120));
    // Red text on the labels, light grey digits in the fields.
    const int red = count_pixels(item(a, ctl::angle_label), [](COLORREF c) {
        return GetRValue(c) > 200 && GetGValue(c) < 90 && GetBValue(c) < 90;
    });
    const int grey = count_pixels(km, [](COLORREF c) { return near_colour(c, 230, 230, 230, 25); });
    EXPECT_GE(red, 10) << "red pixels in the angle label";
    // The refraction list's item stays readable: red, not the fields' light grey on its own face.
    EXPECT_GE(count_pixels(item(a, ctl::refraction), [](COLORREF c) {
                  return GetRValue(c) > 200 && GetGValue(c) < 90 && GetBValue(c) < 90;
              }), 5) << "red pixels in the refraction list";
    EXPECT_GE(grey, 5) << "light grey pixels in the kilometre field";

    click(item(a, ctl::colour));
    settle(a);
    EXPECT_TRUE(screen_pixel(bx, by) == plain_background);
    EXPECT_TRUE(screen_pixel(field.x, field.y) == plain_field);
}

void about_box(const app& a) {
    for (int round = 0; round < 2; ++round) {
        const bool german = round == 1;
        SCOPED_TRACE(german ? "About box in German" : "About box in English");
        if (german) click(item(a, ctl::language));
        std::string caption_button, text_button, caption_menu, text_menu;
        EXPECT_TRUE(read_message_box(a, open_about_by_button, caption_button, text_button));
        EXPECT_TRUE(read_message_box(a, open_about_by_menu, caption_menu, text_menu));
        EXPECT_PRED_FORMAT2(same_bytes, caption_button,
                            german ? expected_about_title.german : expected_about_title.english);
        EXPECT_PRED_FORMAT2(same_bytes, text_menu, text_button);
        EXPECT_PRED_FORMAT2(same_bytes, caption_menu, caption_button);
        const std::string opening = german ? german_about_opening : english_about_opening;
        EXPECT_PRED_FORMAT2(same_bytes, text_button.substr(0, opening.size()), opening);
        EXPECT_TRUE(text_button.find('\r') == std::string::npos);
        EXPECT_TRUE(text_button.find(german ? "Es könnte             \n" : "as it is,             \n") !=
                  std::string::npos);
        EXPECT_TRUE(text_button.find("\n\n 64Bit-Windows-Version \n\n") != std::string::npos);
        if (german) click(item(a, ctl::language));
    }
    EXPECT_TRUE(alive(a));
}

// Sends an arrow key to a field; its up-down control moves the value.
void arrow(HWND field, UINT key) {
    SendMessageA(field, WM_KEYDOWN, key, 1);
    SendMessageA(field, WM_KEYUP, key, 0xC0000001);
}

void spin_wrap(const app& a) {
    struct range {
        int field;
        int spin;
        int top;
    };
    const range ranges[] = {{ctl::kilometres, ctl::kilometres_spin, 32000}, {ctl::metres, ctl::metres_spin, 999},
                            {ctl::degrees, ctl::degrees_spin, 89}, {ctl::minutes, ctl::minutes_spin, 59},
                            {ctl::eye_height, ctl::eye_height_spin, 9999}};
    for (const range& r : ranges) {
        SCOPED_TRACE("field " + std::to_string(r.field));
        const LRESULT got = SendMessageA(item(a, r.spin), UDM_GETRANGE, 0, 0);
        EXPECT_TRUE(LOWORD(got) == r.top && HIWORD(got) == 0);
        HWND field = item(a, r.field);
        const std::string before = text_of(field);
        const std::string at_top = set_field_and_wait(a, r.field, std::to_string(r.top).c_str());
        if (r.field == ctl::eye_height) {
            EXPECT_PRED_FORMAT2(same_bytes, at_top, core_report({9999, refraction_none}));
        }
        // Every spin step is an input change: the box is hidden while the key
        // is handled and comes back with the report of the new value.
        arrow(field, VK_UP);
        EXPECT_PRED_FORMAT2(same_bytes, text_of(field), "0");
        EXPECT_TRUE(wait_output_shown(a));
        const std::string after_up = output_text(a);
        arrow(field, VK_DOWN);
        EXPECT_PRED_FORMAT2(same_bytes, text_of(field), std::to_string(r.top));
        EXPECT_TRUE(wait_output_shown(a));
        EXPECT_PRED_FORMAT2(same_bytes, output_text(a), at_top);
        const std::string at_zero = set_field_and_wait(a, r.field, "0");
        EXPECT_TRUE(at_zero != at_top);
        EXPECT_PRED_FORMAT2(same_bytes, after_up, at_zero);
        set_text(field, before.c_str());
        EXPECT_TRUE(wait_output_shown(a));
    }
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), english_start_report);
}

// The refraction list, worked by the arrow keys: each item brings its report
// at once (no timer), its text follows the language, and the choice stays
// across the switch.
void refraction_list(const app& a) {
    HWND list = item(a, ctl::refraction);
    for (int step = 1; step <= 4; ++step) {
        const int k = step % 4;  // down through 0.13, 0.142, 0.20, then Home back to none
        SCOPED_TRACE("item " + std::to_string(k));
        SendMessageA(list, WM_KEYDOWN, k ? VK_DOWN : VK_HOME, 1);
        EXPECT_PRED_FORMAT2(same_bytes, text_of(list), expected_refraction_items[k].english);
        EXPECT_TRUE(output_visible(a));
        EXPECT_PRED_FORMAT2(same_bytes, output_text(a), core_report({0, static_cast<refraction_choice>(k)}));
    }
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
    click(item(a, ctl::language));
    EXPECT_PRED_FORMAT2(same_bytes, text_of(list), expected_refraction_items[1].german);
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), core_report({0, refraction_gauss}, 1));
    click(item(a, ctl::language));
    SendMessageA(list, WM_KEYDOWN, VK_HOME, 1);
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), english_start_report);
}

void typing_and_odd_input(const app& a) {
    HWND km = item(a, ctl::kilometres);
    // Only digits can be typed.
    set_text(km, "");
    for (char c : std::string("4x2-.")) SendMessageA(km, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_PRED_FORMAT2(same_bytes, text_of(km), "42");
    EXPECT_TRUE(wait_output_shown(a));
    EXPECT_PRED_FORMAT2(same_bytes, head_line(output_text(a)), " Height:             42.000 Kilometres ");

    // Five-digit kilometres (the spin range ends at 32000, typing may go beyond).
    std::string report = set_field_and_wait(a, ctl::kilometres, "99999");
    EXPECT_PRED_FORMAT2(same_bytes, head_line(report), " Height:          99999.000 Kilometres ");
    EXPECT_TRUE(report.size() > 2 && report.compare(report.size() - 2, 2, "\r\n") == 0);
    // The field takes five characters at most.
    for (char c : std::string("7")) SendMessageA(km, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_PRED_FORMAT2(same_bytes, text_of(km), "99999");

    // Text that is not a whole number, as a paste can bring, is not read as
    // the number before its first non-digit: the report names the field.
    EXPECT_PRED_FORMAT2(same_bytes, set_field_and_wait(a, ctl::kilometres, "12ab"), expected_kilometres_unread);
    // The eye height's field is read the same way, and named after the kilometres.
    char unread[report_buffer_size];
    const bool eye_too[input_field_count] = {true, false, false, false, true};
    compose_unreadable_report(eye_too, 0, unread, sizeof unread);
    EXPECT_PRED_FORMAT2(same_bytes, set_field_and_wait(a, ctl::eye_height, "1,5"), unread);
    set_field_and_wait(a, ctl::eye_height, "0");
    // Pasted over the selected text: the field shows what the report names.
    for (const char* pasted : {"1,5", "x7y"}) {
        SCOPED_TRACE(std::string("pasted ") + pasted);
        SendMessageA(km, EM_SETSEL, 0, -1);
        paste_into(km, pasted);
        EXPECT_PRED_FORMAT2(same_bytes, text_of(km), pasted);
        EXPECT_TRUE(wait_output_shown(a));
        EXPECT_PRED_FORMAT2(same_bytes, output_text(a), expected_kilometres_unread);
    }

    // Every field empty: each counts as 0, so the clamped minimum is reported.
    for (int id : {ctl::kilometres, ctl::metres, ctl::degrees, ctl::minutes}) set_text(item(a, id), "");
    EXPECT_TRUE(wait_output_shown(a));
    report = output_text(a);
    EXPECT_PRED_FORMAT2(same_bytes, head_line(report), " Height:              0.001 Kilometres ");
    EXPECT_TRUE(report.find(" Height Angle:        0.010 Degree ") != std::string::npos);
    EXPECT_TRUE(report.find("Attention! Absurd Value because out of Range!") != std::string::npos);
    click(item(a, ctl::distance));
    report = output_text(a);
    EXPECT_PRED_FORMAT2(same_bytes, head_line(report), " Distance:            0.001 Kilometres ");
    EXPECT_TRUE(report.find("Attention!") == std::string::npos);
    click(item(a, ctl::height));

    set_text(item(a, ctl::kilometres), "85");
    set_text(item(a, ctl::metres), "0");
    set_text(item(a, ctl::degrees), "15");
    set_text(item(a, ctl::minutes), "0");
    EXPECT_TRUE(wait_output_shown(a));
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), english_start_report);
}

void unused_commands(const app& a) {
    const std::string before = output_text(a);
    // 14, 31 and 99 are no control's.
    const int ids[] = {14, ctl::kilometres_spin, ctl::metres_spin, ctl::degrees_spin, ctl::minutes_spin, 31, 99, ctl::output};
    for (int id : ids) {
        SendMessageA(a.dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    EXPECT_TRUE(output_visible(a));
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), before);
    EXPECT_TRUE(alive(a));
}

// The WWW button hands its address to the shell, which the program loads at
// this first use: the prefix's handler for http is, for the moment, a command
// that writes the address it is given into a file.
void web_link(const app& a) {
    const char* handler_key = "http\\shell\\open\\command";
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string record = std::string(folder) + "farspan_link.txt";
    DeleteFileA(record.c_str());
    char old_handler[1024] = "";
    LONG old_size = sizeof old_handler;
    const bool had_handler = RegQueryValueA(HKEY_CLASSES_ROOT, handler_key, old_handler, &old_size) == ERROR_SUCCESS;
    const std::string recorder = "cmd.exe /c echo %1>\"" + record + "\"";
    EXPECT_TRUE(RegSetValueA(HKEY_CLASSES_ROOT, handler_key, REG_SZ, recorder.c_str(), 0) == ERROR_SUCCESS);
    click(item(a, ctl::www));
    std::string opened;
    wait_until([&] {
        FILE* file = std::fopen(record.c_str(), "rb");
        char line[512] = "";
        if (file && std::fgets(line, sizeof line, file)) opened = line;
        if (file) std::fclose(file);
        return opened.find('\n') != std::string::npos;
    }, 10000, 50);
    if (had_handler) RegSetValueA(HKEY_CLASSES_ROOT, handler_key, REG_SZ, old_handler, 0);
    DeleteFileA(record.c_str());
    opened.erase(opened.find_last_not_of(" \r\n") + 1);
    EXPECT_PRED_FORMAT2(same_bytes, opened, english_web_links.home);
    EXPECT_TRUE(alive(a));
}

// Every control, from an English user language.
TEST(MainDialog, Drive) {
    app a;
    ASSERT_TRUE(start_app(a, program));
    EXPECT_TRUE(wait_output_shown(a, 5000));
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), english_start_report);
    debounce(a);
    switches_recalculate_at_once(a);
    language_button(a);
    font_button(a);
    colour_button(a);
    about_box(a);
    spin_wrap(a);
    refraction_list(a);
    typing_and_odd_input(a);
    unused_commands(a);
    web_link(a);
    // Esc ends the dialog with exit code 0.
    SendMessageA(a.dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(WaitForSingleObject(a.process.hProcess, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(stop_app(a), 0);
}

// ---- code pages, Enter, accessible names ------------------------------------

// Enter typed with the focus on `id`.
void enter_in(const app& a, int id) {
    SendMessageA(a.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(a, id)), TRUE);
    PostMessageA(item(a, id), WM_KEYDOWN, VK_RETURN, 0x001C0001);
}

// Enter closes only from Close. In a field it reports what was typed; in the
// output box, on a radio or the check box it does nothing; another button it presses.
TEST(MainDialog, Enter) {
    app a;
    ASSERT_TRUE(start_app(a, program));
    EXPECT_TRUE(wait_output_shown(a, 5000));
    for (int field : {ctl::kilometres, ctl::metres, ctl::degrees, ctl::minutes, ctl::eye_height}) {
        const std::string before = text_of(item(a, field));
        set_text(item(a, field), "48");
        enter_in(a, field);
        EXPECT_TRUE(wait_output_shown(a, 5000) && alive(a) && output_text(a) != english_start_report)
            << "Enter in field " << field;
        set_field_and_wait(a, field, before.c_str());
    }
    for (int quiet : {ctl::output, ctl::height, ctl::ram_info, ctl::refraction}) {
        enter_in(a, quiet);
        EXPECT_EQ(WaitForSingleObject(a.process.hProcess, 500), WAIT_TIMEOUT) << "Enter on control " << quiet;
        EXPECT_TRUE(checked(item(a, ctl::height)) && !checked(item(a, ctl::ram_info)) && output_text(a) == english_start_report)
            << "Enter on control " << quiet;
    }
    enter_in(a, ctl::language);
    EXPECT_TRUE(wait_until([&] { return text_of(item(a, ctl::language)) == "English"; }, 5000));
    enter_in(a, ctl::close);
    EXPECT_EQ(WaitForSingleObject(a.process.hProcess, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(stop_app(a), 0);
}

// A control's name as a screen reader gets it through oleacc, from this process.
std::string accessible_name_of(HWND window) {
    const IID iid_accessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    IAccessible* object = nullptr;
    VARIANT self = {};  // VT_EMPTY would do for Windows; Wine wants CHILDID_SELF as VT_I4
    self.vt = VT_I4;
    BSTR name = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), iid_accessible,
                                             reinterpret_cast<void**>(&object)))) {
        object->get_accName(self, &name);
        object->Release();
    }
    char bytes[256] = "(none)";
    if (name) WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, name, -1, bytes, sizeof bytes - 1, "#", nullptr);
    SysFreeString(name);
    return bytes;
}

std::string expected_name(int id, int distance_mode, bool german) {
    for (const expected_accessible_name& row : expected_accessible_names)
        if (row.id == id && row.distance_mode == distance_mode) return german ? row.german : row.english;
    return "(no expected name for this control)";
}

// The up-down controls and pictures ("Spin1" and no name before) in both
// languages, the length spin in both modes. The fields, the output box and
// the descriptions are annotations, which Wine's oleacc does not implement.
TEST(MainDialog, Names) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    app a;
    ASSERT_TRUE(start_app(a, program));
    EXPECT_TRUE(wait_output_shown(a, 5000));
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German" : "English");
        if (german) click(item(a, ctl::language));
        EXPECT_PRED_FORMAT2(same_bytes, accessible_name_of(item(a, ctl::degrees_spin)), expected_name(ctl::degrees_spin, 0, german));
        EXPECT_PRED_FORMAT2(same_bytes, accessible_name_of(item(a, ctl::portrait)), expected_name(ctl::portrait, 0, german));
        click(item(a, ctl::distance));
        EXPECT_PRED_FORMAT2(same_bytes, accessible_name_of(item(a, ctl::kilometres_spin)), expected_name(ctl::kilometres_spin, 1, german));
        click(item(a, ctl::height));
        EXPECT_PRED_FORMAT2(same_bytes, accessible_name_of(item(a, ctl::kilometres_spin)), expected_name(ctl::kilometres_spin, 0, german));
    }
    EXPECT_EQ(stop_app(a), 0);
}

}  // namespace

// The program under the Windows version the prefix was set to: it starts,
// shows its first report, and its system report names that Windows as the
// test's own table and the driver's queries describe it. Which build stands
// for that Windows is the running Wine's answer, not a figure of one Wine release.
TEST(MainDialog, WindowsVersion) {
    const expected_windows wanted = expected_windows_for(argument(0));
    ASSERT_EQ(wanted.problem, "") << "asked for Windows " << argument(0) << "; the driver found " << wanted.found;
    app a;
    ASSERT_TRUE(start_app(a, program));
    EXPECT_TRUE(wait_output_shown(a, 5000));
    EXPECT_PRED_FORMAT2(same_bytes, output_text(a), english_start_report);
    click(item(a, ctl::ram_info));
    EXPECT_TRUE(wait_output_shown(a, 5000));
    const std::string report = output_text(a);
    const std::size_t at = report.find("\r\n\r\n Operating System Version: ");
    const std::string shown = at == std::string::npos ? "(none)" : report.substr(at, wanted.lines.size());
    EXPECT_PRED_FORMAT2(same_bytes, shown, wanted.lines) << "the driver found " << wanted.found;
    EXPECT_EQ(stop_app(a), 0);
}
