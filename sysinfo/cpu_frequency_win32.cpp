#include "sysinfo/cpu_frequency_win32.h"

#include "sysinfo/child_process_win32.h"
#include "sysinfo/frequency_answer.h"
#include "sysinfo/tool_search_win32.h"

int probe_cpu_frequency() {
    char answer[frequency_answer_size];
    // Where the tool lies, up to the longest path Windows has.
    tool_path_buffer tool;
    if (!tool.valid()) return 0;
    find_frequency_tool(L"tempomark.exe", tool.path());
    run_frequency_tool(tool.path(), L"kvmoralt", answer, sizeof answer);
    return frequency_from_answer(answer);
}
