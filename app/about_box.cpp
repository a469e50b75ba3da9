#include "app/about_box.h"

#include <shellapi.h>

#include "app/app_state.h"
#include "app/app_texts.h"

namespace {
void open_with_shell(HWND dialog, const char* address) {
    ShellExecuteA(dialog, nullptr, address, nullptr, nullptr, SW_SHOW);
}
}  // namespace

void (*web_link_opener)(HWND dialog, const char* address) = open_with_shell;

void show_about_box(HWND dialog) {
    char text[about_text_size];
    char title[about_title_size];
    compose_about_text(text, about_text_size, language_flag);
    compose_about_title(title, about_title_size, language_flag);
    MessageBoxA(dialog, text, title, MB_OK | MB_ICONINFORMATION);
}

void open_web_link(HWND dialog, int control_id) {
    const char* address = web_link_address(web_link_index(control_id, language_flag));
    if (address) web_link_opener(dialog, address);
}
