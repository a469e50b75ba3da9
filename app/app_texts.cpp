#include "app/app_texts.h"

#include "calc/text.h"

namespace {
// Invented author and idea credit; the addresses use reserved example domains.
const char author_line[] = "\n Jonas Feldmann (Fernblick) \n http://www.example.org/ ";
const char idea_line[] = " Greta Hochberg \n http://www.example.com/ ";
}  // namespace

int german_for_language_id(unsigned language_id) {
    switch (language_id) {
    case 0x0407:
    case 0x0807:
    case 0x0C07:
    case 0x1007:
    case 0x1407:
        return 1;
    default:
        return 0;
    }
}

const char* caption_text(int german) { return german ? " Farspanbestimmung" : " Farspan Calculation"; }


const char* menu_print_text(int german) { return german ? "Drucken..." : "Print..."; }

void compose_menu_about_text(char* out, int capacity, int german) {
    copy_text(out, capacity, german ? "Über" : "About");
    append_text(out, capacity, " Farspan Calculation...");
}

void compose_about_title(char* out, int capacity, int german) {
    copy_text(out, capacity, german ? " Farspanbestimmung " : " Farspan Calculation ");
}

void compose_about_text(char* out, int capacity, int german) {
    char title[about_title_size];
    compose_about_title(title, about_title_size, german);
    copy_text(out, capacity, "\n");
    append_text(out, capacity, title);
    append_text(out, capacity, german ? "\n\n Produziert 2009 - 2019 von " : "\n\n produced 2009 - 2019 by ");
    append_text(out, capacity, author_line);
    append_text(out, capacity, german ? "\n\n Idee:" : "\n\n Idea:");
    append_text(out, capacity, idea_line);
    append_text(out, capacity, "\n\n 64Bit-Windows-Version ");
    append_text(out, capacity,
                german ? "\n\n Dieses Programm wird so wie es ist ohne \n Garantie zur Verfügung gestellt. "
                         "Es könnte             \n Bugs enthalten, so dass die Verwendung \n dieses Tools auf "
                         "eigenes Risiko erfolgt. \n"
                       : "\n\n This Program is provided as it is,             \n without any Guarantee made. "
                         "It \n may contain Bugs, so use of this \n Tool is at your own Risk. \n");
}

