#include "sysinfo/cpu_frequency_win32.h"

#include <cstdio>

#include "calc/text.h"
#include "sysinfo/frequency_answer.h"
#include "win32/scoped_handles.h"

namespace {

// Both steps of the probe reach these; they live for one probe only.
struct probe_state {
    owned_handle output_read;
    owned_handle output_write;
    owned_handle input_read;
    owned_handle input_write;
    // Kept until the answer is in, so a tool that is still running at the
    // deadline can be ended.
    owned_handle process;
    ULONGLONG started_at = 0;
    ULONGLONG deadline = 0;
    // What the probe saw, for the debug line.
    DWORD start_error = 0;
    DWORD end_error = 0;
    int reads = 0;
    unsigned long bytes = 0;
    bool timed_out = false;
};
probe_state* current_probe = nullptr;

bool make_pipe(owned_handle& read_end, owned_handle& write_end, SECURITY_ATTRIBUTES& attributes) {
    HANDLE r = nullptr;
    HANDLE w = nullptr;
    if (!CreatePipe(&r, &w, &attributes, 0)) return false;
    read_end.reset(r);
    write_end.reset(w);
    return true;
}

unsigned long long probe_clock(void*) { return GetTickCount64(); }

// Never blocks: reads only what the pipe already holds, polling while it is
// empty until the tool closes its end or the deadline passes. The chunk loop
// checks the deadline before every call, so a pipe that never runs empty
// cannot hold the probe either.
int read_pending(void* context, char* into, int size) {
    probe_state& probe = *static_cast<probe_state*>(context);
    for (;;) {
        DWORD pending = 0;
        if (!PeekNamedPipe(probe.output_read.get(), nullptr, 0, nullptr, &pending, nullptr)) {
            probe.end_error = GetLastError();  // broken pipe: the tool has exited and everything was read
            return 0;
        }
        if (pending > 0) {
            DWORD wanted = pending < static_cast<DWORD>(size) ? pending : static_cast<DWORD>(size);
            DWORD got = 0;
            if (!ReadFile(probe.output_read.get(), into, wanted, &got, nullptr)) {
                probe.end_error = GetLastError();
                return 0;
            }
            ++probe.reads;
            probe.bytes += got;
            return static_cast<int>(got);
        }
        if (GetTickCount64() >= probe.deadline) return 0;
        Sleep(2);
    }
}

// One line for a debugger or DebugView, never for the user: how the tool was
// started, what came back and how the wait ended.
void report_probe(const probe_state& probe, int result) {
    DWORD exit_code = 0;
    const char* tool = "not started";
    if (probe.process.valid()) {
        tool = "ended";
        if (probe.timed_out) {
            tool = "terminated";
        } else {
            // A tool that said nothing: give its exit a moment, so the line can tell how it ended.
            if (probe.bytes == 0) WaitForSingleObject(probe.process.get(), 100);
            if (!GetExitCodeProcess(probe.process.get(), &exit_code)) exit_code = GetLastError();
            if (exit_code == STILL_ACTIVE) tool = "running";
        }
    }
    const char* wait = !probe.process.valid() ? "nothing to read" : probe.timed_out ? "timed out" : "output closed";
    char line[200];
    std::snprintf(line, sizeof line,
                  "farspan clock probe: start error %lu, %d reads, %lu bytes, %s (error %lu), %llu ms, "
                  "tool %s (exit 0x%lX), result %d\n",
                  probe.start_error, probe.reads, probe.bytes, wait, probe.end_error,
                  GetTickCount64() - probe.started_at, tool, exit_code, result);
    OutputDebugStringA(line);
}

}  // namespace

int start_frequency_tool(const char* command_line) {
    if (current_probe == nullptr || command_line == nullptr) return 0;
    probe_state& probe = *current_probe;

    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = nullptr;
    attributes.bInheritHandle = TRUE;
    // The tool inherits only its own ends: our read end and write end stay private.
    if (!make_pipe(probe.output_read, probe.output_write, attributes) ||
        !SetHandleInformation(probe.output_read.get(), HANDLE_FLAG_INHERIT, 0) ||
        !make_pipe(probe.input_read, probe.input_write, attributes) ||
        !SetHandleInformation(probe.input_write.get(), HANDLE_FLAG_INHERIT, 0)) {
        probe.start_error = GetLastError();
        return 0;
    }

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.hStdInput = probe.input_read.get();
    startup.hStdOutput = probe.output_write.get();
    startup.hStdError = probe.output_write.get();
    startup.dwFlags = STARTF_USESTDHANDLES;

    // CreateProcessA may write into the command line.
    char command[64];
    copy_text(command, command_line);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process)) {
        probe.start_error = GetLastError();
        return 0;
    }
    probe.process.reset(process.hProcess);
    CloseHandle(process.hThread);
    return 1;
}

int read_frequency_answer(char* answer, int capacity, int chunk_size) {
    copy_text(answer, capacity, "");
    if (current_probe == nullptr) return 0;
    probe_state& probe = *current_probe;
    // Without our copy of the write end the pipe ends when the tool exits.
    if (!probe.output_write.reset()) return 0;
    if (read_answer_chunks(answer, capacity, chunk_size, {read_pending, probe_clock, &probe}, probe.deadline))
        return 1;
    // Still busy at the deadline: end it, so no tool is left writing into a
    // pipe nobody reads (or waiting on an input that never comes).
    probe.timed_out = true;
    if (probe.process.valid()) TerminateProcess(probe.process.get(), 1);
    return 0;
}

int probe_cpu_frequency() {
    int result = 0;
    probe_state probe;  // its destructor closes every handle still open
    // The wait limit counts from here: starting the tool is part of what the dialog waits for.
    probe.started_at = GetTickCount64();
    probe.deadline = probe.started_at + frequency_wait_limit_ms;
    current_probe = &probe;
    if (start_frequency_tool("tempomark kvmoralt")) {
        char answer[frequency_answer_size];
        read_frequency_answer(answer, sizeof answer, 60);
        result = frequency_from_answer(answer);
    }
    report_probe(probe, result);
    current_probe = nullptr;
    return result;
}
