#include "tooltips/tooltip_texts.h"

namespace {
struct tooltip_row {
    int control_id;
    const char* german;
    const char* english;
};

// Each up-down control shares the text of the field it steps.
const tooltip_row tooltip_rows[] = {
    {1, "Dieser Button beendet das Programm", "This Button ends the Program"},
    {10, "Change Language / Sprache ändern", "Change Language / Sprache ändern"},
    {11, "Schriftfont im Ausgabefenster ändern", "Change Font in the Output Window"},
    {12, "Zeige Info Fenster über dieses Programm", "Show Info Messagebox about this Program"},
    {13, "Inhalt des Ausgabefensters ausdrucken", "Print Content of the Output Window"},
    {15, "Hier für Höhe ankreuzen", "Check here for Height"},
    {16, "Hier für Entfernung ankreuzen", "Check here for Distance"},
    {17, "Hier für RAM-Info ankreuzen", "Check here for RAM-Info"},
    {18, "Hier die Höhe bzw. Entfernung in Kilometer eingeben", "Enter here the Height resp. Distance in Kilometer"},
    {19, "Hier die Höhe bzw. Entfernung in Kilometer eingeben", "Enter here the Height resp. Distance in Kilometer"},
    {20, "Hier die Höhe bzw. Entfernung in Meter eingeben", "Enter here the Height resp. Distance in Meter"},
    {21, "Hier die Höhe bzw. Entfernung in Meter eingeben", "Enter here the Height resp. Distance in Meter"},
    {22, "Hier den Winkel in Grad eingeben", "Enter here the Angle in Degree"},
    {23, "Hier den Winkel in Grad eingeben", "Enter here the Angle in Degree"},
    {24, "Hier den Winkel in Minuten eingeben", "Enter here the Angle in Minutes"},
    {25, "Hier den Winkel in Minuten eingeben", "Enter here the Angle in Minutes"},
    {26, "Diesen Button drücken für mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {27, "Diesen Button drücken für mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {28, "Grafikgröße auf Button mit Erklärung ändern", "Change Size of Graphic on Button with Explanation"},
    {29, "Diesen Button drücken für die Homepage im Internet", "Press this Button for the Homepage in the Web"},
    {30, "Wechselt die Farbe der Dialogbox", "Changes the Color of the Dialogbox"},
};
}  // namespace

const char* tooltip_text(int control_id, int language_flag) {
    for (const tooltip_row& row : tooltip_rows) {
        if (row.control_id == control_id) return language_flag != 0 ? row.german : row.english;
    }
    return nullptr;
}
