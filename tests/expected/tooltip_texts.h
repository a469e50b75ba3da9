#pragma once
// The tip of each working control, written out once, independently of the
// program's own table, for the unit test and the end-to-end drivers.
// Windows-1252 bytes, umlauts written as escapes.

struct expected_tip {
    int control_id;
    const char* german;
    const char* english;
};

inline const expected_tip expected_tips[] = {
    {1, "Dieser Button beendet das Programm", "This Button ends the Program"},
    {10, "Change Language / Sprache \xE4ndern", "Change Language / Sprache \xE4ndern"},
    {11, "Schriftfont im Ausgabefenster \xE4ndern", "Change Font in the Output Window"},
    {12, "Zeige Info Fenster \xFC" "ber dieses Programm", "Show Info Messagebox about this Program"},
    {13, "Inhalt des Ausgabefensters ausdrucken", "Print Content of the Output Window"},
    {15, "Hier f\xFCr H\xF6he ankreuzen", "Check here for Height"},
    {16, "Hier f\xFCr Entfernung ankreuzen", "Check here for Distance"},
    {17, "Hier f\xFCr RAM-Info ankreuzen", "Check here for RAM-Info"},
    {18, "Hier die H\xF6he bzw. Entfernung in Kilometer eingeben", "Enter here the Height resp. Distance in Kilometer"},
    {20, "Hier die H\xF6he bzw. Entfernung in Meter eingeben", "Enter here the Height resp. Distance in Meter"},
    {22, "Hier den Winkel in Grad eingeben", "Enter here the Angle in Degree"},
    {24, "Hier den Winkel in Minuten eingeben", "Enter here the Angle in Minutes"},
    {26, "Diesen Button dr\xFC" "cken f\xFCr mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {27, "Diesen Button dr\xFC" "cken f\xFCr mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {28, "Grafikgr\xF6\xDF" "e auf Button mit Erkl\xE4rung \xE4ndern", "Change Size of Graphic on Button with Explanation"},
    {29, "Diesen Button dr\xFC" "cken f\xFCr die Homepage im Internet", "Press this Button for the Homepage in the Web"},
    {30, "Wechselt die Farbe der Dialogbox", "Changes the Color of the Dialogbox"},
};

// The tip a control shows: an up-down control (19, 21, 23, 25) shows its
// field's; "" for a control with no tip.
inline const char* expected_tip_text(int control_id, bool german) {
    const int id = control_id >= 19 && control_id <= 25 && control_id % 2 == 1 ? control_id - 1 : control_id;
    for (const expected_tip& tip : expected_tips)
        if (tip.control_id == id) return german ? tip.german : tip.english;
    return "";
}
