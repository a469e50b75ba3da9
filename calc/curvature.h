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
    // Set when an eye height or refraction is given: curved (and exact) hold
    // the model's exact figures, no passes run, nothing warns.
    bool conditions_set;
    double eye_height;      // km, 0 when none
    double refraction;      // coefficient k, 0 when none
    double eye_horizon;     // km, the eye's horizon distance d0
    bool top_not_above_eye; // Height mode, total height <= eye height: no figures
};

// The observer's eye above the ground and the refraction coefficient k. The
// start values (0 and none) give the textbook sight: eye on the ground,
// straight rays, every figure as without them.
enum refraction_choice : int { refraction_none = 0, refraction_gauss = 1, refraction_0142 = 2, refraction_020 = 3 };
enum { refraction_choice_count = 4, eye_height_max_metres = 9999 };
struct sight_conditions {
    int eye_metres = 0;  // whole metres, clamped to 0..9999
    refraction_choice refraction = refraction_none;
};

// k for each choice: none, 0.13 (Gauss), 0.142 and 0.20 (total stations).
double refraction_coefficient(refraction_choice choice);

curvature_result compute_curvature(int kilometres, int metres, int degrees, int minutes, measure_mode mode,
                                   sight_conditions conditions = sight_conditions());

// The same model for an eye height in km (up to 9.999, e.g. 0.0017) and a
// coefficient k (up to 0.5): what the dialog's choices map to, open for the
// accuracy tools. Out of range (NaN included) counts as none; with both 0 it
// is compute_curvature's textbook result.
curvature_result compute_curvature_with(int kilometres, int metres, int degrees, int minutes, measure_mode mode,
                                        double eye_height, double refraction);

// Sine for 0 <= radians <= pi/2, the range of the elevation angle, built from
// plain double arithmetic so that every platform gets the same bits (the
// C runtimes' sines differ in the last place for some angles, e.g. mingw-w64
// goes through the x87 unit). Within one unit in the last place of sin.
double sine_first_quadrant(double radians);
