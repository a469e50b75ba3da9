#include "app/window_menu_win32.h"

#include "app/app_texts.h"
#include "app/control_ids.h"
#include "win32/wide_text.h"

void build_window_menu(HWND dialog, int german) {
    GetSystemMenu(dialog, TRUE);
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (!menu) return;
    char about[64];
    compose_menu_about_text(about, sizeof about, german);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, SC_FARSPAN_PRINT, wide<64>(menu_print_text(german)));
    AppendMenuW(menu, MF_STRING, SC_FARSPAN_ABOUT, wide<64>(about));
}
