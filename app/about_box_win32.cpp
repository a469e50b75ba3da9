#include "app/about_box_win32.h"

#include "app/app_texts.h"
#include "win32/wide_text.h"

void show_about_box(HWND dialog, int german) {
    char text[about_text_size];
    char title[about_title_size];
    compose_about_text(text, about_text_size, german);
    compose_about_title(title, about_title_size, german);
    MessageBoxW(dialog, wide<about_text_size>(text), wide<about_title_size>(title), MB_OK | MB_ICONINFORMATION);
}
