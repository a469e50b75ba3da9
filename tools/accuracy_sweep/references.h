#pragma once
// The accuracy references: the sphere model solved exactly by bisection,
// independent of the program's closed form, and true geometry on a sphere.
// Shared by tools/accuracy_sweep and the unit tests of the report's figures.
// Output is ASCII only: the project compiles string literals to CP1252.
#include <limits>
#include <string>
#include <vector>

#include "calc/curvature.h"

namespace accuracy {

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
dialog_input make_input(long long metres, int minutes, measure_mode mode);

struct figures {
    double ground, sight, visible, hidden, total;
};

// Below-tangent drop of a sphere of the radius at tangent-plane distance g.
double drop(double g, double radius = earth_radius);
// The model solved exactly (bisection in Height mode) and true geometry.
figures exact_model(measure_mode mode, double length, double sine, double cosine);
figures exact_sphere(measure_mode mode, double length, double sine, double cosine);

// With an eye height e (km) and refraction k: the model (drop from the
// tangent plane on a sphere of radius R / (1 - k), counted from the eye's
// horizon; Height mode by bisection, H - e in place of H), and straight rays
// over that sphere from an eye e above its surface in the plane through the
// centre. Height mode needs H > e.
double eye_horizon(double eye, double radius);
figures exact_model_with(measure_mode mode, double length, double sine, double cosine, double eye, double k);
figures true_sight(measure_mode mode, double length, double sine, double cosine, double eye, double k);

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

point evaluate(const dialog_input& in);

std::string printed(double value);  // three decimals, as the report prints
double relative(double value, double reference);
double model_difference(const sight_values& c, const figures& model);
double model_difference(const point& p);
bool prints_like_model(const point& p);

std::vector<long long> length_steps(int per_decade);
std::vector<int> angle_steps(int count);

}  // namespace accuracy
