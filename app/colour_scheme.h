#pragma once
// Which colours the dialog draws with. Portable: no Windows headers.

// The colour scheme's own colours (0x00BBGGRR), used only while it is on
// and High Contrast is off: the user's contrast setting wins over the
// program's choice, and the scheme comes back when it is switched off.
struct scheme_colours {
    int own;  // 0: the system's colours, as without the scheme
    unsigned dialog_background, edit_background, edit_text, static_text;
};

scheme_colours dialog_colours(int scheme_on, int high_contrast);
