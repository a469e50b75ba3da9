// Times the system report's rebuild (one RAM-Info click to the report in the
// box) against the floor: starting and reaping a do-nothing program of the
// tool's kind (console) exactly as the report starts its tool, through the
// report's own code (same start flags, pipes and job). Also times that
// folder's tempomark the same way, and both start flags a hidden console
// program can get; and each folder's tempomark as a whole run against the
// do-nothing program (both DETACHED_PROCESS). Alternating rounds of one run each, so that load on the
// machine hits all figures alike.
//
//   report_bench ROUNDS LABEL FOLDER [LABEL FOLDER]...
//
// Each FOLDER holds a farspan.exe with its tempomark.exe; do_nothing.exe and
// do_nothing_windowless.exe lie beside this driver. Prints medians and
// ratios; asserts no speed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"
#include "sysinfo/child_process_win32.h"
#include "sysinfo/cpu_frequency_win32.h"

namespace {

const int raminfo_box = 17;
const int output_box = 1000;

struct subject {
    std::string label;
    std::string folder;
    e2e::app app;
    std::vector<double> report_ms, tool_ms, whole_ms;
    int missing_clock = 0;
};

std::string full_path(const std::string& path) {
    char full[MAX_PATH] = "";
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full) : path;
}

// Starts a program hidden with `flags`, output on a pipe, reads the pipe to
// its end and reaps the process.
double time_process(const std::string& command_line, DWORD flags) {
    const double start = e2e::now_ms();
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    HANDLE out_read = nullptr, out_write = nullptr;
    if (!CreatePipe(&out_read, &out_write, &attributes, 0)) return -1;
    SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out_write;
    startup.hStdError = out_write;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = command_line;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup, &process);
    CloseHandle(out_write);
    if (!started) {
        CloseHandle(out_read);
        std::printf("cannot start %s (error %lu)\n", command_line.c_str(), GetLastError());
        return -1;
    }
    char sink[64];
    DWORD got = 0;
    while (ReadFile(out_read, sink, sizeof sink, &got, nullptr) && got > 0) {
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(out_read);
    return e2e::now_ms() - start;
}

// Runs a program (a full path) through the report's own tool start and read.
double time_as_tool(const std::string& program, const wchar_t* arguments = L"") {
    const double start = e2e::now_ms();
    char answer[frequency_answer_size];
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, program.c_str(), -1, wide, MAX_PATH);
    if (!run_frequency_tool(wide, arguments, answer, sizeof answer)) {
        std::printf("%s gave no answer in time\n", program.c_str());
        return -1;
    }
    return e2e::now_ms() - start;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 0;
    if (rounds < 1 || argc < 4 || (argc - 2) % 2 != 0) {
        std::printf("usage: report_bench ROUNDS LABEL FOLDER [LABEL FOLDER]...\n");
        return 2;
    }
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string here = self;
    here.resize(here.find_last_of('\\') + 1);
    const std::string do_nothing = here + "do_nothing.exe";
    const std::string do_nothing_windowless = here + "do_nothing_windowless.exe";

    std::vector<subject> subjects;
    for (int i = 2; i + 1 < argc; i += 2) subjects.push_back({argv[i], full_path(argv[i + 1]), {}, {}, {}, {}, 0});
    for (subject& s : subjects) {
        const std::string line = "\"" + s.folder + "\\farspan.exe\"";
        if (!e2e::start_app(s.app, line.c_str(), 30000, s.folder.c_str()) || !e2e::wait_output_shown(s.app)) {
            std::printf("%s: farspan.exe did not come up in %s\n", s.label.c_str(), s.folder.c_str());
            for (subject& t : subjects) e2e::stop_app(t.app);
            return 1;
        }
    }

    std::vector<double> bare_ms, windowless_ms, flag_ms[4];
    const std::string tempomark = "\"" + subjects.back().folder + "\\tempomark.exe\" kvmoralt";
    for (int round = 0; round < rounds; ++round) {
        for (subject& s : subjects) {
            const HWND box = e2e::item(s.app, raminfo_box);
            const double start = e2e::now_ms();
            e2e::click(box);  // returns once the report is in the box
            // and until it is painted: a box filled while hidden paints later.
            RedrawWindow(s.app.dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            s.report_ms.push_back(e2e::now_ms() - start);
            // A report without its clock line would time a failed probe.
            if (e2e::text_of(e2e::item(s.app, output_box)).find(" MHz") == std::string::npos) ++s.missing_clock;
            e2e::click(box);
            s.tool_ms.push_back(time_as_tool(s.folder + "\\tempomark.exe", L"kvmoralt"));
            // The tool's own start-up: a whole run as the report starts it.
            s.whole_ms.push_back(time_process("\"" + s.folder + "\\tempomark.exe\" kvmoralt", DETACHED_PROCESS));
        }
        bare_ms.push_back(time_as_tool(do_nothing));
        windowless_ms.push_back(time_as_tool(do_nothing_windowless));
        flag_ms[0].push_back(time_process("\"" + do_nothing + "\"", CREATE_NO_WINDOW));
        flag_ms[1].push_back(time_process("\"" + do_nothing + "\"", DETACHED_PROCESS));
        flag_ms[2].push_back(time_process(tempomark, CREATE_NO_WINDOW));
        flag_ms[3].push_back(time_process(tempomark, DETACHED_PROCESS));
    }
    for (subject& s : subjects) e2e::stop_app(s.app);

    const double bare = e2e::median(bare_ms);
    const double windowless = e2e::median(windowless_ms);
    std::printf("medians of %d alternating rounds: do-nothing console program started and reaped as the report "
                "starts its tool %.1f ms (the floor; windowless do-nothing %.1f ms)\n",
                rounds, bare, windowless);
    std::printf("hidden start, output on a pipe: do-nothing console program CREATE_NO_WINDOW %.1f ms, "
                "DETACHED_PROCESS %.1f ms; %s tempomark %.1f ms and %.1f ms\n",
                e2e::median(flag_ms[0]), e2e::median(flag_ms[1]), subjects.back().label.c_str(),
                e2e::median(flag_ms[2]), e2e::median(flag_ms[3]));
    int status = bare > 0 && windowless > 0 ? 0 : 1;
    for (const subject& s : subjects) {
        const double report = e2e::median(s.report_ms), tool = e2e::median(s.tool_ms);
        std::printf("%s: system report rebuild %.1f ms (%.2f x the floor), tempomark alone %.1f ms (%.2f x)\n",
                    s.label.c_str(), report, bare > 0 ? report / bare : 0.0, tool, bare > 0 ? tool / bare : 0.0);
        const double whole = e2e::median(s.whole_ms), nothing = e2e::median(flag_ms[1]);
        std::printf("%s: tempomark whole run %.1f ms, %.2f x a do-nothing console program's (%.1f ms; target: at most 1.2)\n",
                    s.label.c_str(), whole, nothing > 0 ? whole / nothing : 0.0, nothing);
        if (s.missing_clock > 0) {
            std::printf("%s: %d of %d reports had no CPU clock line\n", s.label.c_str(), s.missing_clock, rounds);
            status = 1;
        }
    }
    return status;
}
