#pragma once
// Texts of the main dialog in German and English and the choices made from
// them: start language, caption and control texts, window-menu items, the
// About box and the web addresses. Portable: no Windows headers.

// 1 when the user's 16-bit language id is German (Germany, Switzerland,
// Austria, Luxembourg, Liechtenstein), 0 for every other language.
int german_for_language_id(unsigned language_id);

const char* caption_text(int german);

struct control_text {
    int control_id;
    const char* german;
    const char* english;
};

// The control texts in the order the dialog writes them.
extern const control_text language_texts[];
extern const int language_text_count;

// Window-menu items appended after the system's own.
const char* menu_print_text(int german);
void compose_menu_about_text(char* out, int capacity, int german);

enum { about_text_size = 512, about_title_size = 32 };

void compose_about_title(char* out, int capacity, int german);
// The whole About text; lines are separated by bare LF.
void compose_about_text(char* out, int capacity, int german);

// Name a screen reader gives the control, where its own text does not name
// it: the fields by quantity and unit (the length field by the measure mode),
// each up-down control as its field, the output box, the two pictures.
// nullptr for every other control.
const char* accessible_name(int control_id, int distance_mode, int german);

// Index into the web address table for the WWW (29), portrait (26) or
// diagram (27) button, English adding 3; -1 for any other control.
int web_link_index(int control_id, int german);
// The address at that index, or nullptr outside 0..5.
const char* web_link_address(int index);
