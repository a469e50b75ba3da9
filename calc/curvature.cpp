#include "calc/curvature.h"

#include <cmath>

#include "calc/format.h"

namespace {

const double earth_radius = 6378.137;
const double earth_radius_squared = 40680631.59076899;
const double degrees_to_radians = 0.017453292519943295;
const double settling_tolerance = 0.05;
const double half_printed_digit = 0.0005;

sight_values take_values(double ground, double sight, double visible, double hidden) {
    sight_values values;
    values.ground_distance = ground;
    values.sight_distance = sight;
    values.visible_height = visible;
    values.hidden_height = hidden;
    values.total_height = visible + hidden;
    return values;
}

// Polynomial kernels on [-pi/4, pi/4] (the classic minimax coefficients of
// fdlibm); x + tail is the argument split into a head and a small tail.
double kernel_sin(double x, double tail) {
    const double s1 = -1.66666666666666324348e-01;
    const double s2 = 8.33333333332248946124e-03;
    const double s3 = -1.98412698298579493134e-04;
    const double s4 = 2.75573137070700676789e-06;
    const double s5 = -2.50507602534068634195e-08;
    const double s6 = 1.58969099521155010221e-10;
    const double z = x * x;
    const double w = z * z;
    const double r = s2 + z * (s3 + z * s4) + z * w * (s5 + z * s6);
    const double v = z * x;
    return x - ((z * (0.5 * tail - v * r) - tail) - v * s1);
}

double kernel_cos(double x, double tail) {
    const double c1 = 4.16666666666666019037e-02;
    const double c2 = -1.38888888888741095749e-03;
    const double c3 = 2.48015872894767294178e-05;
    const double c4 = -2.75573143513906633035e-07;
    const double c5 = 2.08757232129817482790e-09;
    const double c6 = -1.13596475577881948265e-11;
    const double z = x * x;
    const double w = z * z;
    const double r = z * (c1 + z * (c2 + z * c3)) + w * w * (c4 + z * (c5 + z * c6));
    const double hz = 0.5 * z;
    const double one_minus_hz = 1.0 - hz;
    return one_minus_hz + (((1.0 - one_minus_hz) - hz) + (z * r - x * tail));
}

// How far the sphere lies below the observer's tangent plane at distance g.
double drop_below_tangent(double g) {
    return safe_sqrt(g * g + earth_radius_squared) - earth_radius;
}

// The Height-mode model solved in closed form. With v the visible height,
// g = v cot a and H - v = drop(g); squaring gives a quadratic in v whose root
// with v >= 0, in a form without cancellation, is
//   v = H (H + 2R) / (H + R + sqrt(R^2 + cot^2 a H (H + 2R))),
// so 0 < v <= H for every clamped input.
sight_values solve_height_exactly(double height, double sine, double cosine, double radius = earth_radius,
                                  double radius_squared = earth_radius_squared) {
    const double lift = height * (height + 2.0 * radius);
    const double cotangent = cosine / sine;
    const double visible = lift / (height + radius + safe_sqrt(radius_squared + cotangent * cotangent * lift));
    return take_values(visible * cotangent, visible / sine, visible, height - visible);
}

// Largest absolute difference of the four figures; NaN if any is NaN, so a
// figure that is not a number can never count as close.
double largest_difference(const sight_values& a, const sight_values& b) {
    const double differences[] = {a.ground_distance - b.ground_distance, a.sight_distance - b.sight_distance,
                                  a.visible_height - b.visible_height, a.hidden_height - b.hidden_height};
    double largest = 0.0;
    for (double d : differences)
        if (!(std::fabs(d) <= largest)) largest = std::fabs(d);
    return largest;
}

}  // namespace

double sine_first_quadrant(double radians) {
    const double quarter_pi = 0.78539816339744830962;
    if (!(radians > quarter_pi)) return kernel_sin(radians, 0.0);
    // sin x = cos(pi/2 - x); pi/2 is taken as three parts so that the
    // difference keeps its full precision near pi/2.
    const double half_pi_1 = 1.57079632673412561417e+00;   // first 33 bits
    const double half_pi_1_tail = 6.07710050650619224932e-11;
    const double half_pi_2 = 6.07710050630396597660e-11;   // next 33 bits
    const double half_pi_2_tail = 2.02226624879595063154e-21;
    double rest = half_pi_1 - radians;
    double head;
    double tail;
    if (rest > 1e-6 || rest < -1e-6) {
        head = rest + half_pi_1_tail;
        tail = half_pi_1_tail - (head - rest);
    } else {
        rest += half_pi_2;
        head = rest + half_pi_2_tail;
        tail = half_pi_2_tail - (head - rest);
    }
    return kernel_cos(head, tail);
}

namespace {
// The passes from the first sight line: the flat answer from the first, the
// curved one and its check from the last.
void run_passes(curvature_result& result, measure_mode mode, double sine, double fixed_height, double sight,
                double visible) {
    double hidden = 0.0;
    const int last_pass = mode == mode_distance ? 1 : 30;
    for (int pass = 0; pass <= last_pass; ++pass) {
        const double ground = safe_sqrt(sight * sight - visible * visible);
        // The hidden height for this ground distance: the next pass's value,
        // and on the last pass the check of the one just used.
        const double next_hidden = drop_below_tangent(ground);
        if (pass == 0) result.flat = take_values(ground, sight, visible, hidden);
        if (pass == last_pass) {
            result.curved = take_values(ground, sight, visible, hidden);
            result.check_hidden = next_hidden;
            result.unsettled = std::fabs(result.check_hidden - hidden) > settling_tolerance;
            result.below_horizon = visible < 0.0;
        }
        if (mode == mode_distance) {
            visible = sight * sine;
            hidden = next_hidden;
        } else {
            visible = fixed_height - next_hidden;
            hidden = next_hidden;
            sight = visible / sine;
        }
    }
    result.final_sight_distance = sight;
}

// The model's own answer beside the passes', and how far they are apart.
void compare_with_exact(curvature_result& result, measure_mode mode, double length, double angle, double sine) {
    // The passes stay as they are; where they miss the model's own answer
    // (near and past the warning edge), the report says so and gives it.
    if (mode == mode_distance) {
        result.exact = result.curved;
    } else {
        const double cosine = sine_first_quadrant((90.0 - angle) * degrees_to_radians);
        result.exact = solve_height_exactly(length, sine, cosine);
    }
    result.off = largest_difference(result.curved, result.exact);
    result.inexact = !(result.off <= half_printed_digit);
    result.far_off = !(result.off <= settling_tolerance);
    result.warned = result.unsettled || result.below_horizon || result.far_off;
}
}  // namespace

namespace {
// The sphere the sight line sees: radius R / (1 - k) under refraction k.
struct refracted_sphere {
    double radius;
    double radius_squared;
    double drop(double g) const { return safe_sqrt(g * g + radius_squared) - radius; }
};

// Height and Distance mode with an eye height and refraction: the model's
// equations solved exactly (the closed form with H - e in place of H), and
// the hidden part counted from the eye's own horizon.
void solve_with_conditions(curvature_result& r, double sine) {
    const double cosine = sine_first_quadrant((90.0 - r.angle) * degrees_to_radians);
    refracted_sphere sphere{earth_radius, earth_radius_squared};
    if (r.refraction != 0.0) {
        sphere.radius = earth_radius / (1.0 - r.refraction);
        sphere.radius_squared = sphere.radius * sphere.radius;
    }
    const double eye = r.eye_height;
    r.eye_horizon = safe_sqrt(eye * eye + 2.0 * sphere.radius * eye);
    double total = 0.0;
    if (r.mode == mode_height) {
        const double above_eye = r.length - eye;
        if (!(above_eye > 0.0)) {  // no angle above the horizontal sees the top
            r.top_not_above_eye = true;
            return;
        }
        r.flat = take_values(above_eye * cosine / sine, above_eye / sine, r.length, 0.0);
        r.curved = solve_height_exactly(above_eye, sine, cosine, sphere.radius, sphere.radius_squared);
        total = r.length;
    } else {
        const double ground = r.length * cosine;
        r.flat = take_values(ground, r.length, eye + r.length * sine, 0.0);
        r.curved = take_values(ground, r.length, 0.0, 0.0);
        total = eye + r.length * sine + sphere.drop(ground);
    }
    const double beyond_horizon = r.curved.ground_distance - r.eye_horizon;
    const double hidden = sphere.drop(beyond_horizon > 0.0 ? beyond_horizon : 0.0);
    r.curved = take_values(r.curved.ground_distance, r.curved.sight_distance, total - hidden, hidden);
    r.exact = r.curved;
    r.check_hidden = hidden;
    r.first_sight_distance = r.flat.sight_distance;
    r.final_sight_distance = r.curved.sight_distance;
}
}  // namespace

double refraction_coefficient(refraction_choice choice) {
    switch (choice) {
        case refraction_gauss: return 0.13;
        case refraction_0142: return 0.142;
        case refraction_020: return 0.20;
        default: return 0.0;
    }
}

curvature_result compute_curvature(int kilometres, int metres, int degrees, int minutes, measure_mode mode,
                                   sight_conditions conditions) {
    int eye = conditions.eye_metres;
    if (eye < 0) eye = 0;
    if (eye > eye_height_max_metres) eye = eye_height_max_metres;
    return compute_curvature_with(kilometres, metres, degrees, minutes, mode, eye / 1000.0,
                                  refraction_coefficient(conditions.refraction));
}

curvature_result compute_curvature_with(int kilometres, int metres, int degrees, int minutes, measure_mode mode,
                                        double eye_height, double refraction) {
    if (kilometres < 0) kilometres = 0;
    if (kilometres > 99999) kilometres = 99999;
    if (degrees < 0) degrees = 0;
    if (degrees > 90) degrees = 90;

    double length = kilometres + metres / 1000.0;
    double angle = degrees + minutes / 60.0;
    if (length < 0.001) length = 0.001;
    if (length > 100000.0) length = 100000.0;
    if (angle < 0.01) angle = 0.01;
    if (angle > 89.99) angle = 89.99;

    const double sine = sine_first_quadrant(angle * degrees_to_radians);

    curvature_result result{};
    result.mode = mode;
    result.length = length;
    result.angle = angle;

    double fixed_height = 0.0;
    double sight = 0.0;
    double visible = 0.0;
    if (mode == mode_distance) {
        sight = length;
        fixed_height = sight * sine;
        visible = fixed_height;
    } else {
        fixed_height = length;
        visible = fixed_height;
        sight = visible / sine;
    }
    result.first_sight_distance = sight;

    // Out of range (NaN included) counts as none.
    result.eye_height = eye_height > 0.0 && eye_height <= 9.999 ? eye_height : 0.0;
    result.refraction = refraction > 0.0 && refraction <= 0.5 ? refraction : 0.0;
    if (result.eye_height != 0.0 || result.refraction != 0.0) {
        result.conditions_set = true;
        solve_with_conditions(result, sine);
        return result;
    }
    run_passes(result, mode, sine, fixed_height, sight, visible);
    compare_with_exact(result, mode, length, angle, sine);
    return result;
}
