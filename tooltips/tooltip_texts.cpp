#include "tooltips/tooltip_texts.h"

#include "app/control_ids.h"

namespace {
struct tooltip_row {
    int control_id;
    const char* german;
    const char* english;
};

// Each up-down control shares the text of the field it steps.
const tooltip_row tooltip_rows[] = {
    {IDC_CLOSE, "Dieser Button beendet das Programm", "This Button ends the Program"},
    {IDC_LANGUAGE, "Change Language / Sprache ändern", "Change Language / Sprache ändern"},
    {IDC_FONT, "Schriftfont im Ausgabefenster ändern", "Change Font in the Output Window"},
    {IDC_ABOUT, "Zeige Info Fenster über dieses Programm", "Show Info Messagebox about this Program"},
    {IDC_PRINT, "Inhalt des Ausgabefensters ausdrucken", "Print Content of the Output Window"},
    {IDC_HEIGHT, "Hier für Höhe ankreuzen", "Check here for Height"},
    {IDC_DISTANCE, "Hier für Entfernung ankreuzen", "Check here for Distance"},
    {IDC_RAMINFO, "Hier für RAM-Info ankreuzen", "Check here for RAM-Info"},
    {IDC_KILOMETRES, "Hier die Höhe bzw. Entfernung in Kilometer eingeben", "Enter here the Height resp. Distance in Kilometer"},
    {IDC_KILOMETRES_SPIN, "Hier die Höhe bzw. Entfernung in Kilometer eingeben", "Enter here the Height resp. Distance in Kilometer"},
    {IDC_METRES, "Hier die Höhe bzw. Entfernung in Meter eingeben", "Enter here the Height resp. Distance in Meter"},
    {IDC_METRES_SPIN, "Hier die Höhe bzw. Entfernung in Meter eingeben", "Enter here the Height resp. Distance in Meter"},
    {IDC_DEGREES, "Hier den Winkel in Grad eingeben", "Enter here the Angle in Degree"},
    {IDC_DEGREES_SPIN, "Hier den Winkel in Grad eingeben", "Enter here the Angle in Degree"},
    {IDC_MINUTES, "Hier den Winkel in Minuten eingeben", "Enter here the Angle in Minutes"},
    {IDC_MINUTES_SPIN, "Hier den Winkel in Minuten eingeben", "Enter here the Angle in Minutes"},
    {IDC_PORTRAIT, "Diesen Button drücken für mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {IDC_DIAGRAM, "Diesen Button drücken für mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {IDC_GRAPHIC, "Grafikgröße auf Button mit Erklärung ändern", "Change Size of Graphic on Button with Explanation"},
    {IDC_WWW, "Diesen Button drücken für die Homepage im Internet", "Press this Button for the Homepage in the Web"},
    {IDC_COLOUR, "Wechselt die Farbe der Dialogbox", "Changes the Color of the Dialogbox"},
};
}  // namespace

const char* tooltip_text(int control_id, int language_flag) {
    for (const tooltip_row& row : tooltip_rows) {
        if (row.control_id == control_id) return language_flag != 0 ? row.german : row.english;
    }
    return nullptr;
}
