#include "sysinfo/child_process_win32.h"

#include <windows.h>
// RtlGenRandom, from advapi32 (loaded already; a known DLL).
#include <ntsecapi.h>

#include <cstdio>
#include <cwchar>

#include "calc/text.h"
#include "sysinfo/frequency_answer.h"
#include "sysinfo/tool_search_win32.h"
#include "win32/scoped_handles.h"

namespace {

// No console at all: the tool writes to the handles it is given, and no
// console host is started for it (a hidden console costs a conhost.exe, on
// Windows and far more so under Wine). A console program the tool started in
// turn would get a console of its own; tempomark starts none.
const DWORD tool_start_flags = DETACHED_PROCESS;

// Everything one run of the tool holds; the destructor releases it all.
struct probe_state {
    owned_handle output;        // our end of the tool's output, read overlapped
    owned_handle output_write;  // the tool's end, ours only until the tool has it
    owned_handle input_read;
    owned_handle input_write;   // kept: a tool waiting on its input waits, as it would on a console
    owned_handle read_done;     // the overlapped read's event
    // Everything the tool starts lands in the job; closing the job ends it all.
    owned_handle job;
    owned_handle process;
    ULONGLONG started_at = 0;
    ULONGLONG deadline = 0;
    bool tool_exited = false;
    // What the probe saw, for the debug line.
    DWORD start_error = 0;
    DWORD job_error = 0;
    DWORD end_error = 0;
    DWORD exit_code = 0;
    int reads = 0;
    unsigned long bytes = 0;
    const char* end = "nothing to read";
    const char* tool = "not started";
};

unsigned long long probe_clock(void*) { return GetTickCount64(); }

DWORD remaining_ms(const probe_state& probe) {
    const ULONGLONG now = GetTickCount64();
    return now >= probe.deadline ? 0 : static_cast<DWORD>(probe.deadline - now);
}

// The pipe admits the current user alone (the program's own end and the
// tool's, which it inherits); nobody else may open or squat on it.
struct user_only_security {
    alignas(8) unsigned char user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    alignas(8) unsigned char acl[sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE];
    SECURITY_DESCRIPTOR descriptor;
    SECURITY_ATTRIBUTES attributes;
};

bool make_user_only(user_only_security& security) {
    HANDLE raw_token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw_token)) return false;
    const owned_handle token(raw_token);
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenUser, security.user, sizeof security.user, &size)) return false;
    PSID user = reinterpret_cast<TOKEN_USER*>(security.user)->User.Sid;
    auto* acl = reinterpret_cast<ACL*>(security.acl);
    if (!InitializeAcl(acl, sizeof security.acl, ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, user) ||
        !InitializeSecurityDescriptor(&security.descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&security.descriptor, TRUE, acl, FALSE))
        return false;
    security.attributes = {sizeof security.attributes, &security.descriptor, FALSE};
    return true;
}

// A name nobody can guess ahead: another program that took predictable
// names first would make every probe fail. No fallback to a guessable name.
bool make_pipe_name(wchar_t (&name)[64]) {
    unsigned char random[16];
    if (!RtlGenRandom(random, sizeof random)) return false;
    static const wchar_t prefix[] = L"\\\\.\\pipe\\farspan-clock-";
    static const wchar_t digits[] = L"0123456789abcdef";
    static_assert(sizeof prefix / sizeof prefix[0] - 1 + 2 * sizeof random < sizeof name / sizeof name[0],
                  "the pipe name fits");
    int at = 0;
    for (const wchar_t* p = prefix; *p; ++p) name[at++] = *p;
    for (unsigned char byte : random) {
        name[at++] = digits[byte >> 4];
        name[at++] = digits[byte & 15];
    }
    name[at] = L'\0';
    return true;
}

// A named pipe rather than CreatePipe: only a pipe opened for overlapped
// reading can be waited on together with the tool's process, so the probe
// wakes when bytes come or when the tool exits, without polling. The tool
// gets an ordinary (synchronous) handle to the other end.
bool make_output_pipe(probe_state& probe) {
    wchar_t name[64];
    user_only_security security;
    if (!make_pipe_name(name) || !make_user_only(security)) return false;
    // First instance only and one instance at most: nobody else can own the
    // name before us or connect in the tool's place.
    probe.output.reset(CreateNamedPipeW(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                        1, 0, 4096, 0, &security.attributes));
    if (!probe.output.valid()) return false;
    // Identification only: whoever serves the name learns who we are but
    // cannot act as us.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    probe.output_write.reset(CreateFileW(name, GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING,
                                         SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
    probe.read_done.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    return probe.output_write.valid() && probe.read_done.valid();
}

bool make_input_pipe(probe_state& probe) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE r = nullptr;
    HANDLE w = nullptr;
    if (!CreatePipe(&r, &w, &inheritable, 0)) return false;
    probe.input_read.reset(r);
    probe.input_write.reset(w);
    return SetHandleInformation(w, HANDLE_FLAG_INHERIT, 0) != FALSE;
}

// A job that ends everything in it when its last handle closes, also when
// this program dies mid-probe; an empty owner when there is none.
owned_handle make_kill_job(DWORD& error) {
    owned_handle job(CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!job.valid() || !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        error = GetLastError();
        job.reset();
    }
    return job;
}
// The full path names the program; the command line only tells it its
// arguments. CreateProcessW may write into the command line, which is at
// most 32,767 characters long.
bool make_command_line(wchar_t (&command)[tool_path_capacity], const wchar_t* application, const wchar_t* arguments) {
    int length = 0;
    return append_to_path(command, length, L"\"", 1) &&
           append_to_path(command, length, application, std::wcslen(application)) &&
           append_to_path(command, length, L"\" ", 2) && append_to_path(command, length, arguments, std::wcslen(arguments));
}

// Starts the tool suspended, with the two pipe ends as its only inherited
// handles (none of the other inheritable handles this process may hold).
bool create_tool_process(probe_state& probe, const wchar_t* application, wchar_t* command,
                         PROCESS_INFORMATION& process) {
    HANDLE inherited[] = {probe.input_read.get(), probe.output_write.get()};
    const attribute_list attributes = make_attribute_list(1);
    if (!attributes.valid() || !UpdateProcThreadAttribute(attributes.get(), 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                                          inherited, sizeof inherited, nullptr, nullptr))
        return false;
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.hStdInput = probe.input_read.get();
    startup.StartupInfo.hStdOutput = probe.output_write.get();
    startup.StartupInfo.hStdError = probe.output_write.get();
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.lpAttributeList = attributes.get();
    return CreateProcessW(application, command, nullptr, nullptr, TRUE,
                          tool_start_flags | CREATE_SUSPENDED | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                          &startup.StartupInfo, &process) != FALSE;
}

// Creates the pipes and the job and starts the tool in it.
bool start_frequency_tool(probe_state& probe, const wchar_t* application, const wchar_t* arguments) {
    if (application == nullptr || application[0] == L'\0') {
        probe.start_error = ERROR_FILE_NOT_FOUND;
        return false;
    }
    tool_path_buffer command;
    if (!command.valid()) {
        probe.start_error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    if (!make_command_line(command.path(), application, arguments)) {
        probe.start_error = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    if (!make_output_pipe(probe) || !make_input_pipe(probe)) {
        probe.start_error = GetLastError();
        return false;
    }
    probe.job = make_kill_job(probe.job_error);
    // Suspended until it is in the job, so nothing it starts can escape it.
    PROCESS_INFORMATION process{};
    if (!create_tool_process(probe, application, command.path(), process)) {
        probe.start_error = GetLastError();
        return false;
    }
    probe.process.reset(process.hProcess);
    const owned_handle thread(process.hThread);
    if (probe.job.valid() && !AssignProcessToJobObject(probe.job.get(), process.hProcess)) {
        // Windows before 8 cannot nest jobs: inside a job of our own that
        // forbids breaking away, the tool alone is ended at the end.
        probe.job_error = GetLastError();
        probe.job.reset();
    }
    if (ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
        probe.start_error = GetLastError();
        TerminateProcess(process.hProcess, 1);
        return false;
    }
    // Without our copy of its end, the pipe breaks once every writer is gone.
    probe.output_write.reset();
    return true;
}

int read_ended(probe_state& probe, DWORD error) {
    probe.end_error = error;
    probe.end = error == ERROR_BROKEN_PIPE ? "output closed" : "read failed";
    return 0;
}

// Returns the next piece of the tool's output as soon as it comes, or 0 at
// the end of the answer or at the deadline. One wait covers the pending read
// and the tool's process. Once the tool has exited, only what the pipe
// already holds is read: it is all the tool wrote, and a process it started
// may keep the pipe open for as long as it likes.
int read_pending(void* context, char* into, int size) {
    probe_state& probe = *static_cast<probe_state*>(context);
    for (;;) {
        const DWORD wait_ms = remaining_ms(probe);
        if (wait_ms == 0) return 0;
        DWORD wanted = static_cast<DWORD>(size);
        if (probe.tool_exited) {
            DWORD pending = 0;
            if (!PeekNamedPipe(probe.output.get(), nullptr, 0, nullptr, &pending, nullptr) || pending == 0) {
                probe.end = "tool exited";
                return 0;
            }
            if (pending < wanted) wanted = pending;
        }
        OVERLAPPED overlapped{};
        overlapped.hEvent = probe.read_done.get();
        DWORD woke = WAIT_OBJECT_0;
        if (!ReadFile(probe.output.get(), into, wanted, nullptr, &overlapped)) {
            const DWORD error = GetLastError();
            if (error != ERROR_IO_PENDING) return read_ended(probe, error);
            // The read first: bytes that came with the exit are taken before it.
            const HANDLE waits[] = {probe.read_done.get(), probe.process.get()};
            woke = WaitForMultipleObjects(probe.tool_exited ? 1 : 2, waits, FALSE, wait_ms);
            if (woke != WAIT_OBJECT_0) CancelIo(probe.output.get());
        }
        // Also after a cancel: the read must be over before `into` and
        // `overlapped` may be left to anyone else.
        DWORD got = 0;
        const bool done = GetOverlappedResult(probe.output.get(), &overlapped, &got, TRUE) != FALSE;
        const DWORD error = done ? 0 : GetLastError();
        if (woke == WAIT_OBJECT_0 + 1) probe.tool_exited = true;
        if (done && got > 0) {
            ++probe.reads;
            probe.bytes += got;
            return static_cast<int>(got);
        }
        if (!done && error != ERROR_OPERATION_ABORTED) return read_ended(probe, error);
        if (woke == WAIT_FAILED) return read_ended(probe, GetLastError());
        if (woke == WAIT_TIMEOUT) return 0;
        // The tool exited, or an empty write: look again.
    }
}

// Reads the tool's answer (the last chunk that delivered bytes) into
// `answer`; true when the answer ended within the wait limit.
bool read_frequency_answer(probe_state& probe, char* answer, int capacity, int chunk_size) {
    return read_answer_chunks(answer, capacity, chunk_size, {read_pending, probe_clock, &probe}, probe.deadline) != 0;
}

// Ends what the tool left behind: the job takes the tool and everything it
// started; without a job the tool alone is ended.
void end_tool(probe_state& probe, bool in_time) {
    if (!probe.process.valid()) return;
    // A tool that said nothing closes its output a moment before it has
    // exited: that moment, within the bound, lets the debug line tell how it ended.
    if (in_time && probe.bytes == 0) {
        const DWORD left = remaining_ms(probe);
        WaitForSingleObject(probe.process.get(), left < 100 ? left : 100);
    }
    if (!GetExitCodeProcess(probe.process.get(), &probe.exit_code)) probe.exit_code = GetLastError();
    const bool running = probe.exit_code == STILL_ACTIVE;
    probe.tool = running ? "ended by the probe" : "exited";
    if (probe.job.valid()) {
        probe.job.reset();
    } else if (running) {
        TerminateProcess(probe.process.get(), 1);
    }
}

// One line for a debugger or DebugView, never for the user: how the tool was
// started, what came back and how the wait ended.
void report_probe(const probe_state& probe, bool in_time, int result) {
    const char* end = !probe.process.valid() || in_time ? probe.end : "timed out";
    char line[240];
    std::snprintf(line, sizeof line,
                  "farspan clock probe: start error %lu, job error %lu, %d reads, %lu bytes, %s (error %lu), "
                  "%llu ms, tool %s (exit 0x%lX), result %d\n",
                  probe.start_error, probe.job_error, probe.reads, probe.bytes, end, probe.end_error,
                  GetTickCount64() - probe.started_at, probe.tool, probe.exit_code, result);
    OutputDebugStringA(line);
}

}  // namespace

int run_frequency_tool(const wchar_t* application, const wchar_t* arguments, char* answer, int capacity) {
    if (answer == nullptr || capacity <= 0 || arguments == nullptr) return 0;
    copy_text(answer, capacity, "");
    probe_state probe;
    // The wait limit counts from here: starting the tool is part of what the dialog waits for.
    probe.started_at = GetTickCount64();
    probe.deadline = probe.started_at + frequency_wait_limit_ms;
    bool in_time = false;
    if (start_frequency_tool(probe, application, arguments))
        in_time = read_frequency_answer(probe, answer, capacity, 60);
    end_tool(probe, in_time);
    report_probe(probe, in_time, frequency_from_answer(answer));
    return in_time ? 1 : 0;
}
