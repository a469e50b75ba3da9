// Stands in for a planted iphlpapi.dll: marks its loading beside itself and
// answers the address table with 10.99.88.77 alone.
#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) DWORD WINAPI GetIpAddrTable(void* table, ULONG* size, BOOL) {
    const DWORD count = 1;
    const unsigned char address[4] = {10, 99, 88, 77};
    if (table == nullptr || size == nullptr || *size < 4 + 24) return ERROR_INSUFFICIENT_BUFFER;
    std::memset(table, 0, 4 + 24);
    std::memcpy(table, &count, 4);
    std::memcpy(static_cast<unsigned char*>(table) + 4, address, 4);
    return NO_ERROR;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t mark[MAX_PATH + 32] = L"";
    const DWORD length = GetModuleFileNameW(self, mark, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    wchar_t* slash = wcsrchr(mark, L'\\');
    if (slash == nullptr) return TRUE;
    lstrcpyW(slash + 1, L"iphlpapi loaded.mark");
    CloseHandle(CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}
