#include "sysinfo/windows_version_win32.h"

#include <cstring>

#include "win32/scoped_handles.h"

namespace {
typedef LONG(WINAPI* rtl_get_version_fn)(OSVERSIONINFOW*);
typedef BOOL(WINAPI* get_product_info_fn)(DWORD, DWORD, DWORD, DWORD, DWORD*);
}  // namespace

version_queries query_windows_version() {
    version_queries q{};

    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = sizeof basic;
    if (GetVersionExA(&basic)) {
        q.basic_ok = 1;
        q.basic_major = basic.dwMajorVersion;
        q.basic_minor = basic.dwMinorVersion;
        q.basic_build = basic.dwBuildNumber;
        static_assert(sizeof q.csd_version == sizeof basic.szCSDVersion, "service-pack field");
        std::memcpy(q.csd_version, basic.szCSDVersion, sizeof q.csd_version);
    }

    OSVERSIONINFOEXA extended{};
    if (q.basic_ok && q.basic_major > 4) {
        extended.dwOSVersionInfoSize = sizeof extended;
        if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
            q.extended_ok = 1;
            q.extended_major = extended.dwMajorVersion;
            q.extended_minor = extended.dwMinorVersion;
            q.extended_build = extended.dwBuildNumber;
            q.product_type_nt = extended.wProductType;
        }
        // The kernel's answer is not bent by compatibility settings.
        if (auto rtl_get_version = find_entry<rtl_get_version_fn>(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")) {
            OSVERSIONINFOW kernel{};
            kernel.dwOSVersionInfoSize = sizeof kernel;
            if (rtl_get_version(&kernel) == 0) {
                q.rtl_ok = 1;
                q.rtl_major = kernel.dwMajorVersion;
                q.rtl_minor = kernel.dwMinorVersion;
                q.rtl_build = kernel.dwBuildNumber;
            }
        }
    }

    if (q.extended_ok) {
        if (auto get_product_info =
                find_entry<get_product_info_fn>(GetModuleHandleA("kernel32.dll"), "GetProductInfo")) {
            q.product_info_found = 1;
            DWORD type = 0;
            if (!get_product_info(extended.dwMajorVersion, extended.dwMinorVersion, extended.wServicePackMajor,
                                  extended.wServicePackMinor, &type))
                type = 0;
            q.product_type = type;
        }
    }
    return q;
}
