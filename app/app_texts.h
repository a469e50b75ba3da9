#pragma once
// Texts of the main dialog in German and English that belong to no one
// control (those are rows of app/control_table.h): start language, caption,
// window-menu items and the About box. Portable: no Windows headers.

// 1 when the user's 16-bit language id is German (Germany, Switzerland,
// Austria, Luxembourg, Liechtenstein), 0 for every other language.
int german_for_language_id(unsigned language_id);

const char* caption_text(int german);

// Window-menu items appended after the system's own.
const char* menu_print_text(int german);
void compose_menu_about_text(char* out, int capacity, int german);

enum { about_text_size = 512, about_title_size = 32 };

void compose_about_title(char* out, int capacity, int german);
// The whole About text; lines are separated by bare LF.
void compose_about_text(char* out, int capacity, int german);

