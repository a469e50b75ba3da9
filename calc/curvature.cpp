#include "calc/curvature.h"

#include <cmath>

#include "calc/format.h"

namespace {

const double earth_radius = 6378.137;
const double earth_radius_squared = 40680631.59076899;
const double degrees_to_radians = 0.017453292519943295;
const double settling_tolerance = 0.05;

sight_values take_values(double ground, double sight, double visible, double hidden) {
    sight_values values;
    values.ground_distance = ground;
    values.sight_distance = sight;
    values.visible_height = visible;
    values.hidden_height = hidden;
    values.total_height = visible + hidden;
    return values;
}

// How far the sphere lies below the observer's tangent plane at distance g.
double drop_below_tangent(double g) {
    return safe_sqrt(g * g + earth_radius_squared) - earth_radius;
}

}  // namespace

curvature_result compute_curvature(int kilometres, int metres, int degrees, int minutes, measure_mode mode) {
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

    const double sine = std::sin(angle * degrees_to_radians);

    curvature_result result{};
    result.mode = mode;
    result.length = length;
    result.angle = angle;

    double fixed_height = 0.0;
    double sight = 0.0;
    double visible = 0.0;
    double hidden = 0.0;
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

    const int last_pass = mode == mode_distance ? 1 : 30;
    for (int pass = 0; pass <= last_pass; ++pass) {
        const double ground = safe_sqrt(sight * sight - visible * visible);
        if (pass == 0) result.flat = take_values(ground, sight, visible, hidden);
        if (pass == last_pass) {
            result.curved = take_values(ground, sight, visible, hidden);
            result.check_hidden = drop_below_tangent(ground);
            result.unsettled = std::fabs(result.check_hidden - hidden) > settling_tolerance;
            result.below_horizon = visible < 0.0;
        }
        const double next_hidden = drop_below_tangent(ground);
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
    result.warned = result.unsettled || result.below_horizon;
    return result;
}
