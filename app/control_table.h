#pragma once
// The main dialog's controls, one row each: everything the program says about
// a control apart from its place and style, which the dialog template keeps.
// Portable: no Windows headers.

enum control_kind {
    kind_label,
    kind_field,           // a whole-number input field with its up-down control
    kind_spin,            // an up-down control: named and described as its field
    kind_push_button,
    kind_radio,
    kind_check_box,
    kind_picture_button,  // shows a picture: its name is its window text
    kind_output,
    kind_list,            // a drop-down list: its items follow the language
};

struct two_languages {
    const char* german;
    const char* english;
};

struct control_row {
    int id;
    control_kind kind;
    two_languages caption;        // nullptr: the template's text stays in both languages
    two_languages tip;            // the tooltip, also the description screen readers read
    two_languages name;           // where the control's own text or label would name it wrongly
    two_languages distance_name;  // the name in Distance mode, where it is another
    bool annotated;               // named and described to screen readers
    int spin;                     // fields: the up-down control that steps it
    int text_limit;               // fields: characters
    int spin_maximum;             // fields: the up-down range is 0 to this
    int start_value;              // fields; lists: the item chosen at start
    two_languages web_link;       // the page the button opens
    const two_languages* items = nullptr;  // lists: the items, in the order of their values
    int item_count = 0;
};

extern const control_row control_rows[];
extern const int control_row_count;

// The rows, for a range-for.
struct control_row_range {
    const control_row* first;
    const control_row* last;
    const control_row* begin() const { return first; }
    const control_row* end() const { return last; }
};
inline control_row_range table_rows() { return {control_rows, control_rows + control_row_count}; }

// The row of the control; nullptr for an id without one.
const control_row* control_row_of(int control_id);
// The text in the language: German when `german` is not 0.
const char* in_language(const two_languages& text, int german);

// The tip of the control: an up-down control shares its field's. nullptr for
// controls without a tip (the output box, the labels, anything unknown).
const char* tooltip_text(int control_id, int german);
// The name a screen reader gives the control where its own text does not
// name it (the length field by the measure mode, each up-down control as its
// field); nullptr for every other control.
const char* accessible_name(int control_id, int distance_mode, int german);
// The text of item `index` of a list in the language; nullptr out of range
// or for a control that is no list.
const char* list_item_text(int control_id, int index, int german);
// The page the WWW, portrait or diagram button opens; nullptr for any other.
const char* web_link(int control_id, int german);
