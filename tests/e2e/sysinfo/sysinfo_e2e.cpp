// End to end: the RAM-Info check box shows the system report of the machine
// the program runs on, the CPU clock comes from the tempomark tool beside it,
// and awkward stand-ins of that tool give the expected CPU line.
//
//   --gtest_filter=SystemReport.MachineFacts <de|en>
//       real tool, facts checked against the driver's own queries
//   --gtest_filter=SystemReport.PlantedLibraryIsNotLoaded <planted library folder>
//       the same in English, from a folder with a fake iphlpapi.dll
//   --gtest_filter=SystemReport.ToolStandIns <doubles dir>
//       each stand-in in turn as tempomark.exe beside one running farspan.exe
//   --gtest_filter=SystemReport.RegistryValuesAtTheirLimits
//       BIOS dates, names and printer set in the registry, at and beyond their limits
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver.h"
#include "tests/expected/main_dialog_texts.h"
#include "tests/expected/system_report_labels.h"
#include "win32/scoped_handles.h"

namespace {

using e2e::app;

const int raminfo_box = 17;
const int height_radio = 15;
const int distance_radio = 16;
const int language_button = 10;
const int length_label = 1001;

// The report's labels from the shared table, and the dialog's own words
// that the test looks for beside them.
struct texts : system_report_labels {
    const char* height_label;
    const char* distance_label;
    const char* curvature_marker;  // a line only the curvature report has
};

const texts german_texts = {german_report_labels, expected_length_labels[0].german, expected_length_labels[1].german,
                            "H\xF6henwinkel"};
const texts english_texts = {english_report_labels, expected_length_labels[0].english, expected_length_labels[1].english,
                             "Height Angle"};

std::string format(const char* pattern, int a = 0, int b = 0, int c = 0) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

bool has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

void check_has(const std::string& text, const std::string& piece, const char* what) {
    EXPECT_TRUE(has(text, piece)) << "missing " << what << ": \"" << e2e::visible(piece) << "\"";
}

// The CPU clock after "~" in the report, or nothing.
bool clock_in(const std::string& report, const texts& t, int& mhz) {
    const std::size_t at = report.find(t.clock);
    if (at == std::string::npos) return false;
    mhz = std::atoi(report.c_str() + at + std::strlen(t.clock));
    return has(report.substr(at), " MHz");
}

// The probe's own account of its latest run: the program writes one debug
// line per probe (start error, reads, bytes, how the wait ended, time, how
// the tool ended, result).
std::string probe_line(const app& a) {
    return e2e::last_debug_line(a.process.dwProcessId, "farspan clock probe:", 3000);
}

// The probe's time by its own clock, from that line ("..., 2001 ms, tool ..."); -1 without one.
long probe_ms(const std::string& line) {
    const std::size_t end = line.find(" ms, tool ");
    if (end == std::string::npos || end == 0) return -1;
    return std::strtol(line.c_str() + line.rfind(' ', end - 1) + 1, nullptr, 10);
}

// Where the tool answers, the CPU line must be there; when it is not, the
// failure says what the probe saw.
void check_clock_shown(const app& a, const std::string& report, const texts& t) {
    int mhz = 0;
    EXPECT_TRUE(clock_in(report, t, mhz)) << "no CPU line, the probe saw: " << probe_line(a);
}

// Seconds written on an uptime line ("12 Days  5 Hours 12 Minutes  3 Seconds"),
// or -1 when the line does not read as one.
long long uptime_seconds(const std::string& report, const char* label, const texts& t) {
    const std::size_t at = report.find(label);
    if (at == std::string::npos) return -1;
    const std::size_t from = at + std::strlen(label);
    const std::size_t end = report.find("\r\n ", from);
    if (end == std::string::npos) return -1;
    const std::string line = report.substr(from, end - from);
    const long long unit_seconds[4] = {86400, 3600, 60, 1};
    long long total = 0;
    int parts = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        char* after = nullptr;
        const long long value = std::strtoll(line.c_str() + i, &after, 10);
        if (after == line.c_str() + i) return -1;
        i = static_cast<std::size_t>(after - line.c_str());
        while (i < line.size() && line[i] == ' ') ++i;
        int unit = -1;
        std::size_t word_length = 0;
        for (int u = 0; u < 4; ++u) {
            // Singular for exactly 1, plural otherwise.
            std::string word = t.words[u][value == 1 ? 0 : 1];
            while (!word.empty() && word.back() == ' ') word.pop_back();
            if (line.compare(i, word.size(), word) == 0 && word.size() > word_length) {
                unit = u;
                word_length = word.size();
            }
        }
        if (unit < 0) return -1;
        total += value * unit_seconds[unit];
        i += word_length;
        ++parts;
    }
    return parts >= 3 ? total : -1;
}

void check_system_report(const std::string& report, const texts& t, bool expect_clock) {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    check_has(report, t.memory_load, "memory load");
    check_has(report, format(t.physical, static_cast<int>(memory.ullTotalPhys >> 20)), "physical memory");
    check_has(report, format(t.virtual_memory, static_cast<int>(static_cast<unsigned>(memory.ullTotalVirtual >> 20) >> 10)),
              "virtual memory");
    check_has(report, t.note, "memory note");

    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const int processors = static_cast<int>(system.dwNumberOfProcessors);
    check_has(report, format(t.processors, processors), "processor count");
    EXPECT_EQ(has(report, t.processor_note), processors > 1) << processors << " processors";

    int mhz = 0;
    const bool clock = clock_in(report, t, mhz);
    EXPECT_EQ(clock, expect_clock);
    if (expect_clock) {
        // The tool's figure against the processor's registry value.
        DWORD reference = 0;
        DWORD size = sizeof reference;
        const registry_key key =
            open_registry_key(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", KEY_READ);
        if (key.valid()) RegQueryValueExA(key.get(), "~MHz", nullptr, nullptr, reinterpret_cast<BYTE*>(&reference), &size);
        std::printf("  CPU clock in the report: %d MHz (registry ~MHz: %lu)\n", mhz, reference);
        EXPECT_TRUE(mhz > 100 && mhz < 10000) << mhz << " MHz";
        // The registry may hold the current (scaled) clock while the tool
        // counts the nominal one: same order of magnitude is what is asked.
        if (reference > 0) {
            EXPECT_TRUE(mhz * 2 >= static_cast<int>(reference) && mhz <= 2 * static_cast<int>(reference))
                << mhz << " MHz in the report, " << reference << " in the registry";
        }
        // The clock line sits right behind the processor count.
        check_has(report, format(t.processors, processors) + t.clock + std::to_string(mhz) + " MHz", "clock line");
    }

    HDC screen = GetDC(nullptr);
    const int width = GetDeviceCaps(screen, HORZRES), height = GetDeviceCaps(screen, VERTRES);
    const int depth = GetDeviceCaps(screen, BITSPIXEL), refresh = GetDeviceCaps(screen, VREFRESH);
    ReleaseDC(nullptr, screen);
    check_has(report, format(t.screen, width, height, depth), "screen line");
    if (refresh > 10) {
        check_has(report, format(t.refresh, refresh), "refresh line");
    } else {
        EXPECT_FALSE(has(report, "Hertz")) << "refresh " << refresh;
    }

    // Every address of the machine's own table (when it fits the 15 rows).
    typedef DWORD(WINAPI * table_fn)(void*, ULONG*, BOOL);
    HMODULE helper = LoadLibraryA("iphlpapi.dll");
    auto get_table = helper ? reinterpret_cast<table_fn>(reinterpret_cast<void*>(GetProcAddress(helper, "GetIpAddrTable")))
                            : nullptr;
    unsigned char table[4 + 15 * 24] = {};
    ULONG size = sizeof table;
    std::vector<std::string> addresses;
    if (get_table && get_table(table, &size, TRUE) == NO_ERROR) {
        DWORD count = 0;
        std::memcpy(&count, table, 4);
        for (DWORD r = 0; r < count && r < 15; ++r) {
            const unsigned char* a = table + 4 + r * 24;
            if (a[0] | a[1] | a[2] | a[3]) {
                char text[32];
                std::snprintf(text, sizeof text, " %d.%d.%d.%d", a[0], a[1], a[2], a[3]);
                addresses.push_back(text);
            }
        }
    }
    if (helper) FreeLibrary(helper);
    std::printf("  IPv4 addresses reported by the platform: %u\n", static_cast<unsigned>(addresses.size()));
    if (addresses.empty()) {
        EXPECT_FALSE(has(report, "IPv4"));
    } else {
        check_has(report, std::string(addresses.size() == 1 ? t.ipv4_one : t.ipv4_many).substr(0, addresses.size() == 1 ? 19 : 20),
                  "IPv4 heading");
        for (const std::string& address : addresses) check_has(report, address, "IPv4 address");
    }

    OSVERSIONINFOW version;
    if (e2e::kernel_version(version)) {
        std::string lines = format(t.os_lines, static_cast<int>(version.dwMajorVersion),
                                   static_cast<int>(version.dwMinorVersion), static_cast<int>(version.dwBuildNumber));
        if (version.dwMajorVersion == 6 && version.dwMinorVersion == 1) lines += "7";
        // Windows 11 answers 10 too; its builds begin at 22000 (this driver is no server).
        if (version.dwMajorVersion == 10) lines += version.dwBuildNumber >= 22000 ? "11" : "10";
        check_has(report, lines, "operating-system lines");
        check_has(report, expected_bitness, "bitness");
    }

    char name[256] = "";
    DWORD name_size = sizeof name;
    GetUserNameA(name, &name_size);
    check_has(report, std::string(expected_user_line) + name + "\r\n", "user name");
    name_size = sizeof name;
    GetComputerNameA(name, &name_size);
    check_has(report, std::string(expected_computer_line) + name + "\r\n", "computer name");
    char printer[120] = "";
    GetProfileStringA("windows", "device", "", printer, sizeof printer);
    if (std::strlen(printer) >= 4) {
        check_has(report, std::string(t.printer) + printer + "\r\n", "printer");
    } else {
        EXPECT_FALSE(has(report, t.printer)) << "printer entry \"" << printer << "\"";
    }

    // Windows uptime against the driver's own clock; the program started moments ago.
    const long long windows_now = static_cast<long long>(GetTickCount64() / 1000);
    const long long windows_shown = uptime_seconds(report, ("\r\n\r\n " + std::string(expected_windows_uptime)).c_str(), t);
    const long long program_shown = uptime_seconds(report, ("\r\n " + std::string(expected_program_uptime)).c_str(), t);
    EXPECT_TRUE(windows_shown >= 0 && windows_now - windows_shown >= 0 && windows_now - windows_shown <= 5)
        << "Windows uptime shown " << windows_shown << " s, the driver's " << windows_now << " s";
    EXPECT_TRUE(program_shown >= 0 && program_shown <= 120) << "program uptime shown " << program_shown << " s";
    EXPECT_TRUE(report.size() > 4 && report.compare(report.size() - 5, 5, "\r\n \r\n") == 0) << "report's end";
}

// A folder of its own in the temporary folder, or "" when it cannot be made.
std::wstring temp_folder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = L"";
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    const std::wstring folder = std::wstring(temp) + name;
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS ? folder : std::wstring();
}

std::wstring wide(const char* text) {
    wchar_t out[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, out, MAX_PATH);
    return out;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Deletes a file, waiting a moment for a program that just ended to let go of it.
void remove_file(const std::wstring& path) {
    e2e::wait_until([&] { return DeleteFileW(path.c_str()) != FALSE || !exists(path); }, 3000, 50);
}

// With `planted_dir`, the program runs from a folder of its own with that
// folder's fake iphlpapi.dll beside it; the test runs with Wine told to
// prefer such a file to its own (iphlpapi=n,b), as Windows would.
void run_report(bool german_start, const char* planted_dir) {
    EXPECT_TRUE(e2e::listen_debug_output());
    app a;
    std::wstring folder;
    if (planted_dir) {
        folder = temp_folder(L"farspan_planted_library");
        for (const wchar_t* file : {L"farspan.exe", L"tempomark.exe"})
            EXPECT_TRUE(CopyFileW(file, (folder + L"\\" + file).c_str(), FALSE)) << "error " << GetLastError();
        EXPECT_TRUE(CopyFileW((wide(planted_dir) + L"\\iphlpapi.dll").c_str(), (folder + L"\\iphlpapi.dll").c_str(), FALSE))
            << "from " << planted_dir << ", error " << GetLastError();
    }
    ASSERT_TRUE(planted_dir ? e2e::start_app(a, folder + L"\\farspan.exe", 30000, folder) : e2e::start_app(a, "farspan.exe"))
        << "farspan.exe did not start";
    EXPECT_TRUE(e2e::wait_output_shown(a));
    const texts* t = german_start ? &german_texts : &english_texts;
    const texts* other = german_start ? &english_texts : &german_texts;
    const std::string curvature = e2e::output_text(a);
    EXPECT_TRUE(has(curvature, t->curvature_marker)) << e2e::visible(curvature);

    e2e::clear_debug_output(a.process.dwProcessId);
    e2e::click(e2e::item(a, raminfo_box));
    EXPECT_TRUE(e2e::checked(e2e::item(a, raminfo_box)));
    EXPECT_TRUE(e2e::wait_output_shown(a));
    std::string report = e2e::output_text(a);
    check_clock_shown(a, report, *t);
    std::printf("system report (%s start language):\n%s\n", german_start ? "German" : "English", report.c_str());
    check_system_report(report, *t, true);
    if (planted_dir) {
        EXPECT_FALSE(exists(folder + L"\\iphlpapi loaded.mark")) << "the planted iphlpapi.dll was loaded";
        EXPECT_FALSE(has(report, "10.99.88.77")) << "the planted iphlpapi.dll's address is in the report";
    }

    // The length label follows the measure mode while the system report shows.
    e2e::click(e2e::item(a, distance_radio));
    EXPECT_PRED_FORMAT2(e2e::same_bytes, e2e::text_of(e2e::item(a, length_label)), std::string(t->distance_label));
    EXPECT_TRUE(has(e2e::output_text(a), t->note)) << "the system report stays in Distance mode";
    e2e::click(e2e::item(a, height_radio));
    EXPECT_PRED_FORMAT2(e2e::same_bytes, e2e::text_of(e2e::item(a, length_label)), std::string(t->height_label));
    EXPECT_TRUE(has(e2e::output_text(a), t->note)) << "the system report stays in Height mode";

    // The other language, and back.
    e2e::clear_debug_output(a.process.dwProcessId);
    e2e::click(e2e::item(a, language_button));
    report = e2e::output_text(a);
    check_clock_shown(a, report, *other);
    check_system_report(report, *other, true);
    e2e::click(e2e::item(a, distance_radio));
    EXPECT_PRED_FORMAT2(e2e::same_bytes, e2e::text_of(e2e::item(a, length_label)), std::string(other->distance_label))
        << "in the other language";
    e2e::click(e2e::item(a, height_radio));
    e2e::click(e2e::item(a, language_button));
    EXPECT_TRUE(has(e2e::output_text(a), t->note)) << "back in the start language";

    // Unchecking brings the curvature report back.
    e2e::click(e2e::item(a, raminfo_box));
    EXPECT_FALSE(e2e::checked(e2e::item(a, raminfo_box)));
    EXPECT_TRUE(e2e::wait_output_shown(a));
    const std::string back = e2e::output_text(a);
    EXPECT_TRUE(has(back, t->curvature_marker)) << e2e::visible(back);
    EXPECT_FALSE(has(back, "GlobalMemoryStatus")) << e2e::visible(back);
    EXPECT_PRED_FORMAT2(e2e::same_bytes, back, curvature) << "the curvature report after the system report";

    EXPECT_EQ(e2e::stop_app(a), 0);
    if (planted_dir) {
        for (const wchar_t* file : {L"farspan.exe", L"tempomark.exe", L"iphlpapi.dll", L"iphlpapi loaded.mark"})
            remove_file(folder + L"\\" + file);
        RemoveDirectoryW(folder.c_str());
    }
}

// Counts the running processes named `exe_name`; with `end_them` it also
// ends each one and waits for it, so the next case and the next test start clean.
int processes_named(const char* exe_name, bool end_them = false) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exe_name) != 0) continue;
        ++count;
        if (!end_them) continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (process == nullptr) continue;
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 2000);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return count;
}

// How a stand-in's report ends.
enum class ending {
    soon,     // the tool is done (or missing) long before the wait limit
    late,     // answers shortly before the limit
    cut_off,  // still busy at the wait limit: ended by the program
};

// What else the case sets up around the program and its tool.
enum class around {
    nothing,  // listed with its note in setup_notes
    tool_in_working_folder,  // the stand-in in the working folder instead, none beside the program
    pipe_names_taken,        // another program holds the pipe names the probe could be expected to use
    inheritable_handle,      // the program holds one more inheritable handle than its own
};
const char* const setup_notes[] = {"", " (in the working folder)", " (pipe names taken)", " (an inheritable handle in the program)"};

struct double_case {
    const char* kind;  // stand-in file name part, or nullptr for no tool at all
    bool clock_line;
    int mhz;
    ending end;
    around setup = around::nothing;
};

// Pipe names of the pattern "pid and a count" for the program's next probes.
std::vector<owned_handle> take_pipe_names(DWORD pid) {
    std::vector<owned_handle> taken;
    for (int serial = 1; serial <= 100; ++serial) {
        char name[80];
        std::snprintf(name, sizeof name, "\\\\.\\pipe\\farspan-clock-%lu-%d", pid, serial);
        taken.emplace_back(CreateNamedPipeA(name, PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0, 4096, 0, nullptr));
    }
    return taken;
}

// Every stand-in, one after the other, as tempomark.exe beside one running
// farspan.exe: each report must come within the wait limit, leave no tool
// running and show the CPU line exactly when the tool answered in time. The
// program's folder has blanks, umlauts and a Greek letter in its name (no
// ANSI code page holds all of them); its working folder is another.
void run_doubles(const std::string& doubles_dir) {
    EXPECT_TRUE(e2e::listen_debug_output());
    const std::wstring folder = temp_folder(L"farspan sysinfo Gr\u00F6\u00DFe \u03A9 doubles");
    const std::wstring work = folder + L"\\work";
    CreateDirectoryW(work.c_str(), nullptr);
    const std::wstring program = folder + L"\\farspan.exe";
    const std::wstring tool = folder + L"\\tempomark.exe";
    const std::wstring tool_in_work = work + L"\\tempomark.exe";
    const std::wstring mark = L"\\tempomark ran.mark";
    EXPECT_TRUE(CopyFileW(L"farspan.exe", program.c_str(), FALSE)) << "error " << GetLastError();
    const double_case cases[] = {
        {"plain", true, 2904, ending::soon},
        {"blanks", true, 1234, ending::soon},
        {"two_writes", true, 2500, ending::soon},
        {"long", true, 777, ending::soon},
        {"silent", false, 0, ending::soon},
        {"negative", true, -42, ending::soon},
        {"hang", false, 0, ending::cut_off},
        {"endless", false, 0, ending::cut_off},
        {"answer_then_stream", false, 0, ending::cut_off},
        {"reads_input", false, 0, ending::cut_off},
        {"answer_at_1500ms", true, 1515, ending::late},
        {"answer_at_2500ms", false, 0, ending::cut_off},
        // Its answer stands once it has exited, although its child holds the output.
        {"child_holds_output", true, 3141, ending::soon},
        {nullptr, false, 0, ending::soon},
        {"marks", true, 2904, ending::soon},
        // Never the working folder's tool (it would leave its mark).
        {"marks", false, 0, ending::soon, around::tool_in_working_folder},
        {"plain", true, 2904, ending::soon, around::pipe_names_taken},
        // The stand-in answers 6666 when it holds the handle.
        {"lists_handles", true, 2904, ending::soon, around::inheritable_handle},
    };
    const texts& t = english_texts;

    app a;
    ASSERT_TRUE(e2e::start_app(a, program, 30000, work)) << "farspan.exe did not start from its own folder";
    EXPECT_TRUE(e2e::wait_output_shown(a));
    HWND raminfo = e2e::item(a, raminfo_box);
    for (const double_case& c : cases) {
        const char* name = c.kind ? c.kind : "missing";
        const bool in_work = c.setup == around::tool_in_working_folder;
        std::printf("tool stand-in: %s%s\n", name, setup_notes[static_cast<int>(c.setup)]);
        SCOPED_TRACE(std::string("tool stand-in: ") + name + setup_notes[static_cast<int>(c.setup)]);
        // The file of a tool that was just ended can stay locked for a moment.
        const bool placed = e2e::wait_until(
            [&] {
                if (!c.kind || in_work) return DeleteFileW(tool.c_str()) != FALSE || !exists(tool);
                const std::wstring source = wide(doubles_dir.c_str()) + L"\\tempomark_" + wide(c.kind) + L".exe";
                return CopyFileW(source.c_str(), tool.c_str(), FALSE) != FALSE;
            },
            3000, 50);
        EXPECT_TRUE(placed) << "the stand-in could not be put in place";
        if (in_work) {
            EXPECT_TRUE(CopyFileW((wide(doubles_dir.c_str()) + L"\\tempomark_marks.exe").c_str(), tool_in_work.c_str(), FALSE))
                << "error " << GetLastError();
        }
        const std::vector<owned_handle> squatted =
            c.setup == around::pipe_names_taken ? take_pipe_names(a.process.dwProcessId) : std::vector<owned_handle>();
        for (const owned_handle& pipe : squatted) EXPECT_TRUE(pipe.valid()) << "a pipe name could not be taken";
        HANDLE handed = nullptr;
        const owned_handle check_object(c.setup == around::inheritable_handle
                                            ? CreateEventW(nullptr, TRUE, FALSE, L"farspan-inheritable-check")
                                            : nullptr);
        if (check_object.valid()) {
            EXPECT_TRUE(DuplicateHandle(GetCurrentProcess(), check_object.get(), a.process.hProcess, &handed, 0, TRUE,
                                        DUPLICATE_SAME_ACCESS));
        }

        e2e::clear_debug_output(a.process.dwProcessId);
        const double start = e2e::now_ms();
        const bool answered = e2e::click_within(raminfo, 20000);
        const double elapsed = e2e::now_ms() - start;
        if (!answered) {
            ADD_FAILURE() << "the dialog did not answer within 20 s of the RAM-Info click";
            processes_named("tempomark.exe", true);
            break;
        }
        const std::string report = e2e::output_text(a);
        const std::string probe = probe_line(a);
        int mhz = 0;
        const bool clock = clock_in(report, t, mhz);
        std::printf("  report in %.0f ms, CPU line %s %d\n  %s\n", elapsed, clock ? "shown with" : "absent,", mhz,
                    probe.empty() ? "(no probe line)" : probe.c_str());
        EXPECT_EQ(clock, c.clock_line) << probe;
        if (c.clock_line) {
            EXPECT_EQ(mhz, c.mhz);
        }
        if (c.kind && std::strcmp(c.kind, "marks") == 0) {
            const bool ran = exists((in_work ? work : folder) + mark);
            EXPECT_EQ(ran, !in_work) << (ran ? "the stand-in ran" : "the stand-in did not run");
            remove_file((in_work ? work : folder) + mark);
        }
        if (in_work) remove_file(tool_in_work);
        if (handed) DuplicateHandle(a.process.hProcess, handed, nullptr, nullptr, 0, FALSE, DUPLICATE_CLOSE_SOURCE);
        const bool cut_off = c.end == ending::cut_off;
        if (!c.kind || in_work || cut_off) {
            EXPECT_TRUE(has(probe, !c.kind || in_work ? ", nothing to read " : ", timed out ")) << probe;
        } else {
            EXPECT_TRUE(has(probe, ", output closed ") || has(probe, ", tool exited ")) << probe;
        }
        // With or without the clock line, the rest of the report is whole.
        check_has(report, "\r\n\r\n Screen Resolution = ", "screen line");
        check_has(report, "\r\n\r\n " + std::string(expected_windows_uptime), "uptime");
        if (!c.clock_line) {
            EXPECT_FALSE(has(report, "CPU-Frequency"));
        }
        // Whatever the tool does, the probe keeps to its 2 s bound, by its own
        // clock: a tool that was still busy is cut off at the limit, not
        // before, and one that is done is not held until then. The click as a
        // whole also holds the dialog's own work on the report, which a loaded
        // machine stretches (1.2 s beyond a 2001 ms probe once, beside a CPU
        // hog): it gets the wide bound that a probe held by the tool's child
        // (20 s) or by an endless writer still breaks.
        const long took = probe_ms(probe);
        EXPECT_TRUE(took >= 0 && took < 2500) << probe;
        EXPECT_LT(elapsed, 5000) << "ms from the click to the report";
        if (cut_off) {
            EXPECT_GE(took, 1900) << probe;
        }
        if (c.end == ending::soon) {
            EXPECT_LT(took, 1900) << probe;
        }
        // Neither a tool nor anything it started outlives the report (ending
        // one takes a moment); stand-ins start only copies of themselves.
        int left = 0;
        if (!e2e::wait_until([&] { return (left = processes_named("tempomark.exe")) == 0; }, 2000, 20)) {
            EXPECT_EQ(left, 0) << "tempomark processes still running 2 s after the report";
            processes_named("tempomark.exe", true);
        }
        // The dialog answers afterwards: unchecking brings the curvature report back.
        EXPECT_TRUE(e2e::click_within(raminfo, 5000)) << "unchecking RAM-Info";
        EXPECT_FALSE(e2e::checked(raminfo));
        EXPECT_TRUE(has(e2e::output_text(a), t.curvature_marker)) << "the curvature report back";
    }
    EXPECT_EQ(e2e::stop_app(a), 0);
    remove_file(tool);
    remove_file(program);
    RemoveDirectoryW(work.c_str());
    RemoveDirectoryW(folder.c_str());
}

// A registry value as it was before the test, put back by restore(): the
// tests share one prefix, so nothing the test writes may stay.
class saved_value {
public:
    saved_value(HKEY root, const char* path, const char* name) : root_(root), path_(path), name_(name) {
        const registry_key key = open_registry_key(root_, path_, KEY_READ);
        DWORD size = 0;
        if (key.valid() && RegQueryValueExA(key.get(), name_, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
            data_.resize(size);
            existed_ = RegQueryValueExA(key.get(), name_, nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
            data_.resize(size);
        }
    }
    ~saved_value() { restore(); }
    saved_value(const saved_value&) = delete;
    saved_value& operator=(const saved_value&) = delete;

    bool set(DWORD type, const void* data, DWORD size) const {
        // Created when missing: a fresh prefix has no printer entry until something prints.
        HKEY created = nullptr;
        const registry_key key(RegCreateKeyExA(root_, path_, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                                               nullptr) == ERROR_SUCCESS ? created : nullptr);
        return key.valid() &&
               RegSetValueExA(key.get(), name_, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    }
    bool set_text(const std::string& text) const { return set(REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1)); }
    bool set_bytes(const std::string& bytes) const { return set(REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())); }
    bool remove() const {
        const registry_key key = open_registry_key(root_, path_, KEY_SET_VALUE);
        if (!key.valid()) return false;
        const LONG status = RegDeleteValueA(key.get(), name_);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    bool restore() {
        if (restored_) return true;
        restored_ = existed_ ? set(type_, data_.data(), static_cast<DWORD>(data_.size())) : remove();
        return restored_;
    }
    bool existed() const { return existed_; }

private:
    HKEY root_;
    const char* path_;
    const char* name_;
    bool existed_ = false;
    bool restored_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

const char* const bios_key = "HARDWARE\\DESCRIPTION\\System";

// Makes the BIOS key unreadable while it lives (an empty access list) and
// puts the key's own access list back afterwards.
class unreadable_bios_key {
public:
    unreadable_bios_key() {
        key_ = open_registry_key(HKEY_LOCAL_MACHINE, bios_key, READ_CONTROL | WRITE_DAC);
        if (!key_.valid()) return;
        DWORD size = 0;
        RegGetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
        saved_.resize(size);
        if (size == 0 ||
            RegGetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, saved_.data(), &size) != ERROR_SUCCESS)
            return;
        InitializeAcl(&empty_, sizeof empty_, ACL_REVISION);
        SECURITY_DESCRIPTOR none{};
        InitializeSecurityDescriptor(&none, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&none, TRUE, &empty_, FALSE);
        active_ = RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, &none) == ERROR_SUCCESS;
    }
    ~unreadable_bios_key() { restore(); }
    unreadable_bios_key(const unreadable_bios_key&) = delete;
    unreadable_bios_key& operator=(const unreadable_bios_key&) = delete;
    bool active() const { return active_; }
    bool restore() {
        bool ok = true;
        if (active_) ok = RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, saved_.data()) == ERROR_SUCCESS;
        active_ = false;
        key_.reset();
        return ok;
    }

private:
    registry_key key_;
    std::vector<BYTE> saved_;
    ACL empty_{};
    bool active_ = false;
};

bool bios_key_readable() { return open_registry_key(HKEY_LOCAL_MACHINE, bios_key, KEY_READ).valid(); }

// Uncheck and check RAM-Info: the report is gathered anew.
std::string fresh_report(const app& a) {
    e2e::click(e2e::item(a, raminfo_box));
    e2e::click(e2e::item(a, raminfo_box));
    EXPECT_TRUE(e2e::wait_output_shown(a)) << "no fresh report";
    return e2e::output_text(a);
}

// The lines that must be there whatever the machine's names and BIOS hold:
// the report stays whole and ends as always.
void check_whole(const std::string& report, const texts& t) {
    check_has(report, t.memory_load, "memory load");
    check_has(report, expected_user_line, "user line");
    check_has(report, expected_computer_line, "computer line");
    check_has(report, expected_program_uptime, "program uptime");
    EXPECT_TRUE(report.size() > 5 && report.compare(report.size() - 5, 5, "\r\n \r\n") == 0) << e2e::visible(report);
    EXPECT_LT(report.size(), 4096u);
}

// BIOS dates, computer name and default printer as the registry of a real
// machine has them, in both languages, with values at and beyond their
// limits. The user name comes from the environment the test was started
// with (Wine takes it from USER).
void run_machine() {
    const char* windows_key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    const char* computer_key = "System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName";
    saved_value system_bios(HKEY_LOCAL_MACHINE, bios_key, "SystemBiosDate");
    saved_value video_bios(HKEY_LOCAL_MACHINE, bios_key, "VideoBiosDate");
    saved_value printer(HKEY_CURRENT_USER, windows_key, "Device");
    saved_value computer(HKEY_LOCAL_MACHINE, computer_key, "ComputerName");
    EXPECT_TRUE(computer.existed()) << computer_key;

    // What the program can read of the user name with its 120-byte buffer:
    // a longer name is not read at all, and the line then shows it empty.
    char user[512] = "";
    DWORD user_size = sizeof user;
    GetUserNameA(user, &user_size);
    const std::string user_name = user;
    std::printf("user name of this run: %u characters\n", static_cast<unsigned>(user_name.size()));
    const std::string user_line = expected_user_line + (user_name.size() < 120 ? user_name : "") + "\r\n";

    app a;
    ASSERT_TRUE(e2e::start_app(a, "farspan.exe")) << "farspan.exe did not start";
    EXPECT_TRUE(e2e::wait_output_shown(a));
    e2e::click(e2e::item(a, raminfo_box));
    EXPECT_TRUE(e2e::wait_output_shown(a)) << "no system report";

    // Dates as real machines have them; the video date fills all 32 bytes
    // without a terminator, as a binary value.
    const std::string video_date = "07/21/23 Rev. 1.04 (C) 1984-2023";
    EXPECT_EQ(video_date.size(), 32u);
    EXPECT_TRUE(system_bios.set_text("01/15/24"));
    EXPECT_TRUE(video_bios.set_bytes(video_date));
    const std::string device = "Farspan Test Printer,winspool,FT:";
    EXPECT_TRUE(printer.set_text(device));
    const std::string host = "FARSPAN-TEST-15";  // the longest name Wine gives back (15)
    EXPECT_TRUE(computer.set_text(host));
    for (const texts* t : {&english_texts, &german_texts}) {
        const bool german = t == &german_texts;
        SCOPED_TRACE(german ? "German" : "English");
        if (german) e2e::click(e2e::item(a, language_button));
        const std::string report = german ? e2e::output_text(a) : fresh_report(a);
        const std::size_t bios = report.find("BIOS");
        std::printf("report (%s) from the BIOS lines on:\n%s\n", german ? "German" : "English",
                    report.substr(bios == std::string::npos ? 0 : report.rfind("\r\n\r\n", bios)).c_str());
        check_has(report,
                  std::string(german ? "\r\n\r\n System-BIOS-Datum: " : "\r\n\r\n System-BIOS-Date: ") + "01/15/24" +
                      (german ? "\r\n Video-BIOS-Datum:  " : "\r\n Video-BIOS-Date:  ") + video_date + "\r\n\r\n ",
                  "both BIOS lines, the 32-byte date whole");
        check_has(report, std::string(t->printer) + device + "\r\n\r\n " + expected_windows_uptime, "printer line");
        check_has(report, user_line, "user line");
        check_has(report, expected_computer_line + host + "\r\n", "computer line");
        check_whole(report, *t);
    }
    e2e::click(e2e::item(a, language_button));  // back to English

    // A date one byte too long leaves out its own line only; a text value of
    // 31 characters and its terminator fills the 32 bytes and is shown whole.
    // A printer text of 3 characters is no printer; a computer name Wine
    // cannot give back (beyond 15 characters) shows as empty.
    EXPECT_TRUE(system_bios.set_bytes(video_date + "X"));
    const std::string text_date = "12/31/99 BIOS Rev. 2.10 SKU-XYZ";
    EXPECT_EQ(text_date.size(), 31u);
    EXPECT_TRUE(video_bios.set_text(text_date));
    EXPECT_TRUE(printer.set_text("PDF"));
    EXPECT_TRUE(computer.set_text(std::string(130, 'C')));
    {
        const std::string report = fresh_report(a);
        const texts& t = english_texts;
        EXPECT_FALSE(has(report, "System-BIOS")) << "a 33-byte date";
        check_has(report, "\r\n Video-BIOS-Date:  " + text_date + "\r\n\r\n ", "video date, 31 characters");
        EXPECT_FALSE(has(report, t.printer)) << "a printer of 3 characters";
        check_has(report, std::string(expected_computer_line) + "\r\n", "empty computer name");
        check_whole(report, t);
    }

    // No BIOS key to read (unreadable for the program): no BIOS lines, the rest whole.
    {
        unreadable_bios_key hidden;
        EXPECT_TRUE(hidden.active()) << "the BIOS key's access list could not be emptied";
        EXPECT_FALSE(bios_key_readable());
        const std::string report = fresh_report(a);
        EXPECT_FALSE(has(report, "BIOS")) << "BIOS key unreadable";
        check_has(report, "\r\n\r\n Operating System Version: ", "operating system lines");
        check_whole(report, english_texts);
        EXPECT_TRUE(hidden.restore());
    }
    EXPECT_TRUE(bios_key_readable()) << "the BIOS key's access list was not put back";

    // No BIOS values (Wine's own state): no BIOS lines.
    EXPECT_TRUE(system_bios.remove());
    EXPECT_TRUE(video_bios.remove());
    check_whole(fresh_report(a), english_texts);
    EXPECT_FALSE(has(e2e::output_text(a), "BIOS")) << "no BIOS values";
    EXPECT_EQ(e2e::stop_app(a), 0);

    EXPECT_TRUE(system_bios.restore());
    EXPECT_TRUE(video_bios.restore());
    EXPECT_TRUE(printer.restore());
    EXPECT_TRUE(computer.restore());
}

}  // namespace

// The start language of the running Wine (de or en), named by the CTest entry.
TEST(SystemReport, MachineFacts) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    run_report(e2e::argument(0) == "de", nullptr);
}

TEST(SystemReport, PlantedLibraryIsNotLoaded) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string planted_dir = e2e::argument(0);
    ASSERT_FALSE(planted_dir.empty()) << "usage: sysinfo_e2e --gtest_filter=... <planted library folder>";
    run_report(false, planted_dir.c_str());
}

TEST(SystemReport, ToolStandIns) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string doubles_dir = e2e::argument(0);
    ASSERT_FALSE(doubles_dir.empty()) << "usage: sysinfo_e2e --gtest_filter=... <doubles folder>";
    run_doubles(doubles_dir);
}

TEST(SystemReport, RegistryValuesAtTheirLimits) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    run_machine();
}
