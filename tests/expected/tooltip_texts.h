#pragma once
// The tip of each working control, written out once, independently of the
// program's own table, for the unit test and the end-to-end drivers.
// Windows-1252 bytes, umlauts written as escapes.
#include "tests/expected/control_ids.h"

struct expected_tip {
    int control_id;
    const char* german;
    const char* english;
};

inline const expected_tip expected_tips[] = {
    {ctl::close, "Dieser Button beendet das Programm", "This Button ends the Program"},
    {ctl::language, "Change Language / Sprache \xE4ndern", "Change Language / Sprache \xE4ndern"},
    {ctl::font, "Schriftfont im Ausgabefenster \xE4ndern", "Change Font in the Output Window"},
    {ctl::about, "Zeige Info Fenster \xFC" "ber dieses Programm", "Show Info Messagebox about this Program"},
    {ctl::print, "Inhalt des Ausgabefensters ausdrucken", "Print Content of the Output Window"},
    {ctl::height, "Hier f\xFCr H\xF6he ankreuzen", "Check here for Height"},
    {ctl::distance, "Hier f\xFCr Entfernung ankreuzen", "Check here for Distance"},
    {ctl::ram_info, "Hier f\xFCr RAM-Info ankreuzen", "Check here for RAM-Info"},
    {ctl::kilometres, "Hier die H\xF6he bzw. Entfernung in Kilometer eingeben", "Enter here the Height resp. Distance in Kilometer"},
    {ctl::metres, "Hier die H\xF6he bzw. Entfernung in Meter eingeben", "Enter here the Height resp. Distance in Meter"},
    {ctl::degrees, "Hier den Winkel in Grad eingeben", "Enter here the Angle in Degree"},
    {ctl::minutes, "Hier den Winkel in Minuten eingeben", "Enter here the Angle in Minutes"},
    {ctl::portrait, "Diesen Button dr\xFC" "cken f\xFCr mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {ctl::diagram, "Diesen Button dr\xFC" "cken f\xFCr mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {ctl::graphic, "Grafikgr\xF6\xDF" "e auf Button mit Erkl\xE4rung \xE4ndern", "Change Size of Graphic on Button with Explanation"},
    {ctl::www, "Diesen Button dr\xFC" "cken f\xFCr die Homepage im Internet", "Press this Button for the Homepage in the Web"},
    {ctl::colour, "Wechselt die Farbe der Dialogbox", "Changes the Color of the Dialogbox"},
    {ctl::eye_height, "Hier die Augenh\xF6he \xFC" "ber dem Boden in Meter eingeben", "Enter here the Eye Height above the Ground in Meter"},
    {ctl::refraction, "Refraktion k: wie stark die Luft Sichtlinien zum Boden hin biegt (Gau\xDF: 0,13)",
     "Refraction k: how much the air bends sight lines to the ground (Gauss: 0.13)"},
};

// The tip a control shows: an up-down control shows its field's; "" for a
// control with no tip.
inline const char* expected_tip_text(int control_id, bool german) {
    int id = control_id;
    if (id == ctl::kilometres_spin) id = ctl::kilometres;
    if (id == ctl::metres_spin) id = ctl::metres;
    if (id == ctl::degrees_spin) id = ctl::degrees;
    if (id == ctl::minutes_spin) id = ctl::minutes;
    if (id == ctl::eye_height_spin) id = ctl::eye_height;
    for (const expected_tip& tip : expected_tips)
        if (tip.control_id == id) return german ? tip.german : tip.english;
    return "";
}
