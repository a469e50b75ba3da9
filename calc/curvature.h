#pragma once
// Flat-Earth and sphere model of an object seen under an elevation angle.

enum measure_mode { mode_height = 0, mode_distance = 1 };

// One model's numbers, in kilometres.
struct sight_values {
    double ground_distance;
    double sight_distance;
    double visible_height;
    double hidden_height;
    double total_height;
};

struct curvature_result {
    measure_mode mode;
    double length;  // clamped, km
    double angle;   // clamped, degrees
    sight_values flat;
    sight_values curved;
    double check_hidden;
    bool unsettled;
    bool below_horizon;
    // Height mode: how far the passes' curved figures lie from the model
    // solved exactly; in Distance mode the passes are exact (off 0).
    sight_values exact;
    double off;
    bool inexact;  // off more than half the last printed digit
    bool far_off;  // off more than the settling tolerance: warned
    bool warned;
    double first_sight_distance;
    double final_sight_distance;
};

curvature_result compute_curvature(int kilometres, int metres, int degrees, int minutes, measure_mode mode);

// Sine for 0 <= radians <= pi/2, the range of the elevation angle, built from
// plain double arithmetic so that every platform gets the same bits (the
// C runtimes' sines differ in the last place for some angles, e.g. mingw-w64
// goes through the x87 unit). Within one unit in the last place of sin.
double sine_first_quadrant(double radians);
