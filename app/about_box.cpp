#include "app/about_box.h"

#include <objbase.h>
#include <shellapi.h>

#include "app/app_state.h"
#include "dialog/app_texts.h"
#include "win32/scoped_handles.h"
#include "win32/wide_text.h"

namespace {
// The shell serves only the links: loaded at the first, not at every start,
// and kept, as what it started for a link may still run.
loaded_library shell_library;
loaded_library com_library;

// The shell may hand the address to an extension that needs COM on this
// thread; it is set up for the call and taken down again if this call set it up.
void open_with_shell(HWND dialog, const char* address) {
    const auto shell_execute = system_entry<decltype(&ShellExecuteW)>(shell_library, L"shell32.dll", "ShellExecuteW");
    const auto initialize = system_entry<decltype(&CoInitializeEx)>(com_library, L"ole32.dll", "CoInitializeEx");
    const auto uninitialize = system_entry<decltype(&CoUninitialize)>(com_library, L"ole32.dll", "CoUninitialize");
    if (!shell_execute || !initialize || !uninitialize) return;
    const HRESULT com = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    shell_execute(dialog, nullptr, wide<128>(address), nullptr, nullptr, SW_SHOW);
    if (SUCCEEDED(com)) uninitialize();
}
}  // namespace

void (*web_link_opener)(HWND dialog, const char* address) = open_with_shell;

void show_about_box(HWND dialog) {
    char text[about_text_size];
    char title[about_title_size];
    compose_about_text(text, about_text_size, language_flag);
    compose_about_title(title, about_title_size, language_flag);
    MessageBoxW(dialog, wide<about_text_size>(text), wide<about_title_size>(title), MB_OK | MB_ICONINFORMATION);
}

void open_web_link(HWND dialog, int control_id) {
    const char* address = web_link_address(web_link_index(control_id, language_flag));
    if (address) web_link_opener(dialog, address);
}
