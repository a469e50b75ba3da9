#pragma once
// Small Win32 toolkit for the end-to-end drivers: start farspan.exe, find its
// dialog, work its controls across the process boundary.
// Every wait is bounded.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// ---- checks (GoogleTest) ---------------------------------------------------
// Byte-exact text comparison that shows where two texts part:
//   EXPECT_PRED_FORMAT2(e2e::same_bytes, actual, expected) << context;
testing::AssertionResult same_bytes(const char* actual_expression, const char* expected_expression,
                                    const std::string& actual, const std::string& expected);
// Bytes made readable for a failure message: \r \n shown, non-ASCII as \xNN.
std::string visible(const std::string& text);
// The command-line words GoogleTest left over (its own flags removed), for
// the CTest entries that hand a driver a language or a folder.
const std::vector<std::string>& arguments();
// The i-th of them, or `fallback` when there are fewer.
std::string argument(std::size_t i, const char* fallback = "");

// ---- the program under test --------------------------------------------
struct app {
    PROCESS_INFORMATION process{};
    HWND dialog = nullptr;
};

// Starts `command_line` (e.g. "farspan.exe") and waits for its visible
// dialog, looking every `poll_ms`.
bool start_app(app& a, const char* command_line, unsigned timeout_ms = 30000,
               const char* working_dir = nullptr, unsigned poll_ms = 20);
// The same for a program at a full path that may hold any character.
bool start_app(app& a, const std::wstring& program, unsigned timeout_ms, const std::wstring& working_dir);
// Closes the dialog (WM_CLOSE), waits for the process, ends it if it hangs.
// Returns the exit code, or -1 when it had to be terminated.
int stop_app(app& a, unsigned timeout_ms = 10000);
bool alive(const app& a);

// A visible top-level window of the process with that class ("#32770" for
// dialogs and message boxes), other than `except`.
HWND find_process_window(DWORD pid, const char* class_name, HWND except = nullptr);
// Waits for such a window to appear.
HWND wait_process_window(DWORD pid, const char* class_name, HWND except, unsigned timeout_ms,
                         unsigned poll_ms = 20);

HWND item(const app& a, int control_id);
std::string text_of(HWND window);
std::string class_of(HWND window);
void set_text(HWND window, const char* text);
void click(HWND button);       // BM_CLICK, returns when the click was handled
// The same, but gives up after `timeout_ms`; false when the program did not
// answer in that time (it may still be busy with the click).
bool click_within(HWND button, unsigned timeout_ms);
void post_click(HWND button);  // for buttons that open modal dialogs
bool checked(HWND button);

bool wait_until(const std::function<bool()>& condition, unsigned timeout_ms, unsigned step_ms = 5);
// Waits until the output box (1000) is visible; false on time-out.
bool wait_output_shown(const app& a, unsigned timeout_ms = 5000);
std::string output_text(const app& a);

// Sets a field and waits for the debounced report; returns the report text.
std::string set_field_and_wait(const app& a, int control_id, const char* text,
                               unsigned timeout_ms = 5000);

// ---- the program's debug output ------------------------------------------
// Collects the OutputDebugString lines of every process in the prefix from
// this call on (the DBWIN buffer protocol, which Wine implements); false when
// the buffer or its events cannot be set up.
bool listen_debug_output();
// Drops the lines collected so far from that process.
void clear_debug_output(DWORD pid);
// The last line collected from that process that begins with `prefix`,
// waiting up to `timeout_ms` for one to come; "" when none came.
std::string last_debug_line(DWORD pid, const char* prefix, unsigned timeout_ms);

// The running Windows' own version (RtlGetVersion, which no compatibility
// setting bends); false when ntdll has no such entry or it fails.
bool kernel_version(OSVERSIONINFOW& version);

// Milliseconds from a monotonic clock.
double now_ms();
// The middle value of a set of timings (the upper middle for an even count; 0 for none).
double median(std::vector<double> values);

}  // namespace e2e
