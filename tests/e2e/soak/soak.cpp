// Randomized soak: seeded sequences of typing, pasting, clearing, spin clicks
// and every toggle, sent into the running farspan.exe. After each sequence the
// program must be alive and its output box must hold the report that belongs
// to the state it was driven into. The seed is printed so a failure replays.
//
//   soak.exe [GoogleTest flags] [sequences] [seed] [seconds]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "calc/curvature.h"
#include "calc/curvature_report.h"
#include "calc/field_reading.h"
#include "driver.h"
#include "tests/expected/main_dialog_texts.h"
#include "tests/expected/system_report_labels.h"
#include "tests/expected/control_ids.h"

namespace {

const int fields[] = {ctl::kilometres, ctl::metres, ctl::degrees, ctl::minutes};
const int spins[] = {ctl::kilometres_spin, ctl::metres_spin, ctl::degrees_spin, ctl::minutes_spin};

// The same read the program does: the whole text, empty as 0; -1 for a
// text that is no whole number.
int field_value(const e2e::app& a, int id) {
    int value = 0;
    return read_whole_number(e2e::text_of(e2e::item(a, id)).c_str(), value) ? value : -1;
}

bool put_clipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool ok = false;
    if (memory) {
        if (void* p = GlobalLock(memory)) {
            std::memcpy(p, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            ok = SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        if (!ok) GlobalFree(memory);  // on success the clipboard owns it
    }
    CloseClipboard();
    return ok;
}

std::string random_text(std::mt19937& rng, const char* alphabet, int length) {
    std::string text;
    const int n = static_cast<int>(std::strlen(alphabet));
    for (int i = 0; i < length; ++i) text += alphabet[rng() % n];
    return text;
}

void spin_click(HWND spin, bool up) {
    RECT r;
    GetClientRect(spin, &r);
    const int x = (r.right - r.left) / 2;
    const int y = up ? (r.bottom - r.top) / 4 : 3 * (r.bottom - r.top) / 4;
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(spin, WM_LBUTTONUP, 0, at);
}

// One random action; returns a short description for the failure log.
std::string act(const e2e::app& a, std::mt19937& rng) {
    const int f = static_cast<int>(rng() % 4);
    HWND field = e2e::item(a, fields[f]);
    char what[160];
    switch (rng() % 14) {
    case 0: case 1: case 2: {  // typing, digits and sometimes letters
        const std::string text = random_text(rng, rng() % 4 ? "0123456789" : "0123456789abc-+ ", 1 + rng() % 7);
        for (unsigned char c : text) SendMessageA(field, WM_CHAR, c, 1);
        std::snprintf(what, sizeof what, "type \"%s\" into %d", text.c_str(), fields[f]);
        return what;
    }
    case 3: case 4: {  // paste: digits, letters or a very long text
        std::string text;
        switch (rng() % 3) {
        case 0: text = random_text(rng, "0123456789", 1 + rng() % 6); break;
        case 1: text = random_text(rng, "abcXYZ-12 ", 1 + rng() % 6); break;
        default: text = random_text(rng, "0123456789x", 200 + rng() % 3000); break;
        }
        SendMessageA(field, EM_SETSEL, 0, -1);
        if (put_clipboard(text)) SendMessageA(field, WM_PASTE, 0, 0);
        std::snprintf(what, sizeof what, "paste %zu bytes into %d", text.size(), fields[f]);
        return what;
    }
    case 5: {
        e2e::set_text(field, "");
        std::snprintf(what, sizeof what, "clear %d", fields[f]);
        return what;
    }
    case 6: case 7: {
        const bool up = rng() % 2 == 0;
        spin_click(e2e::item(a, spins[f]), up);
        std::snprintf(what, sizeof what, "spin %d %s", spins[f], up ? "up" : "down");
        return what;
    }
    case 8: {
        const int id = rng() % 2 ? 15 : 16;
        e2e::click(e2e::item(a, id));
        std::snprintf(what, sizeof what, "mode %d", id);
        return what;
    }
    case 9:
        if (rng() % 3) return "no RAM-Info this time";
        e2e::click(e2e::item(a, ctl::ram_info));
        return "RAM-Info";
    case 10: e2e::click(e2e::item(a, ctl::language)); return "language";
    case 11: e2e::click(e2e::item(a, ctl::font)); return "font";
    case 12: e2e::click(e2e::item(a, ctl::colour)); return "colour";
    default: e2e::click(e2e::item(a, ctl::graphic)); return "graphic";
    }
}

// What each field holds and how it reads, for a failure message.
std::string fields_read(const e2e::app& a) {
    std::string lines;
    for (int id : fields) {
        lines += "field " + std::to_string(id) + ": \"" + e2e::visible(e2e::text_of(e2e::item(a, id))) + "\" read as " +
                 std::to_string(field_value(a, id)) + "\n";
    }
    return lines;
}

bool ends_with(const std::string& text, const char* tail) {
    const std::size_t n = std::strlen(tail);
    return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

}  // namespace

TEST(Soak, RandomSequencesKeepTheReportTrue) {
    const std::size_t argc = e2e::arguments().size();
    const int sequences = argc > 0 ? std::atoi(e2e::argument(0).c_str()) : 300;
    const unsigned seed = argc > 1 ? static_cast<unsigned>(std::strtoul(e2e::argument(1).c_str(), nullptr, 10))
                                   : static_cast<unsigned>(GetTickCount());
    // The test's one time limit (passed down by the harness), less a minute
    // to report how far it got; a replay by hand may name its own.
    const char* limit = std::getenv("FARSPAN_E2E_TIMEOUT");
    const double seconds = argc > 2 ? std::atof(e2e::argument(2).c_str()) : limit ? std::atof(limit) - 60.0 : 900.0;
    std::printf("soak: %d sequences, seed %u (replay: soak.exe %d %u)\n", sequences, seed, sequences, seed);
    std::fflush(stdout);
    std::mt19937 rng(seed);

    e2e::app a;
    ASSERT_TRUE(e2e::start_app(a, "farspan.exe")) << "farspan.exe did not start";
    EXPECT_TRUE(e2e::wait_output_shown(a, 10000));

    const double deadline = e2e::now_ms() + seconds * 1000.0;
    int done = 0;
    for (; done < sequences && e2e::now_ms() < deadline; ++done) {
        std::string log;
        const int steps = 1 + static_cast<int>(rng() % 6);
        for (int s = 0; s < steps; ++s) log += act(a, rng) + "; ";

        const std::string replay = "sequence " + std::to_string(done) + " (seed " + std::to_string(seed) + "): " + log;
        const bool shown = e2e::wait_output_shown(a, 10000);
        const bool alive = e2e::alive(a);
        EXPECT_TRUE(alive) << replay;
        EXPECT_TRUE(shown) << replay;
        if (!alive || !shown) break;
        // Typing hides the box until its debounce fires. A click that
        // recalculates shows it at once, and a debounce still pending then
        // rewrites it later: with the same text for a curvature report, with a
        // fresh one (other uptimes, other length) for the system report.
        const std::string report = e2e::output_text(a);
        const bool german = e2e::text_of(e2e::item(a, ctl::language)) == "English";
        const bool distance = e2e::checked(e2e::item(a, ctl::distance));
        const std::string label = e2e::text_of(e2e::item(a, ctl::length_label));
        const char* expected_label = german ? expected_length_labels[distance].german : expected_length_labels[distance].english;
        const bool label_ok = label == expected_label;
        EXPECT_EQ(label, expected_label) << replay;
        bool report_ok;
        if (e2e::checked(e2e::item(a, ctl::ram_info))) {
            const char* head = german ? "\r\n Speicherbelegung:" : "\r\n Used Memory:";
            report_ok = report.compare(0, std::strlen(head), head) == 0 && ends_with(report, "\r\n \r\n") &&
                        report.find(expected_program_uptime) != std::string::npos;
            EXPECT_TRUE(report_ok) << "system report (" << report.size() << " bytes): " << e2e::visible(report) << "\n"
                                   << replay;
        } else {
            const int values[] = {field_value(a, 18), field_value(a, 20), field_value(a, 22), field_value(a, 24)};
            const bool unread[input_field_count] = {values[0] < 0, values[1] < 0, values[2] < 0, values[3] < 0, false};
            static char expected[report_buffer_size];
            compose_curvature_report(compute_curvature(values[0], values[1], values[2], values[3],
                                                       distance ? mode_distance : mode_height), german, expected,
                                     sizeof expected);
            if (unread[0] || unread[1] || unread[2] || unread[3])
                compose_unreadable_report(unread, german, expected, sizeof expected);
            report_ok = report == expected;
            EXPECT_PRED_FORMAT2(e2e::same_bytes, report, std::string(expected)) << fields_read(a) << replay;
        }
        if (!label_ok || !report_ok) break;
    }
    std::printf("soak: %d sequences driven\n", done);
    if (done < sequences && e2e::now_ms() >= deadline)
        std::printf("soak: the time limit of %.0f s ran out after %d of %d sequences\n", seconds, done, sequences);
    EXPECT_GE(done, sequences);
    EXPECT_EQ(e2e::stop_app(a), 0);
}
