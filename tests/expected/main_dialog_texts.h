#pragma once
// What the main dialog must show, written out once, independently of the
// program's own tables, for the unit tests and the end-to-end drivers.
// Sources are UTF-8; the compiler turns them into Windows-1252.

struct expected_control_text {
    int id;  // 0 stands for the caption
    const char* german;
    const char* english;
};

// The font button (11) and WWW (29) keep their template texts in both languages.
inline const expected_control_text expected_texts[] = {
    {0, " Farspanbestimmung", " Farspan Calculation"},
    {1, "Beenden", "Close"},
    {10, "English", "Deutsch"},
    {11, "Font <->", "Font <->"},
    {13, "Drucken...", "Print..."},
    {28, "Grafik <->", "Graphic <->"},
    {29, "WWW", "WWW"},
    {30, "Farbe <->", "Color <->"},
    {12, "Über...", "About..."},
    {1002, "Kilometer und", "Kilometer and"},
    {1003, "Meter", "Meter"},
    {1004, "Winkel:", "Angle:"},
    {1005, "Grad und", "Degree and"},
    {1006, "Minuten", "Minutes"},
    {15, "Höhe", "Height"},
    {16, "Entfernung", "Distance"},
    {17, "Extra: RAM-Info zeigen", "Extra: Show RAM-Info"},
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
    {18, 0, "Höhe in Kilometern", "Height in kilometres"},
    {19, 0, "Höhe in Kilometern", "Height in kilometres"},
    {18, 1, "Entfernung in Kilometern", "Distance in kilometres"},
    {19, 1, "Entfernung in Kilometern", "Distance in kilometres"},
    {20, 0, "Höhe, dazu Meter", "Height, metres added"},
    {21, 0, "Höhe, dazu Meter", "Height, metres added"},
    {20, 1, "Entfernung, dazu Meter", "Distance, metres added"},
    {21, 1, "Entfernung, dazu Meter", "Distance, metres added"},
    {22, 0, "Winkel in Grad", "Angle in degrees"},
    {23, 0, "Winkel in Grad", "Angle in degrees"},
    {24, 0, "Winkel, dazu Minuten", "Angle, minutes added"},
    {25, 0, "Winkel, dazu Minuten", "Angle, minutes added"},
    {1000, 0, "Ergebnisbericht", "Report"},
    {26, 0, "Bildnis des Pythagoras (Wikipedia)", "Portrait of Pythagoras (Wikipedia)"},
    {27, 0, "Dreieck-Grafik: Satz des Pythagoras (Wikipedia)", "Triangle diagram: Pythagorean theorem (Wikipedia)"},
};

// What WWW (29), the portrait (26) and the diagram (27, 28) open, by language.
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

// The opening of the About box in each language, up to the author line.
inline const char english_about_opening[] = "\n Farspan Calculation \n\n produced 2009 - 2019 by \n ";
inline const char german_about_opening[] = "\n Farspanbestimmung \n\n Produziert 2009 - 2019 von \n ";
