#include "app/web_links_win32.h"

#include <objbase.h>
#include <shellapi.h>

#include "app/control_table.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

namespace {
// The shell may hand the address to an extension that needs COM on this
// thread; it is set up for the call and taken down again if this call set it up.
void open_with_shell(HWND dialog, web_link_record& links, const char* address) {
    loaded_library& shell_library = links.shell;
    loaded_library& com_library = links.com;
    const auto shell_execute = system_entry<decltype(&ShellExecuteW)>(shell_library, L"shell32.dll", "ShellExecuteW");
    const auto initialize = system_entry<decltype(&CoInitializeEx)>(com_library, L"ole32.dll", "CoInitializeEx");
    const auto uninitialize = system_entry<decltype(&CoUninitialize)>(com_library, L"ole32.dll", "CoUninitialize");
    if (!shell_execute || !initialize || !uninitialize) return;
    const HRESULT com = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    shell_execute(dialog, nullptr, wide<128>(address), nullptr, nullptr, SW_SHOW);
    if (SUCCEEDED(com)) uninitialize();
}
}  // namespace

void open_web_link(HWND dialog, web_link_record& links, dialog_language language, int control_id) {
    const char* address = web_link(control_id, german_flag(language));
    if (!address) return;
    if (links.open_link)
        links.open_link(dialog, address);
    else
        open_with_shell(dialog, links, address);
}
