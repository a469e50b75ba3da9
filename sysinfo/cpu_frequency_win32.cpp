#include "sysinfo/cpu_frequency_win32.h"

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
    // Kept until the answer is in, so a tool that never closes its output
    // can be ended after the wait limit.
    owned_handle process;
    ULONGLONG deadline = 0;
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

// Never blocks: reads only what the pipe already holds, polling until the
// tool closes its end or the deadline passes.
int read_pending(void* context, char* into, int size) {
    probe_state& probe = *static_cast<probe_state*>(context);
    for (;;) {
        DWORD pending = 0;
        if (!PeekNamedPipe(probe.output_read.get(), nullptr, 0, nullptr, &pending, nullptr))
            return 0;  // broken pipe: the tool has exited and everything was read
        if (pending > 0) {
            DWORD wanted = pending < static_cast<DWORD>(size) ? pending : static_cast<DWORD>(size);
            DWORD got = 0;
            if (!ReadFile(probe.output_read.get(), into, wanted, &got, nullptr)) return 0;
            return static_cast<int>(got);
        }
        if (GetTickCount64() >= probe.deadline) {
            probe.timed_out = true;
            return 0;
        }
        Sleep(2);
    }
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
    if (!make_pipe(probe.output_read, probe.output_write, attributes)) return 0;
    if (!SetHandleInformation(probe.output_read.get(), HANDLE_FLAG_INHERIT, 0)) return 0;
    if (!make_pipe(probe.input_read, probe.input_write, attributes)) return 0;
    if (!SetHandleInformation(probe.input_write.get(), HANDLE_FLAG_INHERIT, 0)) return 0;

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
                        &startup, &process))
        return 0;
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
    probe.deadline = GetTickCount64() + frequency_wait_limit_ms;
    probe.timed_out = false;
    read_answer_chunks(answer, capacity, chunk_size, read_pending, &probe);
    if (probe.timed_out) {
        // A half answer from a tool that hangs is not trusted.
        copy_text(answer, capacity, "");
        if (probe.process.valid()) TerminateProcess(probe.process.get(), 1);
        return 0;
    }
    return 1;
}

int probe_cpu_frequency() {
    int result = 0;
    probe_state probe;  // its destructor closes every handle still open
    current_probe = &probe;
    if (start_frequency_tool("tempomark kvmoralt")) {
        char answer[frequency_answer_size];
        read_frequency_answer(answer, sizeof answer, 60);
        result = frequency_from_answer(answer);
    }
    current_probe = nullptr;
    return result;
}
