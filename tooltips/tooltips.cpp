#include "tooltips/tooltips.h"

// Placeholders until the tooltips are built.
int create_tooltips() { return 0; }
void answer_tooltip_text(NMHDR*) {}
void remove_tooltips() {}
