// accuracy_sweep grid     plot grid as tab-separated columns (scripts/accuracy.sh)
// accuracy_sweep cases    the named cases of docs/accuracy.md as a Markdown table
// accuracy_sweep summary  dense sweep: where the warnings begin, largest errors
// accuracy_sweep conditions  eye height and refraction: named cases against
//                         true geometry, the largest differences, and the
//                         hidden-height curves (plot rows starting "curve")
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
#include "tools/accuracy_sweep/references.h"

namespace {

using namespace accuracy;

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


// The model with an eye height and refraction at one input, beside the
// bisection and the straight rays over the refracted sphere.
struct sight_point {
    curvature_result program;
    figures model, geometry;
};

sight_point evaluate_with(const dialog_input& in, double eye, double k) {
    sight_point p{};
    p.program = compute_curvature_with(in.kilometres, in.metres, in.degrees, in.minutes, in.mode, eye, k);
    const double radians = p.program.angle * (pi / 180.0);
    const double sine = std::sin(radians), cosine = std::cos(radians);
    p.model = exact_model_with(in.mode, p.program.length, sine, cosine, eye, k);
    p.geometry = true_sight(in.mode, p.program.length, sine, cosine, eye, k);
    return p;
}

// Largest difference of the heights (hidden, visible, total) and of the
// ground distance between the program and true geometry, in metres.
double height_off(const sight_point& p) {
    const sight_values& c = p.program.curved;
    return 1000.0 * std::max({std::fabs(c.hidden_height - p.geometry.hidden),
                              std::fabs(c.visible_height - p.geometry.visible),
                              std::fabs(c.total_height - p.geometry.total)});
}
double ground_off(const sight_point& p) {
    return 1000.0 * std::fabs(p.program.curved.ground_distance - p.geometry.ground);
}

void print_condition_cases() {
    struct named_case {
        const char* name;
        dialog_input input;
        double eye, k;
    };
    const named_case cases[] = {
        {"50 m tower at 0deg30', eye 1.7 m", {0, 50, 0, 30, mode_height}, 0.0017, 0.0},
        {"50 m tower at 0deg30', eye 1.7 m, k 0.13", {0, 50, 0, 30, mode_height}, 0.0017, 0.13},
        {"1,400 m at 0deg30', k 0.20 (about 100 km)", {1, 400, 0, 30, mode_height}, 0.0, 0.20},
        {"1,400 m at 0deg30', eye 1.7 m, k 0.20", {1, 400, 0, 30, mode_height}, 0.0017, 0.20},
        {"Distance 100 km at 0deg30', k 0.20", {100, 0, 0, 30, mode_distance}, 0.0, 0.20},
        {"Distance 100 km at 0deg30', eye 1.7 m, k 0.13", {100, 0, 0, 30, mode_distance}, 0.0017, 0.13},
        {"Distance 4,656 m at 0deg01', eye 1.7 m (before d0)", {4, 656, 0, 1, mode_distance}, 0.0017, 0.0},
        {"Distance 4,657 m at 0deg01', eye 1.7 m (past d0)", {4, 657, 0, 1, mode_distance}, 0.0017, 0.0},
    };
    std::printf("| case | ground (km) | true ground | hidden (m) | true hidden | heights off (m) |"
                " ground off (m) |\n|---|--:|--:|--:|--:|--:|--:|\n");
    for (const named_case& c : cases) {
        const sight_point p = evaluate_with(c.input, c.eye, c.k);
        std::printf("| %s | %.3f | %.3f | %.2f | %.2f | %.3f | %.1f |\n", c.name, p.program.curved.ground_distance,
                    p.geometry.ground, 1000.0 * p.program.curved.hidden_height, 1000.0 * p.geometry.hidden,
                    height_off(p), ground_off(p));
    }
}

// The largest differences from true geometry over a grid of heights or
// distances and angles, objects up to 10 km high, eyes up to 100 m, every k
// (not both off: that is today's model), for low (up to 1 degree) and all
// sight lines
// up to a given ground distance; with the input where each was found.
void print_condition_bounds() {
    const double eyes[] = {0.0, 0.0017, 0.01, 0.1};
    const double ks[] = {0.0, 0.13, 0.142, 0.20};
    for (double steepest : {1.0, 90.0})
    for (double reach : {10.0, 100.0, 300.0})
        for (measure_mode mode : {mode_height, mode_distance}) {
            double worst_height = 0.0, worst_ground = 0.0;
            sight_point at_height{}, at_ground{};
            for (double eye : eyes)
                for (double k : ks)
                    for (long long metres : length_steps(20))
                        for (int minutes : angle_steps(60)) {
                            if ((eye == 0.0 && k == 0.0) || (mode == mode_height && metres / 1000.0 <= eye))
                                continue;  // today's model, or no figures
                            const sight_point p = evaluate_with(make_input(metres, minutes, mode), eye, k);
                            if (p.program.curved.ground_distance > reach || p.program.curved.total_height > 10.0 ||
                                p.program.angle > steepest)
                                continue;
                            if (height_off(p) > worst_height) worst_height = height_off(p), at_height = p;
                            if (ground_off(p) > worst_ground) worst_ground = ground_off(p), at_ground = p;
                        }
            std::printf("- %s mode, angles up to %g deg, ground distance up to %.0f km: heights within %.3g m (",
                        mode == mode_height ? "Height" : "Distance", steepest, reach, worst_height);
            print_input(at_height.program);
            std::printf(", eye %g m, k %g), ground distance within %.3g m (", 1000.0 * at_height.program.eye_height,
                        at_height.program.refraction, worst_ground);
            print_input(at_ground.program);
            std::printf(", eye %g m, k %g)\n", 1000.0 * at_ground.program.eye_height, at_ground.program.refraction);
        }
}

// Hidden height over ground distance (Distance mode at the lowest angle, so
// sight and ground distance agree), one curve per eye height and k.
void print_condition_curves() {
    for (double eye : {0.0, 0.0017})
        for (double k : {0.0, 0.13, 0.20})
            for (int km = 0; km <= 100; ++km) {
                const sight_point p = evaluate_with({km, 0, 0, 0, mode_distance}, eye, k);
                std::printf("curve\t%g\t%g\t%.6f\t%.6f\n", eye * 1000.0, k, p.program.curved.ground_distance,
                            1000.0 * p.program.curved.hidden_height);
            }
}

int run_conditions() {
    print_condition_cases();
    std::printf("\n");
    print_condition_bounds();
    print_condition_curves();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    if (std::strcmp(command, "grid") == 0) return run_grid();
    if (std::strcmp(command, "cases") == 0) return run_cases();
    if (std::strcmp(command, "summary") == 0) return run_summary();
    if (std::strcmp(command, "conditions") == 0) return run_conditions();
    std::fprintf(stderr, "usage: accuracy_sweep grid|cases|summary|conditions\n");
    return 2;
}
