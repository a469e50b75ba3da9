// accuracy_sweep grid     plot grid as tab-separated columns (scripts/accuracy.sh)
// accuracy_sweep cases    the named cases of docs/accuracy.md as a Markdown table
// accuracy_sweep summary  dense sweep: where the warnings begin, largest errors
// accuracy_sweep check    coarse grid; exits 1 when a reference disagrees
//
// Every point goes through compute_curvature exactly as the dialog's fields
// give it (kilometres, metres, degrees, minutes), so the figures are the ones
// the report prints: the passes' figures, and the exact figures the report
// adds where the passes miss them. Two references for each point:
//  - the model, solved exactly: the sphere model's own equations without the
//    fixed number of passes, by bisection, independent of the program's own
//    closed form (how well the passes converge, and a check of that form);
//  - the sphere itself: observer on the surface, the object standing along
//    the radius at its foot, its top seen under the elevation angle above the
//    observer's tangent plane (how good the model is).
// Output is ASCII only: the project compiles string literals to CP1252.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "calc/curvature.h"
#include "calc/format.h"

namespace {

const double earth_radius = 6378.137;
const double pi = 3.14159265358979323846;
const double epsilon = std::numeric_limits<double>::epsilon();
const double infinity = std::numeric_limits<double>::infinity();
const int last_pass = 30;  // the program's Height mode runs passes 0..30
const double half_printed_digit = 0.0005;  // km: the report's figures are printed to metres

struct dialog_input {
    int kilometres, metres, degrees, minutes;
    measure_mode mode;
};

// A length in whole metres and an angle in whole minutes, as the fields
// take them. The kilometres field stops at 99999; the rest goes to metres.
dialog_input make_input(long long metres, int minutes, measure_mode mode) {
    long long km = metres / 1000;
    long long m = metres % 1000;
    if (km > 99999) {
        m += (km - 99999) * 1000;
        km = 99999;
    }
    return {static_cast<int>(km), static_cast<int>(m), minutes / 60, minutes % 60, mode};
}

struct figures {
    double ground, sight, visible, hidden, total;
};

// Below-tangent drop of the sphere at tangent-plane distance g, in the form
// that does not cancel for small g.
double drop(double g) { return g * g / (std::sqrt(g * g + earth_radius * earth_radius) + earth_radius); }

// The Height-mode model: g = (H - drop(g)) cot a, here multiplied by sin a so
// that it stays finite. Increasing in g, negative at 0, and zero at
// g_max = sqrt(H (2R + H)) only if a = 90 degrees: positive there otherwise.
double height_model_gap(double g, double height, double sine, double cosine) {
    return g * sine - (height - drop(g)) * cosine;
}

// Bisection down to adjacent doubles: the root of a monotone function needs
// no starting guess and cannot be lost.
double solve_height_model(double height, double sine, double cosine) {
    double low = 0.0;
    double high = std::sqrt(height * (2.0 * earth_radius + height));
    for (;;) {
        const double middle = low + (high - low) / 2.0;
        if (!(middle > low && middle < high)) break;
        if (height_model_gap(middle, height, sine, cosine) < 0.0)
            low = middle;
        else
            high = middle;
    }
    return std::fabs(height_model_gap(low, height, sine, cosine)) <= std::fabs(height_model_gap(high, height, sine, cosine))
               ? low
               : high;
}

figures exact_model(measure_mode mode, double length, double sine, double cosine) {
    figures f{};
    if (mode == mode_height) {
        f.ground = solve_height_model(length, sine, cosine);
        f.hidden = drop(f.ground);
        f.visible = length - f.hidden;
        f.sight = f.visible / sine;
        f.total = length;
    } else {
        // Distance mode: the sight line is given, so one step is the model.
        f.sight = length;
        f.ground = length * cosine;
        f.visible = length * sine;
        f.hidden = drop(f.ground);
        f.total = f.visible + f.hidden;
    }
    return f;
}

// True geometry in the plane through the Earth's centre, observer O on the
// surface, top T of the object at central angle theta. The tangent-plane
// distance is R tan(theta): where the radius through the foot meets O's
// tangent plane, which is what the model's drop measures along.
figures exact_sphere(measure_mode mode, double length, double sine, double cosine) {
    const double r = earth_radius;
    double theta;
    double top_radius;
    figures f{};
    if (mode == mode_height) {
        // |CT| = R + H. With beta = theta + a, cos(beta) = R cos(a) / (R + H)
        // (triangle C, O, T: the angle at O is 90 degrees + a). tan(theta) =
        // tan(beta - a), rearranged so that no difference of near-equal
        // values remains.
        const double height = length;
        const double lift = height * (2.0 * r + height);  // (R + H)^2 - R^2
        const double s = std::sqrt(lift + r * r * sine * sine);
        theta = std::atan(lift * cosine / ((s + r * sine) * (r * cosine * cosine + s * sine)));
        top_radius = r + height;
        f.sight = top_radius * std::sin(theta) / cosine;
        f.total = height;
    } else {
        // T = O + L (cos a along the tangent plane, sin a up).
        const double across = length * cosine;
        const double up = r + length * sine;
        theta = std::atan2(across, up);
        top_radius = std::hypot(across, up);
        f.sight = length;
        f.total = (length * length + 2.0 * r * length * sine) / (top_radius + r);
    }
    f.ground = r * std::tan(theta);
    f.hidden = r / std::cos(theta) - r;  // below the tangent plane, along the radius
    f.visible = f.total - f.hidden;
    return f;
}

struct point {
    curvature_result program;
    double sine, cosine;
    figures model;   // the model solved exactly
    figures sphere;  // the true geometry
    // Height mode: bound on |program - model| for the four figures from the
    // contraction of the passes; infinite where the passes need not contract.
    double bound;
    double noise;  // rounding the program's own passes may carry
};

point evaluate(const dialog_input& in) {
    point p{};
    p.program = compute_curvature(in.kilometres, in.metres, in.degrees, in.minutes, in.mode);
    const double radians = p.program.angle * (pi / 180.0);
    p.sine = std::sin(radians);
    p.cosine = std::cos(radians);
    p.model = exact_model(in.mode, p.program.length, p.sine, p.cosine);
    p.sphere = exact_sphere(in.mode, p.program.length, p.sine, p.cosine);
    p.bound = infinity;
    p.noise = 0.0;
    if (in.mode == mode_height) {
        // Each pass maps g to phi(g) = (H - drop(g)) cot a, which falls with
        // g, so from g0 = H cot a on the passes stay in [g1, g0], where
        // |phi'| <= k = cot a * g0 / sqrt(g0^2 + R^2). With k < 1 the pass
        // reported (the 30th after the flat one) lies within k^30 |g0 - g*|
        // of the root; hidden, visible and sight within that times 1/cos a.
        const double cot = p.cosine / p.sine;
        const double height = p.program.length;
        const double g0 = height * cot;
        const double g1 = (height - drop(g0)) * cot;
        const double k = cot * g0 / std::sqrt(g0 * g0 + earth_radius * earth_radius);
        const double pass_noise = 4.0 * epsilon * ((earth_radius + height) * cot + g0 / (p.cosine * p.cosine));
        if (k < 1.0 && g1 >= 0.0) {
            p.bound = std::pow(k, last_pass) * (g0 - p.model.ground) / std::min(1.0, p.cosine);
            p.noise = pass_noise / (1.0 - k) / std::min(1.0, p.cosine);
        }
    }
    return p;
}

std::string printed(double value) {
    char out[number_buffer_size];
    format_fixed(value, out, 0, 0, 3);
    return out;
}

double relative(double value, double reference) {
    if (reference == 0.0) return value == 0.0 ? 0.0 : infinity;
    return std::fabs(value - reference) / std::fabs(reference);
}

// Largest difference between a set of the program's figures and the model's.
double model_difference(const sight_values& c, const figures& model) {
    return std::max({std::fabs(c.ground_distance - model.ground), std::fabs(c.sight_distance - model.sight),
                     std::fabs(c.visible_height - model.visible), std::fabs(c.hidden_height - model.hidden)});
}
double model_difference(const point& p) { return model_difference(p.program.curved, p.model); }

bool prints_like_model(const point& p) {
    const sight_values& c = p.program.curved;
    return printed(c.ground_distance) == printed(p.model.ground) && printed(c.sight_distance) == printed(p.model.sight) &&
           printed(c.visible_height) == printed(p.model.visible) && printed(c.hidden_height) == printed(p.model.hidden);
}

// The figures the report gives as its answer: the exact ones where it adds them.
const sight_values& shown(const curvature_result& r) { return r.inexact ? r.exact : r.curved; }

// The figure each mode is for: Height mode finds the distance, Distance mode
// the height.
double program_figure(const point& p) {
    return p.program.mode == mode_height ? shown(p.program).ground_distance : p.program.curved.total_height;
}
double passes_figure(const point& p) {
    return p.program.mode == mode_height ? p.program.curved.ground_distance : p.program.curved.total_height;
}
double model_figure(const point& p) { return p.program.mode == mode_height ? p.model.ground : p.model.total; }
double sphere_figure(const point& p) { return p.program.mode == mode_height ? p.sphere.ground : p.sphere.total; }

const char* warning_kind(const curvature_result& r) {
    if (r.unsettled && r.below_horizon) return "both";
    if (r.unsettled) return "unsettled";
    if (r.below_horizon) return "below";
    if (r.far_off) return "far";  // only the comparison with the exact answer warns
    return "none";
}

// Lengths in whole metres, `per_decade` steps a decade from 1 m to 100,000 km.
std::vector<long long> length_steps(int per_decade) {
    std::vector<long long> metres;
    for (int i = 0; i <= 8 * per_decade; ++i) {
        const long long m = std::llround(std::pow(10.0, static_cast<double>(i) / per_decade));
        if (metres.empty() || m != metres.back()) metres.push_back(m);
    }
    return metres;
}

// Angles in whole minutes, log-spaced from 0.01 degrees (the clamp of 0') to
// 89.99 degrees (the clamp of 90 deg 0').
std::vector<int> angle_steps(int count) {
    std::vector<int> minutes;
    const double low = std::log10(0.01);
    const double high = std::log10(89.99);
    for (int i = 0; i < count; ++i) {
        const double degrees = std::pow(10.0, low + (high - low) * i / (count - 1));
        const int m = static_cast<int>(std::lround(degrees * 60.0));
        if (minutes.empty() || m != minutes.back()) minutes.push_back(m);
    }
    return minutes;
}

int run_grid() {
    std::printf(
        "mode\tlength_km\tangle_deg\tflat_ground\tground\tsight\tvisible\thidden\ttotal\twarning"
        "\tmodel_ground\tsphere_ground\tsphere_total\tcurvature_pct\tmodel_abs\tprints_like_model"
        "\tfigure_vs_model\tfigure_vs_sphere\tmodel_vs_sphere\tinexact\n");
    for (measure_mode mode : {mode_height, mode_distance})
        for (long long metres : length_steps(25))
            for (int minutes : angle_steps(121)) {
                const point p = evaluate(make_input(metres, minutes, mode));
                const curvature_result& r = p.program;
                std::printf("%s\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%s", mode == mode_height ? "H" : "D",
                            r.length, r.angle, r.flat.ground_distance, r.curved.ground_distance,
                            r.curved.sight_distance, r.curved.visible_height, r.curved.hidden_height,
                            r.curved.total_height, warning_kind(r));
                // figure_vs_model: the passes' figure; figure_vs_sphere: the
                // figure the report gives as its answer.
                std::printf("\t%.9g\t%.9g\t%.9g\t%.6g\t%.6g\t%d\t%.6g\t%.6g\t%.6g\t%d\n", p.model.ground,
                            p.sphere.ground, p.sphere.total,
                            100.0 * (r.flat.ground_distance - r.curved.ground_distance) / r.flat.ground_distance,
                            model_difference(p), prints_like_model(p) ? 1 : 0,
                            relative(passes_figure(p), model_figure(p)), relative(program_figure(p), sphere_figure(p)),
                            relative(model_figure(p), sphere_figure(p)), r.inexact ? 1 : 0);
            }
    return 0;
}

std::string thousands(double value) {
    // 3 decimals with a thin grouping of the whole part, for the Markdown table.
    std::string digits = printed(value);
    const std::size_t dot = digits.find('.');
    std::size_t start = digits[0] == '-' ? 1 : 0;
    for (std::size_t i = dot; i > start + 3; i -= 3) digits.insert(i - 3, ",");
    return digits;
}

int run_cases() {
    struct named_case {
        const char* name;
        dialog_input input;
    };
    const named_case cases[] = {
        {"tower, 100 m at 0deg30'", {0, 100, 0, 30, mode_height}},
        {"mountain, 4,800 m at 1deg", {4, 800, 1, 0, mode_height}},
        {"aircraft, 11 km at 2deg", {11, 0, 2, 0, mode_height}},
        {"20 km at 3deg", {20, 0, 3, 0, mode_height}},
        {"19 m at 0deg03'", {0, 19, 0, 3, mode_height}},
        {"start values, 85 km at 15deg", {85, 0, 15, 0, mode_height}},
        {"start values, Distance mode", {85, 0, 15, 0, mode_distance}},
    };
    std::printf("| case | figure (km) | passes | model, solved exactly | true sphere | program warns |"
                " report now shows |\n");
    std::printf("|---|---|--:|--:|--:|---|---|\n");
    for (const named_case& c : cases) {
        const point p = evaluate(c.input);
        const char* kind = warning_kind(p.program);
        const std::string answer = thousands(program_figure(p));
        std::printf("| %s | %s | %s | %s | %s | %s | %s |\n", c.name,
                    c.input.mode == mode_height ? "tangent-plane distance" : "total height",
                    thousands(passes_figure(p)).c_str(), thousands(model_figure(p)).c_str(),
                    thousands(sphere_figure(p)).c_str(),
                    std::strcmp(kind, "none") == 0        ? "no"
                    : std::strcmp(kind, "below") == 0     ? "yes: below the horizon"
                    : std::strcmp(kind, "unsettled") == 0 ? "yes: unsettled"
                    : std::strcmp(kind, "far") == 0       ? "yes: far off the model"
                                                          : "yes: unsettled, below the horizon",
                    p.program.inexact ? ("the exact " + answer + " first, the passes' figure at the end").c_str()
                                      : answer.c_str());
    }
    return 0;
}

void print_input(const curvature_result& r) {
    std::printf("%s %.3f km at %.4f deg", r.mode == mode_height ? "Height" : "Distance", r.length, r.angle);
}

// The largest of one difference, with the point it was found at.
struct worst {
    double value = -1.0;
    curvature_result at{};
    void take(double candidate, const curvature_result& r) {
        if (candidate > value) *this = {candidate, r};
    }
};

// The summary's counts over the whole sweep.
struct summary_totals {
    worst plain, exact, model_sphere, distance_sphere, distance_model;
    long long points = 0, warned_before = 0, warned = 0, far = 0, far_alone = 0, inexact = 0, mixed = 0;
    long long distance_flagged = 0;
    // Off the model (by the bisection) with nothing said, before the
    // comparison and now: by more than half a digit, by more than 50 m.
    long long quiet_off_before = 0, quiet_far_before = 0, quiet_off_now = 0, quiet_far_now = 0;
};

// One height's row of the summary table.
struct summary_row {
    double first_unwarned = -1.0, last_warned = -1.0, last_inexact = -1.0;
    worst plain, exact, sphere;
};

void tally_distance_point(summary_totals& t, const point& d) {
    if (d.program.warned || d.program.inexact) ++t.distance_flagged;
    t.distance_model.take(std::max(std::fabs(d.program.curved.ground_distance - d.model.ground),
                                   std::fabs(d.program.curved.total_height - d.model.total)),
                          d.program);
    t.distance_sphere.take(relative(d.program.curved.total_height, d.sphere.total), d.program);
}

void tally_height_point(summary_totals& t, summary_row& row, const point& p) {
    const curvature_result& r = p.program;
    ++t.points;
    const bool flagged_before = r.unsettled || r.below_horizon;  // the warnings before the comparison
    if (flagged_before) ++t.warned_before;
    if (r.far_off) ++t.far;
    if (r.far_off && !flagged_before) ++t.far_alone;
    const double passes_off = model_difference(p);
    if (!flagged_before && passes_off > half_printed_digit) ++t.quiet_off_before;
    if (!flagged_before && passes_off > 0.05) ++t.quiet_far_before;
    if (!r.inexact && passes_off > half_printed_digit) ++t.quiet_off_now;
    if (!r.warned && passes_off > 0.05) ++t.quiet_far_now;
    if (r.inexact) {
        ++t.inexact;
        row.last_inexact = r.angle;
        const double difference = model_difference(r.exact, p.model);
        row.exact.take(difference, r);
        t.exact.take(difference, r);
    } else {
        row.plain.take(passes_off, r);
        t.plain.take(passes_off, r);
    }
    if (r.warned) {
        ++t.warned;
        row.last_warned = r.angle;
        if (row.first_unwarned >= 0.0) ++t.mixed;  // a warning above an unwarned angle
        return;
    }
    if (row.first_unwarned < 0.0) row.first_unwarned = r.angle;
    const double ms = relative(p.model.ground, p.sphere.ground);
    row.sphere.take(ms, r);
    t.model_sphere.take(ms, r);
}

void print_summary_row(long long metres, const summary_row& row) {
    const double height = metres / 1000.0;
    std::printf("| %s km | %s | %s | %.3f | %s | %.2g km at %.3f deg | %.2g km at %.3f deg | %.2g %% at %.3f deg |\n",
                thousands(height).c_str(), printed(row.first_unwarned).c_str(),
                row.last_warned < 0 ? "never" : printed(row.last_warned).c_str(),
                std::atan(std::sqrt(height / earth_radius)) * 180.0 / pi,
                row.last_inexact < 0 ? "never" : printed(row.last_inexact).c_str(), row.plain.value,
                row.plain.at.angle, row.exact.value, row.exact.at.angle, 100.0 * row.sphere.value,
                row.sphere.at.angle);
}

void print_worst(const char* label, const worst& w) {
    std::printf(label, w.value);
    print_input(w.at);
}

void print_summary_totals(const summary_totals& t) {
    auto share = [&t](long long count) { return 100.0 * static_cast<double>(count) / static_cast<double>(t.points); };
    std::printf("\nHeight mode: %lld points\n", t.points);
    std::printf("warned before the comparison (unsettled or below the horizon): %lld (%.1f %%)\n", t.warned_before,
                share(t.warned_before));
    std::printf("warned now: %lld (%.1f %%), %lld of them (%.1f %%) far off the model alone; %lld above an unwarned"
                " angle of the same height\n",
                t.warned, share(t.warned), t.far_alone, share(t.far_alone), t.mixed);
    std::printf("far off (more than 0.05 km): %lld (%.1f %%); inexact, exact figures added (more than 0.0005 km):"
                " %lld (%.1f %%)\n",
                t.far, share(t.far), t.inexact, share(t.inexact));
    std::printf("unwarned and more than 0.0005 km off, with no exact figures: before %lld (%.1f %%), now %lld;"
                " unwarned and more than 0.05 km off: before %lld (%.1f %%), now %lld\n",
                t.quiet_off_before, share(t.quiet_off_before), t.quiet_off_now, t.quiet_far_before,
                share(t.quiet_far_before), t.quiet_far_now);
    print_worst("largest difference of a figure printed without the exact figures from the model: %.7f km at ",
                t.plain);
    print_worst("\nlargest difference of the exact figures from the model by bisection: %.3g km at ", t.exact);
    print_worst("\nunwarned points: model's tangent-plane distance vs sphere, largest: %.3g at ", t.model_sphere);
    std::printf("\nDistance mode: %lld warned or with exact figures; program vs model, largest difference: %.3g km at ",
                t.distance_flagged, t.distance_model.value);
    print_input(t.distance_model.at);
    print_worst("\nDistance mode total height vs sphere, largest relative: %.3g at ", t.distance_sphere);
    std::printf("\n");
}

int run_summary() {
    // Every whole minute, 100 lengths a decade; a table row for each decade.
    std::vector<int> minutes;
    for (int m = 0; m <= 90 * 60; ++m) minutes.push_back(m);
    const std::vector<long long> lengths = length_steps(100);

    std::printf("| height | all warn below (deg) | none warns above (deg) | atan sqrt(H/R) (deg) |"
                " exact figures added up to (deg) | largest difference of a figure printed without them |"
                " largest difference of the exact figures | model vs sphere, unwarned, largest |\n");
    std::printf("|--:|--:|--:|--:|--:|--:|--:|--:|\n");
    summary_totals totals;
    for (long long metres : lengths) {
        summary_row row;
        for (int m : minutes) {
            tally_distance_point(totals, evaluate(make_input(metres, m, mode_distance)));
            tally_height_point(totals, row, evaluate(make_input(metres, m, mode_height)));
        }
        long long decade = 1;
        while (decade < metres) decade *= 10;
        if (decade == metres) print_summary_row(metres, row);
    }
    print_summary_totals(totals);
    return 0;
}

// The check's failures, the first twenty printed.
struct failure_log {
    int count = 0;
    void operator()(const point& p, const char* what, double a, double b) {
        if (++count <= 20) {
            std::printf("FAIL ");
            print_input(p.program);
            std::printf(": %s (%.17g vs %.17g)\n", what, a, b);
        }
    }
};

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
void check_references(const point& p, measure_mode mode, failure_log& fail) {
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
void check_printed(const point& p, check_totals& t, failure_log& fail) {
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
void check_contraction(const point& p, check_totals& t, failure_log& fail) {
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

// The coarse check run by the tests: references solve their own equations,
// and the program agrees with the model wherever its passes must have met.
int run_check() {
    failure_log fail;
    check_totals t;
    for (const dialog_input& in : check_inputs()) {
        const point p = evaluate(in);
        ++t.points;
        check_references(p, in.mode, fail);
        check_printed(p, t, fail);
        check_contraction(p, t, fail);
    }
    std::printf("accuracy check: %lld points, %lld with a contraction bound, %lld converged to the printed figures,"
                " %lld with exact figures added; largest difference from the model: %.3g km printed without them,"
                " %.3g km of the exact figures; %d failures\n",
                t.points, t.bounded, t.converged, t.inexact, t.worst_plain, t.worst_exact, fail.count);
    return fail.count == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    if (std::strcmp(command, "grid") == 0) return run_grid();
    if (std::strcmp(command, "cases") == 0) return run_cases();
    if (std::strcmp(command, "summary") == 0) return run_summary();
    if (std::strcmp(command, "check") == 0) return run_check();
    std::fprintf(stderr, "usage: accuracy_sweep grid|cases|summary|check\n");
    return 2;
}
