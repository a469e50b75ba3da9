#include <windows.h>

#include "app/main_dialog_win32.h"
#include "win32/scoped_handles.h"

namespace {
// Before anything loads a library by name: only System32 is searched, never
// the program's folder, the working folder or PATH, where a planted copy may
// lie. Windows 7 without KB2533623 lacks SetDefaultDllDirectories; there the
// working folder alone is taken out.
void restrict_library_search() {
    typedef BOOL(WINAPI * set_default_fn)(DWORD);
    const auto set_default =
        find_entry<set_default_fn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (set_default != nullptr) set_default(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    restrict_library_search();
    return run_farspan(instance);
}
