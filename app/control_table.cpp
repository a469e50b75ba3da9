#include "app/control_table.h"

#include "app/control_ids.h"
#include "calc/curvature.h"

namespace {
const two_languages none = {nullptr, nullptr};
const two_languages wikipedia_tip = {"Diesen Button drücken für mehr Information (Wikipedia)",
                                     "Press this Button for more Information (Wikipedia)"};

// A control with a caption and a tip and nothing else of its own.
constexpr control_row button(int id, control_kind kind, two_languages caption, two_languages tip) {
    return {id, kind, caption, tip, none, none, true, 0, 0, 0, 0, none};
}
constexpr control_row label(int id, two_languages caption) {
    return {id, kind_label, caption, none, none, none, false, 0, 0, 0, 0, none};
}
// The coefficient k by refraction_choice: German with the decimal comma, as the report writes it.
const two_languages refraction_items[refraction_choice_count] = {
    {"keine", "none"}, {"0,13", "0.13"}, {"0,142", "0.142"}, {"0,20", "0.20"}};
constexpr control_row spin(int id) { return {id, kind_spin, none, none, none, none, true, 0, 0, 0, 0, none}; }
}  // namespace

// The captioned controls first, in the order the dialog writes them.
const control_row control_rows[] = {
    button(IDC_CLOSE, kind_push_button, {"Beenden", "Close"}, {"Dieser Button beendet das Programm", "This Button ends the Program"}),
    button(IDC_LANGUAGE, kind_push_button, {"English", "Deutsch"},
           {"Change Language / Sprache ändern", "Change Language / Sprache ändern"}),
    button(IDC_PRINT, kind_push_button, {"Drucken...", "Print..."},
           {"Inhalt des Ausgabefensters ausdrucken", "Print Content of the Output Window"}),
    button(IDC_GRAPHIC, kind_push_button, {"Grafik <->", "Graphic <->"},
           {"Grafikgröße auf Button mit Erklärung ändern", "Change Size of Graphic on Button with Explanation"}),
    button(IDC_COLOUR, kind_push_button, {"Farbe <->", "Color <->"},
           {"Wechselt die Farbe der Dialogbox", "Changes the Color of the Dialogbox"}),
    button(IDC_ABOUT, kind_push_button, {"Über...", "About..."},
           {"Zeige Info Fenster über dieses Programm", "Show Info Messagebox about this Program"}),
    label(IDC_LENGTH_LABEL, {"Höhe:", "Height:"}),
    label(IDC_UNIT_KILOMETRES, {"Kilometer und", "Kilometer and"}),
    label(IDC_UNIT_METRES, {"Meter", "Meter"}),
    label(IDC_ANGLE_LABEL, {"Winkel:", "Angle:"}),
    label(IDC_UNIT_DEGREES, {"Grad und", "Degree and"}),
    label(IDC_UNIT_MINUTES, {"Minuten", "Minutes"}),
    label(IDC_EYE_LABEL, {"Augenhöhe:", "Eye Height:"}),
    label(IDC_UNIT_EYE, {"Meter", "Meter"}),
    label(IDC_REFRACTION_LABEL, {"Refraktion:", "Refraction:"}),
    button(IDC_HEIGHT, kind_radio, {"Höhe", "Height"}, {"Hier für Höhe ankreuzen", "Check here for Height"}),
    button(IDC_DISTANCE, kind_radio, {"Entfernung", "Distance"},
           {"Hier für Entfernung ankreuzen", "Check here for Distance"}),
    button(IDC_RAMINFO, kind_check_box, {"Extra: RAM-Info zeigen", "Extra: Show RAM-Info"},
           {"Hier für RAM-Info ankreuzen", "Check here for RAM-Info"}),
    // The fields in the order the report reads them: kilometres, metres, degrees, minutes.
    {IDC_KILOMETRES, kind_field, none,
     {"Hier die Höhe bzw. Entfernung in Kilometer eingeben", "Enter here the Height resp. Distance in Kilometer"},
     {"Höhe in Kilometern", "Height in kilometres"}, {"Entfernung in Kilometern", "Distance in kilometres"},
     true, IDC_KILOMETRES_SPIN, 5, 32000, 85, none},
    {IDC_METRES, kind_field, none,
     {"Hier die Höhe bzw. Entfernung in Meter eingeben", "Enter here the Height resp. Distance in Meter"},
     {"Höhe, dazu Meter", "Height, metres added"}, {"Entfernung, dazu Meter", "Distance, metres added"},
     true, IDC_METRES_SPIN, 3, 999, 0, none},
    {IDC_DEGREES, kind_field, none, {"Hier den Winkel in Grad eingeben", "Enter here the Angle in Degree"},
     {"Winkel in Grad", "Angle in degrees"}, none, true, IDC_DEGREES_SPIN, 2, 89, 15, none},
    {IDC_MINUTES, kind_field, none, {"Hier den Winkel in Minuten eingeben", "Enter here the Angle in Minutes"},
     {"Winkel, dazu Minuten", "Angle, minutes added"}, none, true, IDC_MINUTES_SPIN, 2, 59, 0, none},
    {IDC_EYE_HEIGHT, kind_field, none,
     {"Hier die Augenhöhe über dem Boden in Meter eingeben", "Enter here the Eye Height above the Ground in Meter"},
     {"Augenhöhe in Metern", "Eye height in metres"}, none, true, IDC_EYE_HEIGHT_SPIN, 4, eye_height_max_metres, 0,
     none},
    {IDC_REFRACTION, kind_list, none,
     {"Refraktion k: wie stark die Luft Sichtlinien zum Boden hin biegt (Gauß: 0,13)",
      "Refraction k: how much the air bends sight lines to the ground (Gauss: 0.13)"},
     {"Refraktion, Koeffizient k", "Refraction, coefficient k"}, none, true, 0, 0, 0, refraction_none, none,
     refraction_items, refraction_choice_count},
    spin(IDC_KILOMETRES_SPIN),
    spin(IDC_METRES_SPIN),
    spin(IDC_DEGREES_SPIN),
    spin(IDC_MINUTES_SPIN),
    spin(IDC_EYE_HEIGHT_SPIN),
    button(IDC_FONT, kind_push_button, none, {"Schriftfont im Ausgabefenster ändern", "Change Font in the Output Window"}),
    {IDC_WWW, kind_push_button, none,
     {"Diesen Button drücken für die Homepage im Internet", "Press this Button for the Homepage in the Web"}, none,
     none, true, 0, 0, 0, 0,
     {"http://www.example.org/farspan/de/index.html", "http://www.example.org/farspan/en/index.html"}},
    {IDC_PORTRAIT, kind_picture_button, none, wikipedia_tip,
     {"Bildnis des Pythagoras (Wikipedia)", "Portrait of Pythagoras (Wikipedia)"}, none, true, 0, 0, 0, 0,
     {"http://de.wikipedia.org/wiki/Pythagoras", "http://en.wikipedia.org/wiki/Pythagoras"}},
    {IDC_DIAGRAM, kind_picture_button, none, wikipedia_tip,
     {"Dreieck-Grafik: Satz des Pythagoras (Wikipedia)", "Triangle diagram: Pythagorean theorem (Wikipedia)"}, none,
     true, 0, 0, 0, 0,
     {"http://de.wikipedia.org/wiki/Satz_des_Pythagoras", "http://en.wikipedia.org/wiki/Pythagorean_theorem"}},
    {IDC_OUTPUT, kind_output, none, none, {"Ergebnisbericht", "Report"}, none, true, 0, 0, 0, 0, none},
};
const int control_row_count = static_cast<int>(sizeof control_rows / sizeof control_rows[0]);

const control_row* control_row_of(int control_id) {
    for (const control_row& row : control_rows)
        if (row.id == control_id) return &row;
    return nullptr;
}

const char* in_language(const two_languages& text, int german) { return german != 0 ? text.german : text.english; }

namespace {
// The row that speaks for the control: an up-down control's field.
const control_row* described_row(int control_id) {
    const control_row* row = control_row_of(control_id);
    if (!row || row->kind != kind_spin) return row;
    for (const control_row& field : control_rows)
        if (field.kind == kind_field && field.spin == control_id) return &field;
    return nullptr;
}
}  // namespace

const char* tooltip_text(int control_id, int german) {
    const control_row* row = described_row(control_id);
    return row ? in_language(row->tip, german) : nullptr;
}

const char* accessible_name(int control_id, int distance_mode, int german) {
    const control_row* row = described_row(control_id);
    if (!row) return nullptr;
    if (distance_mode && row->distance_name.german) return in_language(row->distance_name, german);
    return in_language(row->name, german);
}

const char* list_item_text(int control_id, int index, int german) {
    const control_row* row = control_row_of(control_id);
    if (!row || index < 0 || index >= row->item_count) return nullptr;
    return in_language(row->items[index], german);
}

const char* web_link(int control_id, int german) {
    const control_row* row = control_row_of(control_id);
    return row ? in_language(row->web_link, german) : nullptr;
}
