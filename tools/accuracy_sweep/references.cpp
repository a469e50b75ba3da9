#include "tools/accuracy_sweep/references.h"

#include <algorithm>
#include <cmath>

#include "calc/format.h"

namespace accuracy {

dialog_input make_input(long long metres, int minutes, measure_mode mode) {
    long long km = metres / 1000;
    long long m = metres % 1000;
    if (km > 99999) {
        m += (km - 99999) * 1000;
        km = 99999;
    }
    return {static_cast<int>(km), static_cast<int>(m), minutes / 60, minutes % 60, mode};
}


// Below-tangent drop of the sphere at tangent-plane distance g, in the form
// that does not cancel for small g.
double drop(double g, double radius) { return g * g / (std::sqrt(g * g + radius * radius) + radius); }

namespace {
// The Height-mode model: g = (H - drop(g)) cot a, here multiplied by sin a so
// that it stays finite. Increasing in g, negative at 0, and zero at
// g_max = sqrt(H (2R + H)) only if a = 90 degrees: positive there otherwise.
double height_model_gap(double g, double height, double sine, double cosine, double radius) {
    return g * sine - (height - drop(g, radius)) * cosine;
}

// Bisection down to adjacent doubles: the root of a monotone function needs
// no starting guess and cannot be lost.
double solve_height_model(double height, double sine, double cosine, double radius = earth_radius) {
    double low = 0.0;
    double high = std::sqrt(height * (2.0 * radius + height));
    for (;;) {
        const double middle = low + (high - low) / 2.0;
        if (!(middle > low && middle < high)) break;
        if (height_model_gap(middle, height, sine, cosine, radius) < 0.0)
            low = middle;
        else
            high = middle;
    }
    return std::fabs(height_model_gap(low, height, sine, cosine, radius)) <=
                   std::fabs(height_model_gap(high, height, sine, cosine, radius))
               ? low
               : high;
}

}  // namespace

figures exact_model(measure_mode mode, double length, double sine, double cosine) {
    figures f{};
    if (mode == mode_height) {
        f.ground = solve_height_model(length, sine, cosine);
        f.hidden = drop(f.ground, earth_radius);
        f.visible = length - f.hidden;
        f.sight = f.visible / sine;
        f.total = length;
    } else {
        // Distance mode: the sight line is given, so one step is the model.
        f.sight = length;
        f.ground = length * cosine;
        f.visible = length * sine;
        f.hidden = drop(f.ground, earth_radius);
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
        const double g1 = (height - drop(g0, earth_radius)) * cot;
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


// The eye's horizon: the tangent from an eye e above a sphere of radius r.
double eye_horizon(double eye, double radius) { return std::sqrt(eye * eye + 2.0 * radius * eye); }

figures exact_model_with(measure_mode mode, double length, double sine, double cosine, double eye, double k) {
    const double radius = earth_radius / (1.0 - k);
    figures f{};
    if (mode == mode_height) {
        const double above_eye = length - eye;
        f.ground = solve_height_model(above_eye, sine, cosine, radius);
        f.sight = (above_eye - drop(f.ground, radius)) / sine;
        f.total = length;
    } else {
        f.sight = length;
        f.ground = length * cosine;
        f.total = eye + length * sine + drop(f.ground, radius);
    }
    f.hidden = drop(std::max(0.0, f.ground - eye_horizon(eye, radius)), radius);
    f.visible = f.total - f.hidden;
    return f;
}

// Eye E at r + e above the centre C, top T at central angle theta and r + H
// from C. What a straight ray from E grazing the sphere hides at theta is
// counted from the horizon's central angle theta0 (tan theta0 = d0 / r).
figures true_sight(measure_mode mode, double length, double sine, double cosine, double eye, double k) {
    const double r = earth_radius / (1.0 - k);
    double theta;
    figures f{};
    if (mode == mode_height) {
        // Triangle C, E, T: the angle at E is 90 degrees + a, so with
        // beta = theta + a, cos(beta) = (r + e) cos(a) / (r + H).
        const double across_eye = (r + eye) * cosine;
        const double rest = (length - eye) * (2.0 * r + length + eye) + (r + eye) * (r + eye) * sine * sine;
        theta = std::atan2(std::sqrt(rest), across_eye) - std::atan2(sine, cosine);
        f.total = length;
        f.sight = (r + length) * std::sin(theta) / cosine;
    } else {
        const double across = length * cosine;
        const double lift = eye + length * sine;
        const double up = r + lift;
        theta = std::atan2(across, up);
        f.total = (across * across + lift * (2.0 * r + lift)) / (std::hypot(across, up) + r);
        f.sight = length;
    }
    f.ground = r * std::tan(theta);
    const double past = theta - std::atan(eye_horizon(eye, r) / r);
    const double half_sine = std::sin(past / 2.0);
    f.hidden = past > 0.0 ? 2.0 * r * half_sine * half_sine / std::cos(past) : 0.0;
    f.visible = f.total - f.hidden;
    return f;
}

}  // namespace accuracy
