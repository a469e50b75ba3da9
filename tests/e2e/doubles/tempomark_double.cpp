// One stand-in behaviour of the clock tool per build (DOUBLE_<kind>).
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>

namespace {

[[maybe_unused]] void write_piece(const char* text, DWORD length) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &written, nullptr);
}

template <DWORD N>
[[maybe_unused]] void write_piece(const char (&text)[N]) {
    write_piece(text, N - 1);
}

// Large blocks keep the pipe full: a slow trickle would let it run empty
// between writes and give a reader that waits only on an empty pipe its chance.
[[maybe_unused]] bool write_block() {
    static char block[64 * 1024];
    if (block[0] == '\0')
        for (char& c : block) c = '7';
    DWORD written = 0;
    return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), block, sizeof block, &written, nullptr) != FALSE;
}

// Sleeps until `ms` after this process was created, so the answer's time
// does not depend on how long the process start took.
[[maybe_unused]] void sleep_until_after_start(unsigned ms) {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    const ULONGLONG since_start_ms = (ticks(now) - ticks(created)) / 10000;
    if (since_start_ms < ms) Sleep(static_cast<DWORD>(ms - since_start_ms));
}

// A file "tempomark ran.mark" beside this program: the test sees that it ran
// even where its answer is never read.
[[maybe_unused]] void leave_mark() {
    wchar_t path[MAX_PATH + 32] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::wstring mark(path, length);
    mark = mark.substr(0, mark.find_last_of(L'\\') + 1) + L"tempomark ran.mark";
    CloseHandle(CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// Whether any handle this process holds names an object whose name has
// `part` in it. Without a way to ask, it says yes: the test then fails
// rather than passes blind.
[[maybe_unused]] bool holds_object_named(const wchar_t* part) {
    typedef LONG(NTAPI * query_fn)(HANDLE, OBJECT_INFORMATION_CLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<query_fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    if (query == nullptr) return true;
    const OBJECT_INFORMATION_CLASS name_information = static_cast<OBJECT_INFORMATION_CLASS>(1);
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        DWORD flags = 0;
        if (!GetHandleInformation(handle, &flags)) continue;
        alignas(8) unsigned char buffer[2048];
        ULONG size = 0;
        if (query(handle, name_information, buffer, sizeof buffer, &size) != 0) continue;
        const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer);
        if (name->Buffer && std::wstring(name->Buffer, name->Length / 2).find(part) != std::wstring::npos) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
#if defined(DOUBLE_plain)
    write_piece("2904\r\n");
#elif defined(DOUBLE_blanks)
    write_piece("     1234\r\n");
#elif defined(DOUBLE_two_writes)
    // Apart long enough to arrive as two reads: only "2500" may count.
    write_piece("1500");
    Sleep(400);
    write_piece("2500\r\n");
#elif defined(DOUBLE_long)
    // 69 bytes in one write: read as 60 bytes, then the last 9.
    write_piece("1000                                                        777 MHz\r\n");
#elif defined(DOUBLE_silent)
    // Exits without a word.
#elif defined(DOUBLE_negative)
    write_piece("-42\r\n");
#elif defined(DOUBLE_hang)
    // Answers, but keeps its output open far beyond any sensible wait.
    write_piece("3000\r\n");
    Sleep(60000);
#elif defined(DOUBLE_endless)
    // Writes until it is stopped.
    while (write_block()) {
    }
#elif defined(DOUBLE_answer_then_stream)
    // A number first, then output for far longer than the wait limit.
    write_piece("2904\r\n");
    const DWORD until = GetTickCount() + 8000;
    while (GetTickCount() < until && write_block()) {
    }
#elif defined(DOUBLE_reads_input)
    // Waits for its standard input before it answers.
    char input[16];
    DWORD got = 0;
    ReadFile(GetStdHandle(STD_INPUT_HANDLE), input, sizeof input, &got, nullptr);
    write_piece("2904\r\n");
#elif defined(DOUBLE_answer_at_1500ms)
    sleep_until_after_start(1500);
    write_piece("1515\r\n");
#elif defined(DOUBLE_answer_at_2500ms)
    sleep_until_after_start(2500);
    write_piece("2525\r\n");
#elif defined(DOUBLE_child_holds_output)
    // Answers and exits at once, leaving behind a second copy of itself that
    // inherited the output and holds it open for 20 s.
    if (argc > 1 && lstrcmpA(argv[1], "hold") == 0) {
        Sleep(20000);
        return 0;
    }
    write_piece("3141\r\n");
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    char command[MAX_PATH + 16];
    std::snprintf(command, sizeof command, "\"%s\" hold", self);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &child))
        return 1;
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
#elif defined(DOUBLE_marks)
    leave_mark();
    write_piece("2904\r\n");
#elif defined(DOUBLE_lists_handles)
    // 6666 tells that it was handed the object the test made inheritable in the program.
    if (holds_object_named(L"farspan-inheritable-check"))
        write_piece("6666\r\n");
    else
        write_piece("2904\r\n");
#else
#error "choose a DOUBLE_<kind>"
#endif
    return 0;
}
