#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/curvature.h"
#include "calc/format.h"
#include "tests/expected/start_report.h"

namespace {

// A figure as the report prints it, to three decimals.
std::string km(double value) {
    char out[number_buffer_size];
    format_fixed(value, out, 0, 0, 3);
    return out;
}

// The figure behind `label` in the start report, searched from the line
// that begins `section`: the flat and the curved section share labels.
std::string start_figure(const char* section, const char* label) {
    const std::string text = english_start_report;
    const std::size_t at = text.find(label, text.find(section));
    if (at == std::string::npos) return "<no label>";
    const std::size_t from = text.find_first_not_of(' ', at + std::string(label).size());
    return text.substr(from, text.find(' ', from) - from);
}

const char* const flat = " Result without";
const char* const curved = " Result under";

}  // namespace

TEST(Curvature, StartValuesHeightMode) {
    const curvature_result r = compute_curvature(85, 0, 15, 0, mode_height);
    EXPECT_EQ(r.mode, mode_height);
    EXPECT_EQ(r.length, 85.0);
    EXPECT_EQ(r.angle, 15.0);
    EXPECT_EQ(km(r.flat.ground_distance), start_figure(flat, "Distance along Earth's Surface:"));
    EXPECT_EQ(km(r.flat.sight_distance), start_figure(flat, "to the Object:"));
    EXPECT_EQ(km(r.flat.visible_height), start_figure(flat, "Horizon visible:"));
    EXPECT_EQ(r.flat.hidden_height, 0.0);
    EXPECT_EQ(km(r.curved.ground_distance), start_figure(curved, "Tangent Plane:"));
    EXPECT_EQ(km(r.curved.sight_distance), start_figure(curved, "to the Object:"));
    EXPECT_EQ(km(r.curved.visible_height), start_figure(curved, "Horizon visible:"));
    EXPECT_EQ(km(r.curved.hidden_height), start_figure(curved, "through Earth's Curvature:"));
    EXPECT_EQ(km(r.curved.total_height), start_figure(curved, "Height total (is fixed):"));
    EXPECT_FALSE(r.unsettled);
    EXPECT_FALSE(r.below_horizon);
    EXPECT_FALSE(r.warned);
    EXPECT_EQ(km(r.first_sight_distance), start_figure(flat, "to the Object:"));
    EXPECT_EQ(r.first_sight_distance, r.flat.sight_distance);
    EXPECT_EQ(km(r.final_sight_distance), start_figure(curved, "to the Object:"));
    // Settled: the last update moves the sight distance by far less than a metre.
    EXPECT_LT(std::fabs(r.final_sight_distance - r.curved.sight_distance), 1e-6);
    // The passes have met the model's exact answer.
    EXPECT_LT(r.off, 1e-9);
    EXPECT_FALSE(r.inexact);
    EXPECT_EQ(km(r.exact.ground_distance), start_figure(curved, "Tangent Plane:"));
}

TEST(Curvature, StartValuesDistanceMode) {
    const curvature_result r = compute_curvature(85, 0, 15, 0, mode_distance);
    EXPECT_EQ(r.mode, mode_distance);
    EXPECT_EQ(km(r.flat.ground_distance), "82.104");
    EXPECT_EQ(km(r.flat.sight_distance), "85.000");
    EXPECT_EQ(km(r.flat.visible_height), "22.000");
    EXPECT_NEAR(r.flat.visible_height, 21.9996, 5e-5);
    EXPECT_EQ(km(r.flat.hidden_height), "0.000");
    EXPECT_EQ(km(r.flat.total_height), "22.000");
    EXPECT_EQ(km(r.curved.ground_distance), "82.104");
    EXPECT_EQ(km(r.curved.sight_distance), "85.000");
    EXPECT_EQ(km(r.curved.visible_height), "22.000");
    EXPECT_EQ(km(r.curved.hidden_height), "0.528");
    EXPECT_EQ(km(r.curved.total_height), "22.528");
    EXPECT_FALSE(r.warned);
    EXPECT_EQ(r.final_sight_distance, 85.0);
    EXPECT_EQ(r.off, 0.0);
}

TEST(Curvature, FlatSightLineRunsAway) {
    const curvature_result r = compute_curvature(1, 500, 0, 30, mode_height);
    EXPECT_EQ(r.length, 1.5);
    EXPECT_EQ(r.angle, 0.5);
    EXPECT_EQ(km(r.curved.ground_distance), "77.159");
    EXPECT_EQ(km(r.curved.sight_distance), "-77.162");
    EXPECT_EQ(km(r.curved.visible_height), "-0.673");
    EXPECT_EQ(km(r.curved.hidden_height), "2.173");
    EXPECT_EQ(km(r.curved.total_height), "1.500");
    EXPECT_EQ(km(r.check_hidden), "0.467");
    EXPECT_TRUE(r.unsettled);
    EXPECT_TRUE(r.below_horizon);
    EXPECT_TRUE(r.warned);
    // The model itself has an answer above the horizon.
    EXPECT_TRUE(r.far_off);
    EXPECT_EQ(km(r.exact.ground_distance), "93.446");
    EXPECT_EQ(km(r.exact.visible_height), "0.816");  // 0.81549: the formatter rounds up from 0.00048
}

TEST(Curvature, SwingingIterationIsUnsettledButAboveHorizon) {
    const curvature_result r = compute_curvature(100, 0, 5, 0, mode_height);
    EXPECT_EQ(km(r.curved.visible_height), "99.975");
    EXPECT_EQ(km(r.curved.hidden_height), "0.025");
    EXPECT_EQ(km(r.check_hidden), "101.558");
    EXPECT_TRUE(r.unsettled);
    EXPECT_FALSE(r.below_horizon);
    EXPECT_TRUE(r.warned);
    EXPECT_TRUE(r.far_off);
    EXPECT_EQ(km(r.exact.ground_distance), "702.340");
}

// Where the passes miss the model (near and past the warning edge), the
// exact answer and how far off they are; the questions people ask most.
TEST(Curvature, ExactAnswerWhereThePassesMissIt) {
    struct row {
        int kilometres, metres, degrees, minutes;
        const char* ground;  // the model's exact tangent-plane distance
        const char* sight;
        bool inexact, far_off, unsettled;
    };
    const row rows[] = {
        {4, 800, 1, 0, "160.015", "160.040", true, true, true},     // mountain
        {11, 0, 2, 0, "213.092", "213.222", true, true, true},      // aircraft
        {20, 0, 3, 0, "271.451", "271.824", true, true, false},     // 206 m off, unsettled test blind
        {0, 19, 0, 3, "10.967", "10.967", true, true, false},       // 98 % off, hidden height a few metres
        {10, 0, 2, 11, "188.923", "189.060", true, false, false},   // off by 38 m: exact block, no warning
        {85, 0, 7, 0, "519.950", "523.854", true, false, false},    // off by under a metre
        {0, 100, 0, 30, "10.474", "10.474", false, false, false},   // tower: settled
        // A hair (2e-5 of the bound) each side of 0.5 m and of 50 m off.
        {360, 518, 14, 26, "1060.514", "1095.077", false, false, false},
        {34, 378, 4, 28, "330.526", "331.533", true, false, false},
        {311, 508, 12, 17, "1042.204", "1066.621", true, false, false},
        {380, 254, 13, 32, "1151.460", "1184.344", true, true, false},
    };
    for (const row& w : rows) {
        const curvature_result r = compute_curvature(w.kilometres, w.metres, w.degrees, w.minutes, mode_height);
        const std::string at = std::to_string(w.kilometres) + " km " + std::to_string(w.metres) + " m " +
                               std::to_string(w.degrees) + " deg " + std::to_string(w.minutes) + " min";
        EXPECT_EQ(km(r.exact.ground_distance), w.ground) << at;
        EXPECT_EQ(km(r.exact.sight_distance), w.sight) << at;
        EXPECT_EQ(r.inexact, w.inexact) << at;
        EXPECT_EQ(r.far_off, w.far_off) << at;
        EXPECT_EQ(r.unsettled, w.unsettled) << at;
        EXPECT_FALSE(r.below_horizon) << at;
        EXPECT_EQ(r.warned, w.far_off || w.unsettled) << at;
        EXPECT_EQ(r.exact.total_height, r.length) << at;
    }
}

// The exact answer solves the model's equation, hidden = sqrt(g^2 + R^2) - R
// with g = visible cot a, to double precision over the whole input range.
TEST(Curvature, ExactAnswerSolvesTheModel) {
    const double radius = 6378.137;
    const int metres[] = {1, 19, 1000, 4800, 85000, 6378137, 99999999};
    const int minutes[] = {0, 3, 30, 60, 180, 900, 2700, 5399, 5400};  // 0.01 to 89.99 degrees
    for (int m_in : metres)
        for (int min_in : minutes) {
            const curvature_result r = compute_curvature(m_in / 1000, m_in % 1000, min_in / 60, min_in % 60, mode_height);
            const sight_values& e = r.exact;
            const double a = r.angle * 0.017453292519943295;
            const double g = e.visible_height * std::cos(a) / std::sin(a);
            const double drop = g * g / (std::sqrt(g * g + radius * radius) + radius);
            const double scale = 1e-14 * (r.length + g + 1.0);
            const std::string at = std::to_string(r.length) + " km at " + std::to_string(r.angle) + " deg";
            EXPECT_GT(e.visible_height, 0.0) << at;
            EXPECT_LE(e.visible_height, r.length) << at;
            EXPECT_NEAR(e.hidden_height, drop, scale) << at;
            EXPECT_NEAR(e.ground_distance, g, scale) << at;
            EXPECT_NEAR(e.sight_distance * e.sight_distance, g * g + e.visible_height * e.visible_height,
                        1e-14 * (g * g + r.length * r.length)) << at;
        }
}

TEST(Curvature, AllFieldsZero) {
    const curvature_result h = compute_curvature(0, 0, 0, 0, mode_height);
    EXPECT_EQ(h.length, 0.001);
    EXPECT_EQ(h.angle, 0.01);
    EXPECT_TRUE(h.unsettled);
    EXPECT_TRUE(h.below_horizon);
    EXPECT_TRUE(std::isfinite(h.curved.sight_distance));

    const curvature_result d = compute_curvature(0, 0, 0, 0, mode_distance);
    EXPECT_EQ(d.length, 0.001);
    EXPECT_EQ(d.angle, 0.01);
    EXPECT_FALSE(d.unsettled);
    EXPECT_FALSE(d.below_horizon);
    EXPECT_FALSE(d.warned);
    EXPECT_LT(std::fabs(d.curved.visible_height), 1e-6);
    EXPECT_LT(std::fabs(d.curved.hidden_height), 1e-6);
    EXPECT_LE(d.curved.ground_distance, 0.001);
}

TEST(Curvature, InputClamps) {
    EXPECT_EQ(compute_curvature(1, 0, 90, 0, mode_height).angle, 89.99);
    EXPECT_EQ(compute_curvature(1, 0, 99, 99, mode_height).angle, 89.99);
    EXPECT_EQ(compute_curvature(1, 0, 89, 60, mode_height).angle, 89.99);
    EXPECT_EQ(km(compute_curvature(1, 0, 89, 59, mode_height).angle), "89.983");
    EXPECT_EQ(compute_curvature(1, 0, 0, 1, mode_height).angle, 1 / 60.0);
    // Kilometres clamp to 99999 before the metres join; the sum clamps to 100000.
    EXPECT_EQ(compute_curvature(99999, 999, 45, 0, mode_height).length, 99999.999);
    EXPECT_EQ(compute_curvature(150000, 999, 45, 0, mode_height).length, 99999.999);
    EXPECT_EQ(compute_curvature(99999, 5000, 45, 0, mode_height).length, 100000.0);
    // Values a field yields for text it cannot read as unsigned: clamped, never NaN.
    EXPECT_EQ(compute_curvature(-5, 0, -3, 0, mode_height).length, 0.001);
    // The whole-number clamps act before the parts join.
    EXPECT_EQ(compute_curvature(-1, 500, -1, 30, mode_height).length, 0.5);
    EXPECT_EQ(compute_curvature(-1, 500, -1, 30, mode_height).angle, 0.5);
    EXPECT_EQ(compute_curvature(100000, -500, 91, -30, mode_height).length, 99998.5);
    EXPECT_EQ(compute_curvature(100000, -500, 91, -30, mode_height).angle, 89.5);
    EXPECT_EQ(compute_curvature(-5, 0, -3, 0, mode_height).angle, 0.01);
    EXPECT_EQ(compute_curvature(1, -1500, 10, -900, mode_distance).length, 0.001);
    EXPECT_EQ(compute_curvature(1, -1500, 10, -900, mode_distance).angle, 0.01);
}

TEST(Curvature, HundredMetresDistanceIsExactlyTheBoundary) {
    const curvature_result r = compute_curvature(0, 100, 45, 0, mode_distance);
    EXPECT_EQ(r.first_sight_distance, 0.1);
    EXPECT_FALSE(r.first_sight_distance > 0.1);
    const curvature_result h = compute_curvature(0, 100, 45, 0, mode_height);
    EXPECT_EQ(km(h.first_sight_distance), "0.141");
    EXPECT_GT(h.first_sight_distance, 0.1);
}

TEST(Curvature, DistanceModeNeverWarnsAndKeepsItsLength) {
    const int kilometres[] = {0, 1, 10, 85, 500, 6378, 20000, 99999};
    for (int km_in : kilometres)
        for (int deg = 0; deg <= 90; deg += 3)
            for (int min = 0; min <= 99; min += 33) {
                const curvature_result r = compute_curvature(km_in, 250, deg, min, mode_distance);
                EXPECT_FALSE(r.warned) << km_in << " " << deg << " " << min;
                EXPECT_FALSE(r.inexact) << km_in << " " << deg << " " << min;
                EXPECT_EQ(r.curved.ground_distance, r.flat.ground_distance);
                EXPECT_EQ(r.curved.sight_distance, r.length);
                EXPECT_EQ(r.final_sight_distance, r.length);
                EXPECT_GT(r.curved.visible_height, 0.0);
            }
}

TEST(Curvature, SineWithinOneUnitOfTheLastPlace) {
    // Every angle the fields can give, then a dense sweep of the quadrant.
    double previous = -1.0;
    for (int deg = 0; deg <= 90; ++deg)
        for (int min = 0; min < 60; ++min) {
            const double x = (deg + min / 60.0) * 0.017453292519943295;
            if (x > 1.5707963267948966) break;
            const double ours = sine_first_quadrant(x);
            const double exact = std::sin(x);
            const double ulp = std::nextafter(exact, 2.0) - exact;
            EXPECT_LE(std::fabs(ours - exact), ulp) << deg << " " << min;
            EXPECT_GE(ours, previous) << deg << " " << min;  // rising over the quadrant
            previous = ours;
        }
    for (double x = 0.0; x <= 1.5707963267948966; x += 1.0 / 4096) {
        const double exact = std::sin(x);
        EXPECT_LE(std::fabs(sine_first_quadrant(x) - exact), std::nextafter(exact, 2.0) - exact) << x;
    }
    EXPECT_EQ(sine_first_quadrant(0.0), 0.0);
    EXPECT_EQ(sine_first_quadrant(1.5707963267948966), 1.0);
    // The last millionth below pi/2 has a branch of its own.
    for (double below : {1e-15, 1e-12, 1e-9, 3e-7, 9.9e-7}) {
        const double x = 1.5707963267948966 - below, exact = std::sin(x);
        EXPECT_LE(std::fabs(sine_first_quadrant(x) - exact), std::nextafter(exact, 2.0) - exact) << below;
        EXPECT_LE(sine_first_quadrant(x), 1.0) << below;
    }
    EXPECT_EQ(sine_first_quadrant(1e-10), 1e-10);
    EXPECT_NEAR(sine_first_quadrant(0.5235987755982988), 0.5, 1e-16);  // 30 degrees
}
