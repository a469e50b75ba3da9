#pragma once
// What the main dialog decides, apart from how Windows applies it.

#include "calc/curvature.h"

enum dialog_language { language_english, language_german };

// What the user has chosen in the main dialog. Only the dialog's own set-up
// and buttons change it; everything the dialog shows follows from it.
struct dialog_choices {
    dialog_language language = language_german;  // until the set-up takes the user's
    measure_mode mode = mode_height;
    bool ram_info = false;      // the system report in place of the curvature one
    int output_font_index = 1;  // 0..3
    bool colour_scheme = false;
    bool large_diagram = false;
    refraction_choice refraction = refraction_none;  // the list's item; the eye height is a field
};

// The buttons that change a choice by themselves being pressed.
enum choice_button { press_language, press_font, press_colour, press_graphic };
// The choices after a press of that button.
dialog_choices after_press(dialog_choices choices, choice_button button);

// The start language for the user's 16-bit language id.
dialog_language start_language(unsigned language_id);
// 1 for German, 0 for English: the flag the texts and reports take.
int german_flag(dialog_language language);

// The output font index after a press of the font button: 0..3, round.
int next_output_font_index(int index);

// The text of the length label for the measure mode.
const char* length_label_text(measure_mode mode, int german);

// Stock object id (as GetStockObject takes it) for the output font index.
int output_font_stock_object(int output_font_index);

// How the output box gets its font at the screen's scale. The fixed-pitch
// default is a 9-point face, 12 px high at 96 DPI; where its stock font does
// not come at that size for the screen's DPI (a raster font, made for one
// scale), a matching outline face (the stand-in) at 9 points takes its
// place. Other stock fonts follow the system's scale, and a copy is made only
// for a dialog on a screen of another scale.
enum output_font_kind { output_font_stock, output_font_scaled_copy, output_font_stand_in };
struct output_font_choice {
    output_font_kind kind;
    const char* face;  // the stand-in's face
    int height;        // the stand-in's cell height in pixels
};
// The lines the box shows whole with the fixed-pitch default at every scale:
// the curved and closing sections of every Height-mode report.
const int report_lines_in_view = 27;
// stock_cell_height: the stock font's cell height in pixels; dialog_dpi 0
// for the system's scale; box_height the box's text height in pixels (0 when
// unknown), which caps the fixed-pitch default so that it holds
// report_lines_in_view lines.
output_font_choice choose_output_font(int output_font_index, int stock_cell_height, int system_dpi, int dialog_dpi,
                                      int box_height = 0);
