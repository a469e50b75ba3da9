#pragma once
// What the main dialog decides, apart from how Windows applies it.

#include "calc/curvature.h"

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
// stock_cell_height: the stock font's cell height in pixels; dialog_dpi 0
// for the system's scale.
output_font_choice choose_output_font(int output_font_index, int stock_cell_height, int system_dpi, int dialog_dpi);
