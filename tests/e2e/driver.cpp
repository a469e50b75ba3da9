#include "driver.h"
#include "tests/expected/control_ids.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace e2e {
namespace {
struct window_search {
    DWORD pid;
    const char* class_name;
    HWND except;
    HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<window_search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || window == search->except || !IsWindowVisible(window)) return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->class_name) != 0) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

std::string visible(const std::string& text) {
    std::string out;
    char hex[8];
    for (unsigned char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c < 0x20 || c >= 0x7f) {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else out += static_cast<char>(c);
    }
    return out;
}

testing::AssertionResult same_bytes(const char* actual_expression, const char* expected_expression,
                                    const std::string& actual, const std::string& expected) {
    if (actual == expected) return testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    const std::size_t from = at > 40 ? at - 40 : 0;
    return testing::AssertionFailure()
           << actual_expression << " differs from " << expected_expression << " at byte " << at
           << " (lengths " << actual.size() << ", expected " << expected.size() << ")\n  actual:   ..."
           << visible(actual.substr(from, 100)) << "\n  expected: ..." << visible(expected.substr(from, 100));
}

double now_ms() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

bool wait_until(const std::function<bool()>& condition, unsigned timeout_ms, unsigned step_ms) {
    const double end = now_ms() + timeout_ms;
    for (;;) {
        if (condition()) return true;
        if (now_ms() >= end) return false;
        Sleep(step_ms);
    }
}

HWND find_process_window(DWORD pid, const char* class_name, HWND except) {
    window_search search{pid, class_name, except, nullptr};
    EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND wait_process_window(DWORD pid, const char* class_name, HWND except, unsigned timeout_ms, unsigned poll_ms) {
    HWND found = nullptr;
    wait_until([&] { return (found = find_process_window(pid, class_name, except)) != nullptr; }, timeout_ms,
               poll_ms);
    return found;
}

bool start_app(app& a, const char* command_line, unsigned timeout_ms, const char* working_dir, unsigned poll_ms) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> line(command_line, command_line + lstrlenA(command_line) + 1);
    a = app{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, working_dir, &startup,
                        &a.process)) {
        std::printf("cannot start %s (error %lu)\n", command_line, GetLastError());
        return false;
    }
    a.dialog = wait_process_window(a.process.dwProcessId, "#32770", nullptr, timeout_ms, poll_ms);
    if (!a.dialog) std::printf("no dialog of %s within %u ms\n", command_line, timeout_ms);
    return a.dialog != nullptr;
}

bool start_app(app& a, const std::wstring& program, unsigned timeout_ms, const std::wstring& working_dir) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + program + L"\"";
    a = app{};
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, working_dir.c_str(), &startup,
                        &a.process)) {
        std::printf("cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        return false;
    }
    a.dialog = wait_process_window(a.process.dwProcessId, "#32770", nullptr, timeout_ms);
    if (!a.dialog) std::printf("no dialog of %ls within %u ms\n", program.c_str(), timeout_ms);
    return a.dialog != nullptr;
}

bool alive(const app& a) {
    return a.process.hProcess && WaitForSingleObject(a.process.hProcess, 0) == WAIT_TIMEOUT;
}

int stop_app(app& a, unsigned timeout_ms) {
    int code = -1;
    if (a.process.hProcess) {
        if (a.dialog) PostMessageA(a.dialog, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(a.process.hProcess, timeout_ms) == WAIT_OBJECT_0) {
            DWORD exit_code = 0;
            GetExitCodeProcess(a.process.hProcess, &exit_code);
            code = static_cast<int>(exit_code);
        } else {
            TerminateProcess(a.process.hProcess, 99);
            WaitForSingleObject(a.process.hProcess, 5000);
        }
        CloseHandle(a.process.hProcess);
        CloseHandle(a.process.hThread);
    }
    a = app{};
    return code;
}

HWND item(const app& a, int control_id) { return GetDlgItem(a.dialog, control_id); }

std::string text_of(HWND window) {
    // Read wide and narrowed to 1252 ('#' for what 1252 lacks), so the texts
    // compare alike whatever this driver's own ANSI code page is.
    // The length and the text are two messages: the program may set a longer
    // text in between (a pending recalculation firing), so leave room and read
    // again whenever the buffer came back full, which means it was cut short.
    const std::size_t room = 1024;
    std::wstring text;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
        const std::size_t size = static_cast<std::size_t>(length > 0 ? length : 0) + 1 + room;
        text.assign(size, L'\0');
        const LRESULT got = SendMessageW(window, WM_GETTEXT, size, reinterpret_cast<LPARAM>(&text[0]));
        const std::size_t n = got > 0 ? static_cast<std::size_t>(got) : 0;
        text.resize(n);
        if (n + 1 < size) break;
    }
    std::string bytes(text.size(), '\0');
    if (!text.empty())
        WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), &bytes[0],
                            static_cast<int>(bytes.size()), "#", nullptr);
    return bytes;
}

std::string class_of(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

void set_text(HWND window, const char* text) {
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

bool click_within(HWND button, unsigned timeout_ms) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

void post_click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

bool checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool wait_output_shown(const app& a, unsigned timeout_ms) {
    HWND box = item(a, ctl::output);
    return wait_until([&] { return IsWindowVisible(box) != FALSE; }, timeout_ms);
}

std::string output_text(const app& a) { return text_of(item(a, ctl::output)); }

std::string set_field_and_wait(const app& a, int control_id, const char* text, unsigned timeout_ms) {
    set_text(item(a, control_id), text);
    if (!wait_output_shown(a, timeout_ms)) return std::string();
    return output_text(a);
}

namespace {
// The writer waits for "buffer ready", fills the shared buffer (its process
// id, then the text) and signals "data ready"; one listener serves everyone.
struct debug_buffer {
    DWORD pid;
    char text[4096 - sizeof(DWORD)];
};

struct debug_line {
    DWORD pid;
    std::string text;
};

CRITICAL_SECTION debug_lock;
std::vector<debug_line> debug_lines;
HANDLE buffer_ready = nullptr;
HANDLE data_ready = nullptr;
const debug_buffer* shared_buffer = nullptr;

DWORD WINAPI collect_debug_output(void*) {
    for (;;) {
        SetEvent(buffer_ready);
        if (WaitForSingleObject(data_ready, INFINITE) != WAIT_OBJECT_0) return 0;
        debug_line line{shared_buffer->pid, std::string(shared_buffer->text, strnlen(shared_buffer->text, sizeof shared_buffer->text))};
        while (!line.text.empty() && (line.text.back() == '\n' || line.text.back() == '\r')) line.text.pop_back();
        EnterCriticalSection(&debug_lock);
        debug_lines.push_back(line);
        LeaveCriticalSection(&debug_lock);
    }
}
}  // namespace

bool listen_debug_output() {
    if (shared_buffer != nullptr) return true;
    InitializeCriticalSection(&debug_lock);
    buffer_ready = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
    data_ready = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(debug_buffer),
                                       "DBWIN_BUFFER");
    if (!buffer_ready || !data_ready || !mapping) return false;
    shared_buffer = static_cast<const debug_buffer*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(debug_buffer)));
    if (shared_buffer == nullptr) return false;
    HANDLE thread = CreateThread(nullptr, 0, collect_debug_output, nullptr, 0, nullptr);
    if (thread == nullptr) return false;
    CloseHandle(thread);
    return true;
}

void clear_debug_output(DWORD pid) {
    if (shared_buffer == nullptr) return;
    EnterCriticalSection(&debug_lock);
    debug_lines.erase(std::remove_if(debug_lines.begin(), debug_lines.end(),
                                     [pid](const debug_line& line) { return line.pid == pid; }),
                      debug_lines.end());
    LeaveCriticalSection(&debug_lock);
}

std::string last_debug_line(DWORD pid, const char* prefix, unsigned timeout_ms) {
    if (shared_buffer == nullptr) return std::string();
    std::string found;
    wait_until(
        [&] {
            EnterCriticalSection(&debug_lock);
            for (const debug_line& line : debug_lines)
                if (line.pid == pid && line.text.compare(0, std::strlen(prefix), prefix) == 0) found = line.text;
            LeaveCriticalSection(&debug_lock);
            return !found.empty();
        },
        timeout_ms, 10);
    return found;
}

bool kernel_version(OSVERSIONINFOW& version) {
    typedef LONG(WINAPI * rtl_get_version_fn)(OSVERSIONINFOW*);
    auto rtl_get_version = reinterpret_cast<rtl_get_version_fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    version = OSVERSIONINFOW{};
    version.dwOSVersionInfoSize = sizeof version;
    return rtl_get_version != nullptr && rtl_get_version(&version) == 0;
}

}  // namespace e2e
