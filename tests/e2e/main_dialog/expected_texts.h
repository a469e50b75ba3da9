#pragma once
// What the main dialog must show, written out independently of the program's
// own tables. Sources are UTF-8; the compiler turns them into Windows-1252.

struct expected_control_text {
    int id;  // 0 stands for the caption
    const char* german;
    const char* english;
};

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

// Start values (85 km 0 m, 15 degrees 0 minutes), Height mode.
inline const char english_start_report[] =
    "\r\n"
    " Height:             85.000 Kilometres \r\n"
    " Height Angle:       15.000 Degree \r\n"
    "\r\n"
    " Result without Earth's Curvature would be: \r\n"
    " (Accordant with the Pythagorean Theorem) \r\n"
    "\r\n"
    " Distance along Earth's Surface:                317.224 km \r\n"
    " Distance from the Observer to the Object:      328.415 km \r\n"
    " Height over Horizon visible:                    85.000 km \r\n"
    " Height hidden through Earth's Curvature:         0.000 km \r\n"
    " Height Angle (is fixed):                        15.000 Degree \r\n"
    " Height total (is fixed):                        85.000 km \r\n"
    "\r\n"
    " Result under Consideration of Earth's Curvature: \r\n"
    "\r\n"
    " Distance along the Tangent Plane:              292.249 km \r\n"
    " Distance from the Observer to the Object:      302.559 km \r\n"
    " Height over Horizon visible:                    78.308 km \r\n"
    " Height hidden through Earth's Curvature:         6.692 km \r\n"
    " Height Angle (is fixed):                        15.000 Degree \r\n"
    " Height total (is fixed):                        85.000 km \r\n"
    "\r\n"
    " Difference of the Distance (in Kilometres):     25.856 km \r\n"
    " Difference of the Distance (in Percent):         7.873 % \r\n";

inline const char german_start_report[] =
    "\r\n"
    " Höhe:               85,000 Kilometer \r\n"
    " Höhenwinkel:        15,000 Grad \r\n"
    "\r\n"
    " Ergebnis ohne Erdkrümmung wäre: \r\n"
    " (Gemäß Satz des Pythagoras) \r\n"
    "\r\n"
    " Entfernung entlang der Erdoberfläche:          317,224 km \r\n"
    " Entfernung vom Beobachter bis zum Objekt:      328,415 km \r\n"
    " Höhe über dem Horizont sichtbar:                85,000 km \r\n"
    " Höhe durch Erdkrümmung verdeckt:                 0,000 km \r\n"
    " Höhenwinkel (ist vorgegeben):                   15,000 Grad \r\n"
    " Höhe gesamt (ist vorgegeben):                   85,000 km \r\n"
    "\r\n"
    " Ergebnis unter Berücksichtigung der Erdkrümmung: \r\n"
    "\r\n"
    " Entfernung entlang der Tangentialebene:        292,249 km \r\n"
    " Entfernung vom Beobachter bis zum Objekt:      302,559 km \r\n"
    " Höhe über dem Horizont sichtbar:                78,308 km \r\n"
    " Höhe durch Erdkrümmung verdeckt:                 6,692 km \r\n"
    " Höhenwinkel (ist vorgegeben):                   15,000 Grad \r\n"
    " Höhe gesamt (ist vorgegeben):                   85,000 km \r\n"
    "\r\n"
    " Differenz der Entfernung (in Kilometer):        25,856 km \r\n"
    " Differenz der Entfernung (in Prozent):           7,873 % \r\n";

// The opening of the About box in each language, up to the author line.
inline const char english_about_opening[] = "\n Farspan Calculation \n\n produced 2009 - 2019 by \n ";
inline const char german_about_opening[] = "\n Farspanbestimmung \n\n Produziert 2009 - 2019 von \n ";
