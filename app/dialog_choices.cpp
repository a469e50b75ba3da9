#include "app/dialog_choices.h"

#include "app/app_texts.h"

dialog_choices after_press(dialog_choices choices, choice_button button) {
    switch (button) {
    case press_language:
        choices.language = choices.language == language_german ? language_english : language_german;
        break;
    case press_font: choices.output_font_index = next_output_font_index(choices.output_font_index); break;
    case press_colour: choices.colour_scheme = !choices.colour_scheme; break;
    case press_graphic: choices.large_diagram = !choices.large_diagram; break;
    }
    return choices;
}

dialog_language start_language(unsigned language_id) {
    return german_for_language_id(language_id) ? language_german : language_english;
}

int german_flag(dialog_language language) { return language == language_german ? 1 : 0; }

int next_output_font_index(int index) { return index >= 3 || index < 0 ? 0 : index + 1; }

const char* length_label_text(measure_mode mode, int german) {
    if (mode == mode_distance) return german != 0 ? "Entfernung:" : "Distance:";
    return german != 0 ? "Höhe:" : "Height:";
}

int output_font_stock_object(int output_font_index) {
    // Values as GetStockObject takes them: ANSI_FIXED_FONT, DEFAULT_GUI_FONT,
    // SYSTEM_FIXED_FONT, SYSTEM_FONT.
    switch (output_font_index) {
    case 1: return 11;
    case 2: return 17;
    case 3: return 16;
    default: return 13;
    }
}

output_font_choice choose_output_font(int output_font_index, int stock_cell_height, int system_dpi, int dialog_dpi,
                                      int box_height) {
    const int screen_dpi = dialog_dpi > 0 ? dialog_dpi : system_dpi;
    if (output_font_stock_object(output_font_index) == 11 && screen_dpi > 0) {
        int wanted = (12 * screen_dpi + 48) / 96;
        // The answer's lines whole in the box, though the box, in dialog
        // units, does not grow quite as the font does at every scale.
        const int fitting = box_height / report_lines_in_view;
        if (fitting > 0 && fitting < wanted) wanted = fitting;
        // A pixel either way is the raster set made for a nearby scale.
        if (stock_cell_height < wanted - 1 || stock_cell_height > wanted + 1 ||
            (fitting > 0 && stock_cell_height > fitting))
            return {output_font_stand_in, "Courier New", wanted};
        return {output_font_stock, nullptr, 0};
    }
    if (dialog_dpi > 0 && system_dpi > 0 && dialog_dpi != system_dpi) return {output_font_scaled_copy, nullptr, 0};
    return {output_font_stock, nullptr, 0};
}
