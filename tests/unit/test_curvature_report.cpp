#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>

#include "calc/curvature_report.h"
#include "calc/field_reading.h"
#include "app/dialog_choices.h"
#include "tests/expected/main_dialog_texts.h"
#include "tests/expected/start_report.h"

namespace {

std::string report(int kilometres, int metres, int degrees, int minutes, measure_mode mode, int german) {
    char buffer[report_buffer_size];
    std::memset(buffer, '#', sizeof buffer);
    compose_curvature_report(compute_curvature(kilometres, metres, degrees, minutes, mode), german, buffer,
                             report_buffer_size);
    return buffer;
}

// Lines joined by CR LF, with the CR LF behind the last one.
std::string lines(std::initializer_list<const char*> list) {
    std::string text;
    for (const char* line : list) text += std::string(line) + "\r\n";
    return text;
}

bool contains(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

}  // namespace

// The start report as the end-to-end drivers expect it on screen.
TEST(CurvatureReport, StartValuesHeightModeInBothLanguages) {
    EXPECT_EQ(report(85, 0, 15, 0, mode_height, 0), english_start_report);
    EXPECT_EQ(report(85, 0, 15, 0, mode_height, 1), german_start_report);
}

TEST(CurvatureReport, GermanStartValuesDistanceMode) {
    const std::string expected = lines({
        "",
        " Entfernung:         85,000 Kilometer ",
        " Höhenwinkel:        15,000 Grad ",
        "",
        " Ergebnis ohne Erdkrümmung wäre: ",
        " (Gemäß Satz des Pythagoras) ",
        "",
        " Entfernung entlang der Erdoberfläche:           82,104 km ",
        " Entfernung vom Beobachter bis zum Objekt:       85,000 km ",
        " Höhe über dem Horizont sichtbar:                22,000 km ",
        " Höhe durch Erdkrümmung verdeckt:                 0,000 km ",
        " Höhenwinkel (ist vorgegeben):                   15,000 Grad ",
        " Höhe gesamt:                                    22,000 km ",
        "",
        " Ergebnis unter Berücksichtigung der Erdkrümmung: ",
        "",
        " Entfernung entlang der Tangentialebene:         82,104 km ",
        " Entfernung vom Beobachter bis zum Objekt:       85,000 km ",
        " Höhe über dem Horizont sichtbar:                22,000 km ",
        " Höhe durch Erdkrümmung verdeckt:                 0,528 km ",
        " Höhenwinkel (ist vorgegeben):                   15,000 Grad ",
        " Höhe gesamt:                                    22,528 km ",
        "",
        " Die Ergebnisse sind gleich, weil sich die Erdkrümmung ",
        " nicht auf die Entfernung vom Beobachter zum Objekt ",
        " auswirkt, sondern nur auf die Höhe des Objektes. ",
    });
    const std::string actual = report(85, 0, 15, 0, mode_distance, 1);
    EXPECT_EQ(actual, expected);
    // Umlauts are single Windows-1252 bytes.
    EXPECT_TRUE(contains(actual, " H\xF6henwinkel:"));
}

TEST(CurvatureReport, WarnedPassesFollowTheExactAnswerWithTheirWarnings) {
    const std::string english = report(1, 500, 0, 30, mode_height, 0);
    EXPECT_TRUE(contains(english, lines({
                                      " Difference of the Distance (in Percent):        45.634 % ",
                                      "",
                                      " Passes of the Iteration, for Comparison (Answer above): ",
                                      " Attention! Absurd Value because out of Range! ",
                                      " Earth's Curvature amounts correctly ",
                                      " at 77.159 km Distance 0.467 km ",
                                      " The Height over Horizon is negative! ",
                                      "",
                                      " Distance along the Tangent Plane:               77.159 km ",
                                      " Distance from the Observer to the Object:      -77.162 km ",
                                      " Height over Horizon visible:                    -0.673 km ",
                                      " Height hidden through Earth's Curvature:         2.173 km ",
                                  })));
    // The passes close the report; the flat section carries no warning.
    const std::string last_line = " Height hidden through Earth's Curvature:         2.173 km \r\n";
    EXPECT_EQ(english.substr(english.size() - last_line.size()), last_line);
    EXPECT_TRUE(contains(english, " Distance along Earth's Surface:                171.883 km "));
    EXPECT_EQ(english.find("Attention"), english.rfind("Attention"));

    const std::string german = report(1, 500, 0, 30, mode_height, 1);
    EXPECT_TRUE(contains(german, lines({
                                     " Durchläufe der Iteration, zum Vergleich (Ergebnis oben): ",
                                     " Achtung! Unsinnige Werte weil außerhalb des Bereichs! ",
                                     " Die Erdkrümmung beträgt bei 77,159 km Entfernung ",
                                     " richtigerweise 0,467 km ",
                                     " Die Höhe über dem Horizont ist negativ! ",
                                 })));
}

// Where the passes miss the model by more than half a printed digit, the
// curved section gives its exact figures and the closing section follows
// them, all within the box's first 27 lines; the passes come last. 8 km 848 m
// at 1 degree: the passes run away (printed as 0.000), the model has an answer.
TEST(CurvatureReport, FarOffReportGivesTheExactSolutionFirst) {
    const std::string text = report(8, 848, 1, 0, mode_height, 0);  // from the curved section on
    EXPECT_EQ(text.substr(text.find(" Result under")), lines({
        " Result under Consideration of Earth's Curvature: ",
        " (Exact Solution of the Sphere Model) ",
        "",
        " Distance along the Tangent Plane:              242.623 km ",
        " Distance from the Observer to the Object:      242.660 km ",
        " Height over Horizon visible:                     4.235 km ",
        " Height hidden through Earth's Curvature:         4.613 km ",
        " Height Angle (is fixed):                         1.000 Degree ",
        " Height total (is fixed):                         8.848 km ",
        "",
        " Difference of the Distance (in Kilometres):    264.319 km ",
        " Difference of the Distance (in Percent):        52.136 % ",
        "",
        " Passes of the Iteration, for Comparison (Answer above): ",
        " Attention! Absurd Value because out of Range! ",
        " The Height over Horizon is negative! ",
        "",
        " Distance along the Tangent Plane:                0.000 km ",
        " Distance from the Observer to the Object:        0.000 km ",
        " Height over Horizon visible:                     0.000 km ",
        " Height hidden through Earth's Curvature:         0.000 km ",
    }));
    EXPECT_TRUE(contains(report(8, 848, 1, 0, mode_height, 1),
                         " (Exakte Lösung des Kugelmodells) \r\n\r\n Entfernung entlang der Tangentialebene:        "
                         "242,623 km "));
    // 20 km at 3 degrees: 206 m off, which the settling test cannot see, so
    // the warning comes from the comparison.
    EXPECT_TRUE(contains(report(20, 0, 3, 0, mode_height, 0),
                         " (Answer above): \r\n Attention! Absurd Value because out of Range! \r\n\r\n"));
}

// 23 m off at 50 km and 5 degrees, without any warning.
TEST(CurvatureReport, InexactReportGivesTheExactSolutionFirst) {
    EXPECT_TRUE(contains(report(50, 0, 5, 0, mode_height, 1), lines({
        " Ergebnis unter Berücksichtigung der Erdkrümmung: ",
        " (Exakte Lösung des Kugelmodells) ",
        "",
        " Entfernung entlang der Tangentialebene:        416,346 km ",
        " Entfernung vom Beobachter bis zum Objekt:      417,936 km ",
        " Höhe über dem Horizont sichtbar:                36,426 km ",
        " Höhe durch Erdkrümmung verdeckt:                13,574 km ",
        " Höhenwinkel (ist vorgegeben):                    5,000 Grad ",
        " Höhe gesamt (ist vorgegeben):                   50,000 km ",
        "",
        " Differenz der Entfernung (in Kilometer):       155,750 km ",
        " Differenz der Entfernung (in Prozent):          27,149 % ",
        "",
        " Durchläufe der Iteration, zum Vergleich (Ergebnis oben): ",
    })));
    EXPECT_TRUE(contains(report(50, 0, 5, 0, mode_height, 0),
                         " (Exact Solution of the Sphere Model) \r\n\r\n Distance along the Tangent Plane:              "
                         "416.346 km "));
}

TEST(CurvatureReport, UnsettledAboveHorizonHasNoNegativeHeightRow) {
    const std::string text = report(100, 0, 5, 0, mode_height, 0);
    EXPECT_TRUE(contains(text, " Attention! Absurd Value because out of Range! \r\n Earth's Curvature amounts correctly "));
    EXPECT_TRUE(contains(text, " km Distance 101.558 km \r\n\r\n Distance along the Tangent Plane:"));
    EXPECT_FALSE(contains(text, "negative"));
    EXPECT_TRUE(contains(text, " (in Kilometres):    442.348 km "));
    // The corrected row needs a curved ground distance above 0.01 km and below 1e9 km.
    const struct { double ground; const char* figure; } rows[] = {
        {0.01, nullptr}, {0.0099950, nullptr}, {0.0100050, "0.010"}, {1.25, "1.250"},
        {0.9995e9, "999500000.000"}, {1e9, nullptr}, {1.0005e9, nullptr}};
    for (const auto& row : rows) {
        curvature_result r = compute_curvature(100, 0, 5, 0, mode_height);
        r.curved.ground_distance = row.ground;
        r.check_hidden = 0.25;
        char buffer[report_buffer_size];
        compose_curvature_report(r, 0, buffer, report_buffer_size);
        EXPECT_EQ(contains(buffer, row.figure ? std::string("amounts correctly \r\n at ") + row.figure +
                                                    " km Distance 0.250 km " : "amounts"), row.figure != nullptr)
            << row.ground;
    }
}

TEST(CurvatureReport, ClosingSectionBoundary) {
    // First sight distance exactly 0.1 km: not above 0.1, so no closing words.
    const std::string at_boundary = report(0, 100, 45, 0, mode_distance, 0);
    EXPECT_FALSE(contains(at_boundary, "The Results are equal"));
    const std::string last_line = " Height total:                                    0.071 km \r\n";
    EXPECT_EQ(at_boundary.substr(at_boundary.size() - last_line.size()), last_line);

    const std::string above = report(0, 101, 45, 0, mode_distance, 0);
    EXPECT_TRUE(contains(above, "\r\n\r\n The Results are equal because Earth's curvature \r\n doesn't affect to the "
                                "Distance from the Observer \r\n to the Object but only to the Height of the Object. "
                                "\r\n"));

    const std::string height = report(0, 100, 45, 0, mode_height, 0);
    EXPECT_TRUE(contains(height, lines({
                                     "",
                                     " Difference of the Distance (in Kilometres):      0.000 km ",
                                     " Difference of the Distance (in Percent):         0.001 % ",
                                 })));
    const std::string german = report(0, 100, 45, 0, mode_height, 1);
    EXPECT_TRUE(contains(german, lines({
                                     "",
                                     " Differenz der Entfernung (in Kilometer):         0,000 km ",
                                     " Differenz der Entfernung (in Prozent):           0,001 % ",
                                 })));
}

TEST(CurvatureReport, LongNumbersPushTheLineInsteadOfBeingCut) {
    // 99999 km at 0.01 degrees: a flat ground distance far beyond the field width.
    const std::string text = report(99999, 0, 0, 0, mode_height, 0);
    EXPECT_TRUE(contains(text, "\r\n Distance along Earth's Surface:             572952059.735 km \r\n")) << text;
    EXPECT_TRUE(contains(text, "\r\n Distance from the Observer to the Object:   572952068.462 km \r\n")) << text;
}

TEST(CurvatureReport, RunawayFiguresBeyondTheFormatterRangePrintAsZero) {
    const curvature_result r = compute_curvature(0, 0, 0, 0, mode_height);
    ASSERT_GT(std::fabs(r.curved.sight_distance), 2147483640.0);
    const std::string text = report(0, 0, 0, 0, mode_height, 0);
    const std::string curved = text.substr(text.find("Result under"));
    EXPECT_TRUE(contains(curved, "\r\n Distance from the Observer to the Object:        0.000 km \r\n")) << curved;
}

// A field's text is read whole: a pasted separator, sign, unit or blank
// makes it no number at all, never the number before it.
TEST(CurvatureReport, FieldTextIsAWholeNumberOrUnread) {
    const struct { const char* text; bool read; int value; } rows[] = {
        {"", true, 0}, {"0", true, 0}, {"85", true, 85}, {"99999", true, 99999}, {"007", true, 7},
        {"2147483648", true, 2147483647}, {"99999999999999999999", true, 2147483647},
        {"1,5", false, -5}, {"1.5", false, -5}, {"3 km", false, -5}, {"-2", false, -5}, {"+2", false, -5},
        {" 12", false, -5}, {"12ab", false, -5}, {"\xB2", false, -5}};
    for (const auto& row : rows) {
        int value = -5;
        EXPECT_EQ(read_whole_number(row.text, value), row.read) << row.text;
        EXPECT_EQ(value, row.value) << row.text;
    }
    char buffer[report_buffer_size];
    const bool degrees_and_minutes[input_field_count] = {false, false, true, true};
    compose_unreadable_report(degrees_and_minutes, 1, buffer, report_buffer_size);
    EXPECT_EQ(std::string(buffer).find("\r\n Feld Grad: keine ganze Zahl, daher keine Ergebnisse. \r\n Feld Minuten: "),
              0u);
    const bool kilometres[input_field_count] = {true, false, false, false};
    compose_unreadable_report(kilometres, 0, buffer, report_buffer_size);
    EXPECT_STREQ(buffer, expected_kilometres_unread);
    const bool eye_height[input_field_count] = {false, false, false, false, true};
    for (int german : {1, 0}) {
        compose_unreadable_report(eye_height, german, buffer, report_buffer_size);
        EXPECT_EQ(std::string(buffer).find(german ? "\r\n Feld Augenhöhe: keine ganze Zahl, daher keine Ergebnisse. \r\n\r\n"
                                                  : "\r\n Eye Height field: no whole number, so no results. \r\n\r\n"),
                  0u) << german;
    }
}

TEST(CurvatureReport, LengthLabelAndOutputFont) {
    for (measure_mode mode : {mode_height, mode_distance}) {
        EXPECT_STREQ(length_label_text(mode, 1), expected_length_labels[mode == mode_distance].german);
        EXPECT_STREQ(length_label_text(mode, 0), expected_length_labels[mode == mode_distance].english);
    }
    EXPECT_STREQ(length_label_text(mode_distance, 7), expected_length_labels[1].german);  // any non-zero flag is German

    EXPECT_EQ(output_font_stock_object(0), 13);  // SYSTEM_FONT
    EXPECT_EQ(output_font_stock_object(1), 11);  // ANSI_FIXED_FONT
    EXPECT_EQ(output_font_stock_object(2), 17);  // DEFAULT_GUI_FONT
    EXPECT_EQ(output_font_stock_object(3), 16);  // SYSTEM_FIXED_FONT
    EXPECT_EQ(output_font_stock_object(4), 13);
    EXPECT_EQ(output_font_stock_object(-1), 13);
    // The font button walks the indexes round: 1, 2, 3, 0, 1.
    EXPECT_EQ(next_output_font_index(1) * 1000 + next_output_font_index(2) * 100 + next_output_font_index(3) * 10 + next_output_font_index(0), 2301);

    // The fixed-pitch default at 9 points on every scale; the others copied
    // only for a dialog on a screen of another scale.
    const struct { int index, stock_height, system_dpi, dialog_dpi; output_font_kind kind; int height; } rows[] = {
        {1, 12, 96, 0, output_font_stock, 0},       {1, 12, 192, 0, output_font_stand_in, 24},
        {1, 12, 120, 0, output_font_stand_in, 15},  {1, 16, 120, 0, output_font_stock, 0},
        {1, 12, 96, 144, output_font_stand_in, 18}, {1, 12, 96, 96, output_font_stock, 0},
        {2, 11, 96, 144, output_font_scaled_copy, 0}, {2, 22, 192, 0, output_font_stock, 0},
        {0, 16, 96, 96, output_font_stock, 0},      {1, 11, 96, 0, output_font_stock, 0},
        {1, 12, 480, 0, output_font_stand_in, 60}};  // a pixel short is near enough; 60.5 px rounds down
    for (const auto& row : rows) {
        const output_font_choice choice = choose_output_font(row.index, row.stock_height, row.system_dpi, row.dialog_dpi);
        EXPECT_EQ(choice.kind, row.kind) << row.index << " " << row.system_dpi << " " << row.dialog_dpi;
        if (row.kind == output_font_stand_in) {
            EXPECT_EQ(choice.height, row.height) << row.system_dpi;
            EXPECT_STREQ(choice.face, "Courier New");
        }
    }
    // 27 whole lines in the box: a pixel smaller where it holds fewer.
    EXPECT_EQ(choose_output_font(1, 12, 144, 0, 18 * 27 - 1).height * 100 + choose_output_font(1, 12, 144, 0, 18 * 27).height, 1718);
    EXPECT_EQ(choose_output_font(1, 16, 120, 0, 16 * 27 - 1).kind, output_font_stand_in);
    EXPECT_EQ(choose_output_font(1, 12, 96, 0, 12 * 27).kind, output_font_stock);
}

TEST(CurvatureReport, SmallBufferIsCutNotOverrun) {
    const curvature_result r = compute_curvature(85, 0, 15, 0, mode_height);
    const std::string whole = report(85, 0, 15, 0, mode_height, 0);
    for (int capacity : {1, 2, 3, 10, 100, 555}) {
        char buffer[600];
        std::memset(buffer, '#', sizeof buffer);
        compose_curvature_report(r, 0, buffer, capacity);
        EXPECT_EQ(std::string(buffer), whole.substr(0, capacity - 1)) << capacity;
        EXPECT_EQ(buffer[capacity], '#') << capacity;
    }
    char none = '#';  // no room, not even for a terminator: not read, not written
    compose_curvature_report(r, 0, &none, 0);
    EXPECT_EQ(none, '#');
}

namespace {

int count_line_breaks(const char* text) {
    int count = 0;
    for (const char* at = text; *at != '\0'; ++at)
        if (at[0] == '\r' && at[1] == '\n') ++count;
    return count;
}

// Line breaks the row conditions call for: opening, head, flat section,
// curved section with its optional rows, closing section, the passes' figures
// where the exact ones come first, trailing.
int expected_line_breaks(const curvature_result& r) {
    int count = 1 + 1 + 10 + 9;
    if (r.warned) count += 1;
    if (r.unsettled && r.curved.ground_distance > 0.01 && r.curved.ground_distance < 1e9) count += 2;
    if (r.below_horizon) count += 1;
    if (r.inexact) count += 1 + 7;
    const bool closing = (r.inexact || !r.warned) && r.first_sight_distance > 0.1;
    if (closing) count += r.mode == mode_distance ? 4 : 3;
    return count + 1;
}

// In Height mode: no total height of 0 for an entered height (at least 1 m),
// and the answer (all before the passes' own figures) without a warning (each
// ends in "!") and within the 27 lines the box shows at first.
bool answer_shown_first(const std::string& text, measure_mode mode) {
    if (mode != mode_height) return true;
    const std::string answer =
        text.substr(0, std::min(text.find("\r\n\r\n Passes of the"), text.find("\r\n\r\n Durchl\xE4ufe der")));
    return !contains(text, "(is fixed):                         0.000 km") &&
           !contains(text, "(ist vorgegeben):                    0,000 km") && !contains(answer, "!") &&
           count_line_breaks(answer.c_str()) <= 26;
}

bool has_no_float_words(const char* text) {
    for (const char* word : {"nan", "NaN", "NAN", "inf", "INF", "Inf"})
        if (std::strstr(text, word) != nullptr) return false;
    return true;
}

testing::AssertionResult check_report(int km_in, int m_in, int deg_in, int min_in, measure_mode mode, int german) {
    const curvature_result r = compute_curvature(km_in, m_in, deg_in, min_in, mode);
    // Guard bytes behind the report buffer catch any write past its end.
    char buffer[report_buffer_size + 16];
    std::memset(buffer + report_buffer_size, '#', 16);
    compose_curvature_report(r, german, buffer, report_buffer_size);
    const int length = static_cast<int>(std::strlen(buffer));
    const char* fault = nullptr;
    if (std::memcmp(buffer + report_buffer_size, "################", 16) != 0)
        fault = "write past the buffer";
    else if (length >= 2048)
        fault = "report of 2048 bytes or more";
    else if (std::memcmp(buffer, "\r\n ", 3) != 0 || std::memcmp(buffer + length - 3, " \r\n", 3) != 0)
        fault = "opening or trailing line break missing";
    else if (!has_no_float_words(buffer))
        fault = "not-a-number or infinity text";
    else if (count_line_breaks(buffer) != expected_line_breaks(r))
        fault = "rows do not follow the flags";
    else if (!answer_shown_first(buffer, mode))
        fault = "answer not first, or a total of 0, or a warning in it";
    else if (!(std::isfinite(r.curved.sight_distance) && std::isfinite(r.curved.visible_height) &&
               std::isfinite(r.check_hidden) && std::isfinite(r.final_sight_distance)))
        fault = "figure not finite";
    else if (!(r.length >= 0.001 && r.length <= 100000.0 && r.angle >= 0.01 && r.angle <= 89.99))
        fault = "length or angle outside its clamp";
    if (fault == nullptr) return testing::AssertionSuccess();
    return testing::AssertionFailure() << fault << " for " << km_in << " km " << m_in << " m " << deg_in
                                       << " deg " << min_in << " min, mode " << mode << ", german " << german
                                       << ":\n" << buffer;
}

}  // namespace

// Every kind of value the four fields can hold (an empty field reads as 0),
// both modes and both languages: a defined, bounded report each time. The
// sanitizer build runs this too.
TEST(CurvatureReport, InputGridGivesDefinedReports) {
    const int kilometres[] = {0, 1, 2, 5, 10, 85, 100, 999, 6378, 10000, 12756, 50000, 99998, 99999};
    const int metres[] = {0, 1, 99, 100, 500, 999};
    const int minutes[] = {0, 1, 15, 29, 30, 31, 45, 59, 60, 61, 99};
    for (int km_in : kilometres)
        for (int m_in : metres)
            for (int deg = 0; deg <= 99; ++deg)
                for (int min : minutes)
                    for (measure_mode mode : {mode_height, mode_distance})
                        for (int german = 0; german <= 1; ++german) {
                            ASSERT_TRUE(check_report(km_in, m_in, deg, min, mode, german));
                        }
}

TEST(CurvatureReport, OddFieldValuesGiveDefinedReports) {
    // What a field can yield for text that is not an unsigned number, or for
    // a number of 2^31 or more taken as signed.
    const int odd[] = {0, -1, -999, 100000, 2147483647, -2147483647 - 1, 123456789};
    for (int a : odd)
        for (int b : odd)
            for (int c : odd)
                for (int d : odd)
                    for (measure_mode mode : {mode_height, mode_distance}) {
                        ASSERT_TRUE(check_report(a, b, c, d, mode, 0));
                    }
}

// With an eye height or refraction: a head line for each, the model's exact
// figures named as such, no passes, the closing section as always.
TEST(CurvatureReport, EyeHeightAndRefractionGiveTheModelsExactFigures) {
    char buffer[report_buffer_size];
    const curvature_result r = compute_curvature(85, 0, 15, 0, mode_height, {2, refraction_gauss});
    compose_curvature_report(r, 0, buffer, report_buffer_size);
    EXPECT_EQ(std::string(buffer), lines({
                                       "",
                                       " Height:             85.000 Kilometres ",
                                       " Height Angle:       15.000 Degree ",
                                       " Eye Height:          0.002 Kilometres ",
                                       " Refraction k:        0.130 ",
                                       "",
                                       " Result without Earth's Curvature would be: ",
                                       " (Accordant with the Pythagorean Theorem) ",
                                       "",
                                       " Distance along Earth's Surface:                317.217 km ",
                                       " Distance from the Observer to the Object:      328.407 km ",
                                       " Height over Horizon visible:                    85.000 km ",
                                       " Height hidden through Earth's Curvature:         0.000 km ",
                                       " Height Angle (is fixed):                        15.000 Degree ",
                                       " Height total (is fixed):                        85.000 km ",
                                       "",
                                       " Result under Consideration of Earth's Curvature: ",
                                       " (Exact Solution with Eye Height and Refraction) ",
                                       "",
                                       " Distance along the Tangent Plane:              295.065 km ",
                                       " Distance from the Observer to the Object:      305.474 km ",
                                       " Height over Horizon visible:                    79.280 km ",
                                       " Height hidden through Earth's Curvature:         5.720 km ",
                                       " Height Angle (is fixed):                        15.000 Degree ",
                                       " Height total (is fixed):                        85.000 km ",
                                       "",
                                       " Difference of the Distance (in Kilometres):     22.933 km ",
                                       " Difference of the Distance (in Percent):         6.983 % ",
                                   }));
    // German, one value set at a time, each choice of k by its figure.
    const struct {
        sight_conditions set;
        const char* line;
    } heads[] = {
        {{9999, refraction_none}, "\r\n Augenh\xF6he:           9,999 Kilometer \r\n\r\n"},
        {{0, refraction_0142}, "\r\n H\xF6henwinkel:         0,500 Grad \r\n Refraktion k:        0,142 \r\n\r\n"},
        {{0, refraction_020}, "\r\n Refraktion k:        0,200 \r\n\r\n"},
    };
    for (const auto& h : heads) {
        compose_curvature_report(compute_curvature(20, 0, 0, 30, mode_distance, h.set), 1, buffer, report_buffer_size);
        EXPECT_TRUE(contains(buffer, h.line)) << h.line;
        EXPECT_TRUE(contains(buffer, "\r\n (Exakte L\xF6sung mit Augenh\xF6he und Refraktion) \r\n")) << h.line;
        EXPECT_TRUE(contains(buffer, "auswirkt, sondern nur auf die H\xF6he des Objektes. \r\n")) << h.line;
    }
}

// A top no higher than the eye: one line, no figures, in both languages.
TEST(CurvatureReport, TopNotAboveTheEyeSaysSoInOneLine) {
    char buffer[report_buffer_size];
    const curvature_result r = compute_curvature(0, 2, 0, 30, mode_height, {2, refraction_none});
    EXPECT_TRUE(r.top_not_above_eye);
    EXPECT_FALSE(compute_curvature(0, 3, 0, 30, mode_height, {2, refraction_none}).top_not_above_eye);
    compose_curvature_report(r, 0, buffer, report_buffer_size);
    EXPECT_EQ(std::string(buffer).substr(std::string(buffer).find(" Eye Height:")),
              " Eye Height:          0.002 Kilometres \r\n\r\n"
              " The Top is not above the Eye Height: no Angle above the Horizontal sees it. \r\n");
    compose_curvature_report(r, 1, buffer, report_buffer_size);
    EXPECT_TRUE(contains(buffer, "\r\n\r\n Die Spitze liegt nicht \xFC"
                                 "ber der Augenh\xF6he: kein Winkel dar\xFC"
                                 "ber sieht sie. \r\n"));
    EXPECT_FALSE(contains(buffer, " km "));
}
