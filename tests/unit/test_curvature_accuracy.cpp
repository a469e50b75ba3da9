// The accuracy references solve their own equations, and the report's
// figures agree with the model solved exactly wherever the passes must have
// met it; with an eye height and refraction, the model's figures against an
// independent bisection and against straight rays over the refracted sphere.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calc/curvature.h"
#include "tools/accuracy_sweep/references.h"

namespace {

using namespace accuracy;

// One failed check, with the input it was found at.
using failure_log = void (*)(const point&, const char*, double, double);
void fail(const point& p, const char* what, double a, double b) {
    ADD_FAILURE() << (p.program.mode == mode_height ? "Height " : "Distance ") << p.program.length << " km at "
                  << p.program.angle << " deg: " << what << " (" << a << " vs " << b << ")";
}

// The check's counts and largest differences.
struct check_totals {
    long long points = 0, bounded = 0, converged = 0, inexact = 0;
    double worst_plain = 0.0, worst_exact = 0.0;
};

std::vector<dialog_input> check_inputs() {
    std::vector<dialog_input> inputs;
    for (measure_mode mode : {mode_height, mode_distance})
        for (long long metres : length_steps(4))
            for (int minutes : angle_steps(25)) inputs.push_back(make_input(metres, minutes, mode));
    // Named cases, the start values among them (settled after 14 passes).
    inputs.push_back({0, 100, 0, 30, mode_height});
    inputs.push_back({4, 800, 1, 0, mode_height});
    inputs.push_back({11, 0, 2, 0, mode_height});
    inputs.push_back({85, 0, 15, 0, mode_height});
    return inputs;
}

// The references solve their own equations: the model's in its mode, and
// the sphere's.
void check_references(const point& p, measure_mode mode, failure_log fail) {
    const curvature_result& r = p.program;
    const double height = r.length;
    const double cot = p.cosine / p.sine;
    if (mode == mode_height) {
        // The model's equation, written out again: g = visible * cot a.
        // Its slope in g is at least 1, so the residual bounds the error.
        const double g = p.model.ground;
        const double visible = height - g * g / (std::hypot(g, earth_radius) + earth_radius);
        const double residual = g - visible * cot;
        if (!(std::fabs(residual) <= 4.0 * epsilon * (g + height * cot)) || visible < 0.0)
            fail(p, "model residual", residual, 0.0);
    } else {
        // Distance mode: the program's one step is the model. Its ground
        // distance, sqrt(L^2 - (L sin a)^2), loses digits towards 90 degrees.
        if (!(std::fabs(r.curved.ground_distance - p.model.ground) <= 4.0 * epsilon * height / p.cosine))
            fail(p, "distance mode ground", r.curved.ground_distance, p.model.ground);
        if (!(std::fabs(r.curved.total_height - p.model.total) <= 8.0 * epsilon * (height + earth_radius)))
            fail(p, "distance mode total", r.curved.total_height, p.model.total);
        if (r.warned) fail(p, "distance mode warns", 1, 0);
    }
    // The sphere: the top lies R + H from the centre (Height mode) or L
    // from the observer (Distance mode), seen under the angle a.
    const double theta = std::atan(p.sphere.ground / earth_radius);
    const double top = earth_radius + p.sphere.total;
    const double across = top * std::sin(theta);
    const double up = top * std::cos(theta) - earth_radius;
    const double scale = top * 8.0 * epsilon;
    if (!(std::fabs(across * p.sine - up * p.cosine) <= scale * (1.0 + cot)))
        fail(p, "sphere angle", across * p.sine, up * p.cosine);
    if (mode == mode_distance && !(std::fabs(std::hypot(across, up) - height) <= scale * (1.0 + cot)))
        fail(p, "sphere sight distance", std::hypot(across, up), height);
}

// What the report prints is the model's answer to half the last digit:
// the passes' figures where it adds nothing, else the exact figures,
// which the bisection here checks independently.
void check_printed(const point& p, check_totals& t, failure_log fail) {
    const curvature_result& r = p.program;
    const double passes_off = model_difference(p);
    if (r.inexact) {
        ++t.inexact;
        const double difference = model_difference(r.exact, p.model);
        t.worst_exact = std::max(t.worst_exact, difference);
        // Two solutions of one equation: they agree to rounding, far
        // inside the half digit the report promises. The bisection's
        // visible height, H - drop(g), carries rounding of H, and its
        // sight distance that divided by sin a.
        if (!(difference <= 16.0 * epsilon * (1.0 + p.model.sight + r.length / p.sine)))
            fail(p, "exact figures off the bisection", difference, 0);
    } else {
        t.worst_plain = std::max(t.worst_plain, passes_off);
        if (!(passes_off <= half_printed_digit)) fail(p, "figure printed without the exact ones off", passes_off, 0);
    }
    if (r.far_off != !(passes_off <= 0.05)) fail(p, "far-off flag against the bisection", r.far_off, 0);
}

// Where the passes must have contracted, they lie within their bound.
void check_contraction(const point& p, check_totals& t, failure_log fail) {
    if (std::isinf(p.bound)) return;
    ++t.bounded;
    const double difference = model_difference(p);
    if (!(difference <= p.bound + p.noise)) fail(p, "passes outside their contraction bound", difference, p.bound);
    if (p.bound + p.noise < 1e-7) {
        ++t.converged;
        // Printed alike, or apart only across a rounding boundary
        // between two values a micrometre apart.
        if (!prints_like_model(p) && !(difference < 1e-6)) fail(p, "printed figures differ", difference, 0);
        if (p.program.warned) fail(p, "converged but warned", 1, 0);
    }
}

}  // namespace

// The coarse grid: references solve their own equations, and the program
// agrees with the model wherever its passes must have met.
TEST(CurvatureAccuracy, ReferencesAndPrintedFiguresOnACoarseGrid) {
    check_totals t;
    for (const dialog_input& in : check_inputs()) {
        const point p = evaluate(in);
        ++t.points;
        check_references(p, in.mode, fail);
        check_printed(p, t, fail);
        check_contraction(p, t, fail);
    }
    // Each kind of point is there, so no check runs empty.
    EXPECT_GT(t.bounded, 0);
    EXPECT_GT(t.converged, 0);
    EXPECT_GT(t.inexact, 0);
    EXPECT_LE(t.worst_plain, half_printed_digit);
}

// With an eye height and refraction: every figure prints as the bisection's,
// and lies within the distance to true geometry that docs/accuracy.md gives.
TEST(CurvatureAccuracy, EyeHeightAndRefractionAgainstBisectionAndTrueGeometry) {
    struct row {
        dialog_input in;
        double eye, k;           // km, coefficient
        // m: the largest distance to true geometry that docs/accuracy.md
        // gives for sight lines up to 1 degree, up to 10 km or 100 km
        double heights, ground;
    };
    const row rows[] = {
        {{0, 50, 0, 30, mode_height}, 0.0017, 0.0, 0.0004, 0.4},   // 50 m tower from 1.7 m
        {{0, 50, 0, 30, mode_height}, 0.0017, 0.13, 0.0004, 0.4},
        {{1, 400, 0, 30, mode_height}, 0.0, 0.20, 0.38, 26.0},    // about 100 km
        {{1, 400, 0, 30, mode_height}, 0.0017, 0.20, 0.38, 26.0},
        {{100, 0, 0, 30, mode_distance}, 0.0, 0.20, 0.38, 26.0},  // 100 km
        {{100, 0, 0, 30, mode_distance}, 0.0017, 0.142, 0.38, 26.0},
        {{4, 656, 0, 1, mode_distance}, 0.0017, 0.0, 0.0004, 0.4},  // just before the eye's horizon
        {{4, 657, 0, 1, mode_distance}, 0.0017, 0.0, 0.0004, 0.4},  // just past it
        {{0, 3, 0, 30, mode_height}, 0.002, 0.0, 0.0004, 0.4},      // top a metre above the eye
    };
    for (const row& w : rows) {
        const dialog_input& in = w.in;
        const curvature_result r =
            compute_curvature_with(in.kilometres, in.metres, in.degrees, in.minutes, in.mode, w.eye, w.k);
        const double a = r.angle * (pi / 180.0);
        const figures model = exact_model_with(in.mode, r.length, std::sin(a), std::cos(a), w.eye, w.k);
        const figures truth = true_sight(in.mode, r.length, std::sin(a), std::cos(a), w.eye, w.k);
        const sight_values& c = r.curved;
        const std::string at = printed(r.length) + " km at " + printed(r.angle) + " deg, eye " +
                               printed(w.eye) + " km, k " + printed(w.k);
        ASSERT_TRUE(r.conditions_set) << at;
        EXPECT_FALSE(r.warned || r.top_not_above_eye) << at;
        EXPECT_EQ(printed(c.ground_distance), printed(model.ground)) << at;
        EXPECT_EQ(printed(c.sight_distance), printed(model.sight)) << at;
        EXPECT_EQ(printed(c.visible_height), printed(model.visible)) << at;
        EXPECT_EQ(printed(c.hidden_height), printed(model.hidden)) << at;
        EXPECT_EQ(printed(c.total_height), printed(model.total)) << at;
        EXPECT_LE(1000.0 * std::fabs(c.hidden_height - truth.hidden), w.heights) << at;
        EXPECT_LE(1000.0 * std::fabs(c.visible_height - truth.visible), w.heights) << at;
        EXPECT_LE(1000.0 * std::fabs(c.total_height - truth.total), w.heights) << at;
        EXPECT_LE(1000.0 * std::fabs(c.ground_distance - truth.ground), w.ground) << at;
    }
}

// The eye's horizon: nothing nearer is hidden at all, anything beyond is.
TEST(CurvatureAccuracy, NothingIsHiddenBeforeTheEyesHorizon) {
    const curvature_result before = compute_curvature_with(4, 656, 0, 1, mode_distance, 0.0017, 0.0);
    const curvature_result past = compute_curvature_with(4, 657, 0, 1, mode_distance, 0.0017, 0.0);
    EXPECT_EQ(printed(before.eye_horizon), "4.657");
    EXPECT_LT(before.curved.ground_distance, before.eye_horizon);
    EXPECT_EQ(before.curved.hidden_height, 0.0);
    EXPECT_GT(past.curved.ground_distance, past.eye_horizon);
    EXPECT_GT(past.curved.hidden_height, 0.0);
    EXPECT_EQ(printed(past.flat.total_height), "0.003");  // e + s sin a: 1.7 m + 1.35 m
    EXPECT_NEAR(past.curved.hidden_height, drop(past.curved.ground_distance - eye_horizon(0.0017, earth_radius)),
                2e-12);  // the model's difference of roots, to an ulp of R
}
