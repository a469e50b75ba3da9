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
    // One line for each sight condition that is set, in the same columns.
    if (r.eye_height != 0.0) {
        w.text("\r\n Augenhöhe:      ", "\r\n Eye Height:     ");
        w.number(r.eye_height, 10);
        w.text(" Kilometer ", " Kilometres ");
    }
    if (r.refraction != 0.0) {
        w.text("\r\n Refraktion k:   ", "\r\n Refraction k:   ");
        w.number(r.refraction, 10);
        w.plain(" ");
    }
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

// The rows of the fixed angle and the total height, after the figures.
void write_angle_and_total(report_writer& w, const curvature_result& r, const sight_values& v) {
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

void write_flat_section(report_writer& w, const curvature_result& r) {
    w.text("\r\n\r\n Ergebnis ohne Erdkrümmung wäre: \r\n (Gemäß Satz des Pythagoras) ",
           "\r\n\r\n Result without Earth's Curvature would be: \r\n (Accordant with the Pythagorean Theorem) ");
    write_figures(w, r.flat, false);
    write_angle_and_total(w, r, r.flat);
}

void write_curved_heading(report_writer& w) {
    w.text("\r\n\r\n Ergebnis unter Berücksichtigung der Erdkrümmung: ",
           "\r\n\r\n Result under Consideration of Earth's Curvature: ");
}

void write_warnings(report_writer& w, const curvature_result& r) {
    if (r.warned)
        w.text("\r\n Achtung! Unsinnige Werte weil außerhalb des Bereichs! ",
               "\r\n Attention! Absurd Value because out of Range! ");
    if (r.unsettled && r.curved.ground_distance > 0.01 && r.curved.ground_distance < 1e9) {
        w.text("\r\n Die Erdkrümmung beträgt bei ", "\r\n Earth's Curvature amounts correctly \r\n at ");
        w.number(r.curved.ground_distance, 5);
        w.text(" km Entfernung \r\n richtigerweise ", " km Distance ");
        w.number(r.check_hidden, 5);
        w.plain(kilometres_unit);
    }
    if (r.below_horizon)
        w.text("\r\n Die Höhe über dem Horizont ist negativ! ", "\r\n The Height over Horizon is negative! ");
}

// Difference of the first sight distance and the one given as the result.
void write_difference(report_writer& w, double first_sight, double result_sight) {
    const double difference = first_sight - result_sight;
    w.text("\r\n\r\n Differenz der Entfernung (in Kilometer):    ",
           "\r\n\r\n Difference of the Distance (in Kilometres): ");
    w.number(difference, 10);
    w.plain(kilometres_unit);
    w.text("\r\n Differenz der Entfernung (in Prozent):      ", "\r\n Difference of the Distance (in Percent):    ");
    w.number(difference * 100 / first_sight, 10);
    w.plain(" % ");
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
    write_difference(w, r.first_sight_distance, r.final_sight_distance);
}

// Where the passes settle on the model's answer: flat section, curved section
// with its warnings, closing section.
void write_settled(report_writer& w, const curvature_result& r) {
    write_flat_section(w, r);
    write_curved_heading(w);
    write_warnings(w, r);
    write_figures(w, r.curved, true);
    write_angle_and_total(w, r, r.curved);
    write_closing(w, r);
}

// Where the passes miss the model's answer by more than half the last printed
// digit, the answer the user reads first (within the box's first screen) is
// the model's exact one, and the closing section is measured from it; the
// passes' own figures and warnings follow, named as what they are.
void write_exact_first(report_writer& w, const curvature_result& r) {
    write_flat_section(w, r);
    write_curved_heading(w);
    w.text("\r\n (Exakte Lösung des Kugelmodells) ", "\r\n (Exact Solution of the Sphere Model) ");
    write_figures(w, r.exact, true);
    write_angle_and_total(w, r, r.exact);
    if (r.first_sight_distance > 0.1) write_difference(w, r.first_sight_distance, r.exact.sight_distance);
    // Named as the comparison it is, so that its odd figures are not read as a second answer.
    w.text("\r\n\r\n Durchläufe der Iteration, zum Vergleich (Ergebnis oben): ",
           "\r\n\r\n Passes of the Iteration, for Comparison (Answer above): ");
    write_warnings(w, r);
    write_figures(w, r.curved, true);
}

// With an eye height or refraction: the model's exact figures, named as
// such; the passes, which know neither, are not run.
void write_with_conditions(report_writer& w, const curvature_result& r) {
    if (r.top_not_above_eye) {
        w.text("\r\n\r\n Die Spitze liegt nicht über der Augenhöhe: kein Winkel darüber sieht sie. ",
               "\r\n\r\n The Top is not above the Eye Height: no Angle above the Horizontal sees it. ");
        return;
    }
    write_flat_section(w, r);
    write_curved_heading(w);
    w.text("\r\n (Exakte Lösung mit Augenhöhe und Refraktion) ",
           "\r\n (Exact Solution with Eye Height and Refraction) ");
    write_figures(w, r.curved, true);
    write_angle_and_total(w, r, r.curved);
    write_closing(w, r);
}

}  // namespace

void compose_curvature_report(const curvature_result& result, int german, char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    copy_text(buffer, capacity, "\r\n ");
    report_writer w{buffer, capacity, german, text_length(buffer)};
    write_head(w, result);
    if (result.conditions_set)
        write_with_conditions(w, result);
    else if (result.inexact)
        write_exact_first(w, result);
    else
        write_settled(w, result);
    w.plain("\r\n");
}
