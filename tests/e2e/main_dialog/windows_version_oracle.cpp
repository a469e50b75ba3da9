#include "windows_version_oracle.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "driver.h"
#include "tests/expected/windows_editions.h"

namespace {

struct windows_row {
    const char* name;
    unsigned major, minor;
    unsigned first_build, last_build;  // the builds Microsoft released under that name
};

// Windows 10 and 11 share 10.0; the build tells them apart.
const windows_row windows_rows[] = {
    {"7", 6, 1, 7600, 7601},
    {"8.1", 6, 3, 9600, 9600},
    {"10", 10, 0, 10240, 21999},
    {"11", 10, 0, 22000, 0xFFFFFFFFu},
};

const windows_row* row_named(const std::string& name) {
    for (const windows_row& row : windows_rows)
        if (name == row.name) return &row;
    return nullptr;
}

const char* edition_of(DWORD product) {
    for (const expected_edition& row : expected_editions)
        if (row.type == product) return row.edition;
    return nullptr;
}

}  // namespace

expected_windows expected_windows_for(const std::string& name) {
    expected_windows out;
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;
    OSVERSIONINFOW kernel{};
    DWORD product = 0;
    const bool asked = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) && e2e::kernel_version(kernel) &&
                       GetProductInfo(info.dwMajorVersion, info.dwMinorVersion, info.wServicePackMajor,
                                      info.wServicePackMinor, &product);
    char found[200];
    std::snprintf(found, sizeof found, "kernel %lu.%lu.%lu, service pack \"%s\", product type 0x%lX",
                  kernel.dwMajorVersion, kernel.dwMinorVersion, kernel.dwBuildNumber, info.szCSDVersion, product);
    out.found = found;
    const windows_row* row = row_named(name);
    const char* edition = edition_of(product);
    if (!asked) out.problem = "the version queries failed";
    else if (!row) out.problem = "no Windows " + name + " in the test's table";
    else if (kernel.dwMajorVersion != row->major || kernel.dwMinorVersion != row->minor ||
             kernel.dwBuildNumber < row->first_build || kernel.dwBuildNumber > row->last_build)
        out.problem = "this is not Windows " + name;
    else if (!edition) out.problem = "a product type not in the test's table";
    if (!out.problem.empty()) return out;

    // The service pack follows where there is one ("Service Pack 1" on Windows 7).
    const std::string service_pack = std::strncmp(info.szCSDVersion, "Service Pack ", 13) == 0 ? info.szCSDVersion : "";
    char lines[400];
    std::snprintf(lines, sizeof lines,
                  "\r\n\r\n Operating System Version: \r\n Major Version: %u - Minor Version: %u - Build: %lu "
                  "\r\n = Windows %s%s (64Bit Windows Version) %s\r\n\r\n User     Name    = ",
                  row->major, row->minor, kernel.dwBuildNumber, row->name, edition, service_pack.c_str());
    out.lines = lines;
    return out;
}
