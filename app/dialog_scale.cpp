#include "app/dialog_scale.h"

namespace {
// The height Windows gives a font of `point_size` at `dpi`: -MulDiv(point_size, dpi, 72).
int font_height_at(int point_size, int dpi) { return -((point_size * dpi + 36) / 72); }
}  // namespace

bool windows_gives_dpi(int dpi) { return dpi >= 96 / 2 && dpi <= 96 * 5; }

int dialog_layout_dpi(int font_height, int point_size, int window_dpi, int system_dpi) {
    if (window_dpi <= 0) return 0;
    if (font_height != font_height_at(point_size, window_dpi) && system_dpi > 0 &&
        font_height == font_height_at(point_size, system_dpi))
        return system_dpi;
    return window_dpi;
}
