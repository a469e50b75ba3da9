#include "calc/curvature_report.h"

#include "calc/format.h"
#include "calc/text.h"

namespace {

// One report under construction. It remembers where the text ends, so each
// piece is appended without scanning the report from its start again; every
// piece is bounded by the room that is left.
struct report_writer {
    char* buffer;
    int capacity;
    int german;
    int used;

    void plain(const char* piece) {
        append_text(buffer + used, capacity - used, piece);
        used += text_length(buffer + used);
    }
    void text(const char* german_text, const char* english_text) { plain(german != 0 ? german_text : english_text); }
    void number(double value, int width) {
        char digits[number_buffer_size];
        format_fixed(value, digits, width, german, 3);
        plain(digits);
    }
};

const char* const kilometres_unit = " km ";

void write_head(report_writer& w, const curvature_result& r) {
    if (r.mode == mode_distance)
        w.text("Entfernung:     ", "Distance:       ");
    else
        w.text("Höhe:           ", "Height:         ");
    w.number(r.length, 10);
    w.text(" Kilometer ", " Kilometres ");
    w.text("\r\n Höhenwinkel:    ", "\r\n Height Angle:   ");
    w.number(r.angle, 10);
    w.text(" Grad ", " Degree ");
}

// Rows of ground distance, sight distance, visible and hidden height.
void write_figures(report_writer& w, const sight_values& v, bool curved) {
    if (!curved)
        w.text("\r\n\r\n Entfernung entlang der Erdoberfläche:       ",
               "\r\n\r\n Distance along Earth's Surface:             ");
    else
        w.text("\r\n\r\n Entfernung entlang der Tangentialebene:     ",
               "\r\n\r\n Distance along the Tangent Plane:           ");
    w.number(v.ground_distance, 10);
    w.plain(kilometres_unit);
    w.text("\r\n Entfernung vom Beobachter bis zum Objekt:   ", "\r\n Distance from the Observer to the Object:   ");
    w.number(v.sight_distance, 10);
    w.plain(kilometres_unit);
    w.text("\r\n Höhe über dem Horizont sichtbar:            ", "\r\n Height over Horizon visible:                ");
    w.number(v.visible_height, 10);
    w.plain(kilometres_unit);
    w.text("\r\n Höhe durch Erdkrümmung verdeckt:            ", "\r\n Height hidden through Earth's Curvature:    ");
    w.number(v.hidden_height, 10);
    w.plain(kilometres_unit);
}

void write_section(report_writer& w, const curvature_result& r, bool curved) {
    const sight_values& v = curved ? r.curved : r.flat;
    if (!curved) {
        w.text("\r\n\r\n Ergebnis ohne Erdkrümmung wäre: \r\n (Gemäß Satz des Pythagoras) ",
               "\r\n\r\n Result without Earth's Curvature would be: \r\n (Accordant with the Pythagorean Theorem) ");
    } else {
        w.text("\r\n\r\n Ergebnis unter Berücksichtiung der Erdkrümmung: ",
               "\r\n\r\n Result under Consideration of Earth's Curvature: ");
        if (r.warned)
            w.text("\r\n Achtung! Unsinnige Werte weil außerhalb des Bereichs! ",
                   "\r\n Attention! Absurd Value because out of Range! ");
        if (r.unsettled && v.ground_distance > 0.01 && v.ground_distance < 1e9) {
            w.text("\r\n Die Erdkrümmung beträgt bei ", "\r\n Earth's Curvature amounts correctly \r\n at ");
            w.number(v.ground_distance, 5);
            w.text(" km Entfernung \r\n richtigerweise ", " km Distance ");
            w.number(r.check_hidden, 5);
            w.plain(kilometres_unit);
        }
        if (r.below_horizon)
            w.text("\r\n Die Höhe über dem Horizont ist negativ! ", "\r\n The Height over Horizon is negative! ");
    }
    write_figures(w, v, curved);
    w.text("\r\n Höhenwinkel (ist vorgegeben):               ", "\r\n Height Angle (is fixed):                    ");
    w.number(r.angle, 10);
    w.text(" Grad ", " Degree ");
    if (r.mode == mode_distance)
        w.text("\r\n Höhe gesamt:                                ", "\r\n Height total:                               ");
    else
        w.text("\r\n Höhe gesamt (ist vorgegeben):               ", "\r\n Height total (is fixed):                    ");
    w.number(v.total_height, 10);
    w.plain(kilometres_unit);
}

// Where the passes miss the model's own answer by more than half the last
// printed digit, its exact figures follow the curved section.
void write_exact(report_writer& w, const curvature_result& r) {
    if (!r.inexact) return;
    w.text("\r\n\r\n Exakte Lösung des Kugelmodells: ", "\r\n\r\n Exact solution of the sphere model: ");
    write_figures(w, r.exact, true);
}

void write_closing(report_writer& w, const curvature_result& r) {
    if (r.warned || !(r.first_sight_distance > 0.1)) return;
    if (r.mode == mode_distance) {
        w.text("\r\n\r\n Die Ergebnisse sind gleich, weil sich die Erdkrümmung \r\n nicht auf die Entfernung vom "
               "Beobachter zum Objekt \r\n auswirkt, sondern nur auf die Höhe des Objektes. ",
               "\r\n\r\n The Results are equal because Earth's curvature \r\n doesn't affect to the Distance from "
               "the Observer \r\n to the Object but only to the Height of the Object. ");
        return;
    }
    const double difference = r.first_sight_distance - r.final_sight_distance;
    w.text("\r\n\r\n Differenz der Entfernung (in Kilometer):    ",
           "\r\n\r\n Difference of the Distance (in Kilometres): ");
    w.number(difference, 10);
    w.plain(kilometres_unit);
    w.text("\r\n Differenz der Entfernung (in Prozent):      ", "\r\n Difference of the Distance (in Percent):    ");
    w.number(difference * 100 / r.first_sight_distance, 10);
    w.plain(" % ");
}

}  // namespace

void compose_curvature_report(const curvature_result& result, int german, char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    copy_text(buffer, capacity, "\r\n ");
    report_writer w{buffer, capacity, german, text_length(buffer)};
    write_head(w, result);
    write_section(w, result, false);
    write_section(w, result, true);
    write_exact(w, result);
    write_closing(w, result);
    w.plain("\r\n");
}

const char* length_label_text(measure_mode mode, int german) {
    if (mode == mode_distance) return german != 0 ? "Entfernung:" : "Distance:";
    return german != 0 ? "Höhe:" : "Height:";
}

int output_font_stock_object(int output_font_index) {
    // Values as GetStockObject takes them: ANSI_FIXED_FONT, DEFAULT_GUI_FONT,
    // SYSTEM_FIXED_FONT, SYSTEM_FONT.
    switch (output_font_index) {
    case 1: return 11;
    case 2: return 17;
    case 3: return 16;
    default: return 13;
    }
}
