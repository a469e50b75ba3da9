#pragma once
// What the main dialog must show, written out once, independently of the
// program's own tables, for the unit tests and the end-to-end drivers.
// Sources are UTF-8; the compiler turns them into Windows-1252.
#include "tests/expected/control_ids.h"

struct expected_control_text {
    int id;  // 0 stands for the caption
    const char* german;
    const char* english;
};

// The font button and WWW keep their template texts in both languages.
inline const expected_control_text expected_texts[] = {
    {0, " Farspanbestimmung", " Farspan Calculation"},
    {ctl::close, "Beenden", "Close"},
    {ctl::language, "English", "Deutsch"},
    {ctl::font, "Font <->", "Font <->"},
    {ctl::print, "Drucken...", "Print..."},
    {ctl::graphic, "Grafik <->", "Graphic <->"},
    {ctl::www, "WWW", "WWW"},
    {ctl::colour, "Farbe <->", "Color <->"},
    {ctl::about, "Über...", "About..."},
    {ctl::unit_kilometres, "Kilometer und", "Kilometer and"},
    {ctl::unit_metres, "Meter", "Meter"},
    {ctl::angle_label, "Winkel:", "Angle:"},
    {ctl::unit_degrees, "Grad und", "Degree and"},
    {ctl::unit_minutes, "Minuten", "Minutes"},
    {ctl::eye_label, "Augenhöhe:", "Eye Height:"},
    {ctl::unit_eye, "Meter", "Meter"},
    {ctl::refraction_label, "Refraktion:", "Refraction:"},
    {ctl::refraction, "keine", "none"},  // the list shows its start item
    {ctl::height, "Höhe", "Height"},
    {ctl::distance, "Entfernung", "Distance"},
    {ctl::ram_info, "Extra: RAM-Info zeigen", "Extra: Show RAM-Info"},
};

// The label before the length field, by measure mode: Height (0), Distance (1).
struct expected_mode_text {
    const char* german;
    const char* english;
};

inline const expected_mode_text expected_length_labels[2] = {{"Höhe:", "Height:"}, {"Entfernung:", "Distance:"}};

// The names assistive technology reads for the controls whose own text does
// not name them; the length field and its up-down control follow the mode.
struct expected_accessible_name {
    int id;
    int distance_mode;
    const char* german;
    const char* english;
};

inline const expected_accessible_name expected_accessible_names[] = {
    {ctl::kilometres, 0, "Höhe in Kilometern", "Height in kilometres"},
    {ctl::kilometres_spin, 0, "Höhe in Kilometern", "Height in kilometres"},
    {ctl::kilometres, 1, "Entfernung in Kilometern", "Distance in kilometres"},
    {ctl::kilometres_spin, 1, "Entfernung in Kilometern", "Distance in kilometres"},
    {ctl::metres, 0, "Höhe, dazu Meter", "Height, metres added"},
    {ctl::metres_spin, 0, "Höhe, dazu Meter", "Height, metres added"},
    {ctl::metres, 1, "Entfernung, dazu Meter", "Distance, metres added"},
    {ctl::metres_spin, 1, "Entfernung, dazu Meter", "Distance, metres added"},
    {ctl::degrees, 0, "Winkel in Grad", "Angle in degrees"},
    {ctl::degrees_spin, 0, "Winkel in Grad", "Angle in degrees"},
    {ctl::minutes, 0, "Winkel, dazu Minuten", "Angle, minutes added"},
    {ctl::minutes_spin, 0, "Winkel, dazu Minuten", "Angle, minutes added"},
    {ctl::eye_height, 0, "Augenhöhe in Metern", "Eye height in metres"},
    {ctl::eye_height_spin, 0, "Augenhöhe in Metern", "Eye height in metres"},
    {ctl::refraction, 0, "Refraktion, Koeffizient k", "Refraction, coefficient k"},
    {ctl::output, 0, "Ergebnisbericht", "Report"},
    {ctl::portrait, 0, "Bildnis des Pythagoras (Wikipedia)", "Portrait of Pythagoras (Wikipedia)"},
    {ctl::diagram, 0, "Dreieck-Grafik: Satz des Pythagoras (Wikipedia)", "Triangle diagram: Pythagorean theorem (Wikipedia)"},
};

// The refraction list's items, by the coefficient's choice: none, 0.13, 0.142, 0.20.
inline const expected_mode_text expected_refraction_items[4] = {
    {"keine", "none"}, {"0,13", "0.13"}, {"0,142", "0.142"}, {"0,20", "0.20"}};

// What WWW, the portrait and the diagram open, by language.
struct expected_web_links {
    const char* home;
    const char* portrait;
    const char* diagram;
};
inline const expected_web_links german_web_links = {"http://www.example.org/farspan/de/index.html",
                                                    "http://de.wikipedia.org/wiki/Pythagoras",
                                                    "http://de.wikipedia.org/wiki/Satz_des_Pythagoras"};
inline const expected_web_links english_web_links = {"http://www.example.org/farspan/en/index.html",
                                                     "http://en.wikipedia.org/wiki/Pythagoras",
                                                     "http://en.wikipedia.org/wiki/Pythagorean_theorem"};

// The report in place of the figures while the kilometre field holds no whole number.
inline const char expected_kilometres_unread[] =
    "\r\n Kilometer field: no whole number, so no results. \r\n\r\n The fields take whole "
    "numbers only (digits 0 to 9); \r\n the Meter and Minutes fields hold the fractions. \r\n";

// The About box's title and the window menu's two items, by language.
inline const expected_mode_text expected_about_title = {" Farspanbestimmung ", " Farspan Calculation "};
inline const expected_mode_text expected_menu_print = {"Drucken...", "Print..."};
inline const expected_mode_text expected_menu_about = {"Über Farspan Calculation...", "About Farspan Calculation..."};

// The opening of the About box in each language, up to the author line.
inline const char english_about_opening[] = "\n Farspan Calculation \n\n produced 2009 - 2019 by \n ";
inline const char german_about_opening[] = "\n Farspanbestimmung \n\n Produziert 2009 - 2019 von \n ";
