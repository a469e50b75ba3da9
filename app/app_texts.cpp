#include "app/app_texts.h"

#include "app/control_ids.h"
#include "calc/text.h"

namespace {
// Invented author and idea credit; the addresses use reserved example domains.
const char author_line[] = "\n Jonas Feldmann (Fernblick) \n http://www.example.org/ ";
const char idea_line[] = " Greta Hochberg \n http://www.example.com/ ";

const char* const web_addresses[6] = {
    "http://www.example.org/farspan/de/index.html",
    "http://de.wikipedia.org/wiki/Pythagoras",
    "http://de.wikipedia.org/wiki/Satz_des_Pythagoras",
    "http://www.example.org/farspan/en/index.html",
    "http://en.wikipedia.org/wiki/Pythagoras",
    "http://en.wikipedia.org/wiki/Pythagorean_theorem",
};
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

const control_text language_texts[] = {
    {IDC_CLOSE, "Beenden", "Close"},
    {IDC_LANGUAGE, "English", "Deutsch"},
    {IDC_PRINT, "Drucken...", "Print..."},
    {IDC_GRAPHIC, "Grafik <->", "Graphic <->"},
    {IDC_COLOUR, "Farbe <->", "Color <->"},
    {IDC_ABOUT, "Über...", "About..."},
    {IDC_LENGTH_LABEL, "Höhe:", "Height:"},
    {IDC_UNIT_KILOMETRES, "Kilometer und", "Kilometer and"},
    {IDC_UNIT_METRES, "Meter", "Meter"},
    {IDC_ANGLE_LABEL, "Winkel:", "Angle:"},
    {IDC_UNIT_DEGREES, "Grad und", "Degree and"},
    {IDC_UNIT_MINUTES, "Minuten", "Minutes"},
    {IDC_HEIGHT, "Höhe", "Height"},
    {IDC_DISTANCE, "Entfernung", "Distance"},
    {IDC_RAMINFO, "Extra: RAM-Info zeigen", "Extra: Show RAM-Info"},
};
const int language_text_count = static_cast<int>(sizeof language_texts / sizeof language_texts[0]);


const char* accessible_name(int control_id, int distance_mode, int german) {
    switch (control_id) {
    case IDC_KILOMETRES:
    case IDC_KILOMETRES_SPIN:
        if (distance_mode) return german ? "Entfernung in Kilometern" : "Distance in kilometres";
        return german ? "Höhe in Kilometern" : "Height in kilometres";
    case IDC_METRES:
    case IDC_METRES_SPIN:
        if (distance_mode) return german ? "Entfernung, dazu Meter" : "Distance, metres added";
        return german ? "Höhe, dazu Meter" : "Height, metres added";
    case IDC_DEGREES:
    case IDC_DEGREES_SPIN: return german ? "Winkel in Grad" : "Angle in degrees";
    case IDC_MINUTES:
    case IDC_MINUTES_SPIN: return german ? "Winkel, dazu Minuten" : "Angle, minutes added";
    case IDC_OUTPUT: return german ? "Ergebnisbericht" : "Report";
    case IDC_DIAGRAM: return german ? "Dreieck-Grafik: Satz des Pythagoras (Wikipedia)"
                                    : "Triangle diagram: Pythagorean theorem (Wikipedia)";
    case IDC_PORTRAIT: return german ? "Bildnis des Pythagoras (Wikipedia)" : "Portrait of Pythagoras (Wikipedia)";
    default: return nullptr;
    }
}

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

int web_link_index(int control_id, int german) {
    int index;
    switch (control_id) {
    case IDC_WWW: index = 0; break;
    case IDC_PORTRAIT: index = 1; break;
    case IDC_DIAGRAM: index = 2; break;
    default: return -1;
    }
    return german ? index : index + 3;
}

const char* web_link_address(int index) {
    return index >= 0 && index < 6 ? web_addresses[index] : nullptr;
}
