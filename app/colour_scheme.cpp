#include "app/colour_scheme.h"

scheme_colours dialog_colours(int scheme_on, int high_contrast) {
    if (!scheme_on || high_contrast) return scheme_colours{0, 0, 0, 0, 0};
    // light green, blue, light grey, red
    return scheme_colours{1, 0x0078FAB4, 0x00C84646, 0x00E6E6E6, 0x000A0AFA};
}
