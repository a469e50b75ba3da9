#pragma once
// The main dialog's controls as the tests expect them, by name, written out
// once and independently of the program's own ids: a control that moved to
// another id in the program fails the tests that look for it here.
namespace ctl {
enum : int {
    close = 1,
    language = 10,
    font = 11,
    about = 12,
    print = 13,
    height = 15,
    distance = 16,
    ram_info = 17,
    kilometres = 18,
    kilometres_spin = 19,
    metres = 20,
    metres_spin = 21,
    degrees = 22,
    degrees_spin = 23,
    minutes = 24,
    minutes_spin = 25,
    portrait = 26,
    diagram = 27,
    graphic = 28,
    www = 29,
    colour = 30,
    eye_height = 32,
    eye_height_spin = 33,
    refraction = 34,
    output = 1000,
    length_label = 1001,
    unit_kilometres = 1002,
    unit_metres = 1003,
    angle_label = 1004,
    unit_degrees = 1005,
    unit_minutes = 1006,
    eye_label = 1007,
    unit_eye = 1008,
    refraction_label = 1009,
};
}  // namespace ctl

// The window-menu commands the program appends.
namespace menu_command {
enum : unsigned { about = 1, print = 2 };
}  // namespace menu_command
