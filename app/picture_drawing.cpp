#include "app/picture_drawing.h"

#include <cmath>
#include <cstdlib>

namespace {

const int largest_side = 4096;

double clamp01(double v) { return v < 0.0 ? 0.0 : v > 1.0 ? 1.0 : v; }
// Rounds halves to even, as the drawing always has.
int round_even(double v) { return static_cast<int>(std::nearbyint(v)); }

unsigned rgb(int r, int g, int b) { return 0xFF000000u | (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

// ------------------------------------------------------------- the portrait

struct ellipse_point {
    double u, v;
    bool inside;
};
ellipse_point ellipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return {u, v, u * u + v * v <= 1.0};
}

double shade(double u, double v) {
    const double lx = -0.55, ly = -0.6, lz = 0.58;
    const double nz = std::sqrt(std::fmax(0.0, 1.0 - (u * u + v * v)));
    const double brightness = (u * lx + v * ly + nz * lz) / std::sqrt(lx * lx + ly * ly + lz * lz);
    return clamp01(1.0 - clamp01(brightness));
}

enum line_kind { no_line, line_head, line_wave, line_curl, line_robe, line_back };
struct ink_point {
    double darkness;
    line_kind kind;
    double period;
};

// The face's strokes (eyes, lids, brows, nose, moustache, mouth), if any.
bool face_stroke(double x, double y, double cx, ink_point& p) {
    for (int side = -1; side <= 1; side += 2) {
        const double ex = cx + 15 * side;
        const ellipse_point eye = ellipse(x, y, ex, 114, 8, 3.2);
        if (eye.inside) {
            const bool pupil = (x - ex - 1) * (x - ex - 1) + (y - 114) * (y - 114) <= 4.5;
            p = {pupil ? 0.95 : 0.35, no_line, 0};
            return true;
        }
        if (std::fabs(eye.u) <= 1.0 && std::fabs(eye.v) <= 1.6 && y < 114) return p = {0.55, no_line, 0}, true;
        const double bx = (x - ex) / 11.0;
        const double arc = 104 + 3.0 * bx * bx;
        if (std::fabs(bx) <= 1.0 && std::fabs(y - arc) < 1.6 - 0.5 * side * bx) return p = {0.9, no_line, 0}, true;
    }
    const double ridge = cx + 2 + (y - 110) * 0.16;
    if (110 < y && y < 138 && std::fabs(x - ridge) < 1.0) return p = {0.75, no_line, 0}, true;
    if (134 <= y && y <= 140 && (std::fabs(x - (cx - 5)) < 2.5 || std::fabs(x - (cx + 8)) < 2.5) && y > 136)
        return p = {0.8, no_line, 0}, true;
    const ellipse_point moustache = ellipse(x, y, cx + 1, 145, 20, 5);
    if (moustache.inside) return p = {clamp01(0.6 + 0.3 * std::fabs(moustache.u)), line_wave, 2.5}, true;
    if (150 <= y && y <= 152 && std::fabs(x - cx - 1) < 9) return p = {0.9, no_line, 0}, true;
    return false;
}

ink_point portrait_point(double x, double y, double w, double h) {
    const double edge = std::fmin(std::fmin(x, y), std::fmin(w - 1 - x, h - 1 - y));
    if (edge < 3) return {1.0, no_line, 0};
    if (6 <= edge && edge < 7) return {0.9, no_line, 0};
    if (edge < 9) return {0.0, no_line, 0};
    const double cx = w / 2.0;
    const ellipse_point head = ellipse(x, y, cx, 120, 38, 50), hair = ellipse(x, y, cx, 112, 47, 58);
    const ellipse_point beard = ellipse(x, y, cx, 168, 40, 50), robe = ellipse(x, y, cx, h + 30, 100, 128);
    const bool in_neck = std::fabs(x - cx) < 18 && 150 < y && y < 236;
    ink_point p;
    if (face_stroke(x, y, cx, p)) return p;
    const double ridge = cx + 2 + (y - 110) * 0.16;
    if (head.inside && !(head.v < -0.55)) {
        double darkness = 0.06 + 0.55 * shade(head.u, head.v);
        if (x > ridge && 110 < y && y < 138 && x < ridge + 6) darkness += 0.25;
        if (beard.inside && y > 140) return {clamp01(0.45 + 0.35 * shade(beard.u, beard.v)), line_wave, 3.0};
        return {clamp01(darkness), line_head, 3.0};
    }
    if (beard.inside && y > 138) return {clamp01(0.45 + 0.35 * shade(beard.u, beard.v)), line_wave, 3.0};
    if (hair.inside && y < 160) return {clamp01(0.45 + 0.4 * shade(hair.u, hair.v)), line_curl, 3.0};
    if (in_neck && !robe.inside) return {clamp01(0.35 + 0.4 * std::fabs(x - cx) / 18.0), line_head, 3.0};
    if (robe.inside) {
        const double fold = 0.5 + 0.5 * std::sin(x / 9.0 + y / 40.0);
        return {clamp01(0.3 + 0.45 * shade(robe.u, robe.v * 0.5) * 0.6 + 0.3 * fold), line_robe, 4.0};
    }
    return {clamp01(0.18 + 0.25 * (x / w) + 0.1 * (y / h)), line_back, 3.0};
}

double line_phase(line_kind kind, double x, double y, double w) {
    const double cx = w / 2.0;
    switch (kind) {
    case line_head: return y + 6.0 * ((x - cx) / 38.0) * ((x - cx) / 38.0);
    case line_wave: return x + 2.5 * std::sin(y / 5.0);
    case line_curl: return std::hypot(x - cx, y - 100) + 1.5 * std::sin(std::atan2(y - 100, x - cx) * 18.0);
    case line_robe: return (x + y) * 0.7071 + 2.0 * std::sin(x / 14.0);
    default: return y;
    }
}

// Each pixel taken at its centre in the 96-DPI picture; the engraving lines
// keep a soft edge one pixel wide.
void draw_portrait(picture_size size, unsigned* pixels) {
    const double w = 217, h = 332;
    const double sx = size.width / w, sy = size.height / h;
    unsigned palette[16];
    for (int k = 0; k < 16; ++k) {
        const double t = k / 15.0;
        palette[k] = rgb(round_even(252 + (140 - 252) * t), round_even(243 + (8 - 243) * t),
                         round_even(228 + (16 - 228) * t));
    }
    for (int py = 0; py < size.height; ++py) {
        const double y = (py + 0.5) / sy - 0.5;
        for (int px = 0; px < size.width; ++px) {
            const double x = (px + 0.5) / sx - 0.5;
            const ink_point p = portrait_point(x, y, w, h);
            double ink = p.darkness;
            if (p.kind != no_line) {
                const double phase = line_phase(p.kind, x, y, w) / p.period;
                const double distance = std::fabs(phase - std::floor(phase) - 0.5) * p.period;
                ink = clamp01((p.darkness * p.period / 2.0 - distance) * sx + 0.5);
            }
            pixels[py * size.width + px] = palette[round_even(ink * 15)];
        }
    }
}


// ---------------------------------------------------------------- the diagram

// A small pixel font: 4 columns (bit 0 the leftmost), up to 9 rows.
struct glyph {
    char letter;
    int rows;
    unsigned char bits[9];
};
const glyph glyphs[] = {
    {'A', 7, {6, 9, 9, 15, 9, 9, 9}},
    {'B', 7, {7, 9, 9, 7, 9, 9, 7}},
    {'E', 7, {15, 1, 1, 7, 1, 1, 15}},
    {'a', 7, {0, 0, 6, 8, 14, 9, 14}},
    {'b', 7, {1, 1, 7, 9, 9, 9, 7}},
    {'c', 7, {0, 0, 14, 1, 1, 1, 14}},
    {'d', 7, {8, 8, 14, 9, 9, 9, 14}},
    {'e', 7, {0, 0, 6, 9, 15, 1, 14}},
    {'f', 7, {12, 2, 7, 2, 2, 2, 2}},
    {'g', 9, {0, 0, 14, 9, 9, 9, 14, 8, 7}},
    {'h', 7, {1, 1, 7, 9, 9, 9, 9}},
    {'i', 7, {2, 0, 3, 2, 2, 2, 7}},
    {'j', 9, {4, 0, 6, 4, 4, 4, 4, 4, 3}},
    {'n', 7, {0, 0, 7, 9, 9, 9, 9}},
    {'o', 7, {0, 0, 6, 9, 9, 9, 6}},
    {'r', 7, {0, 0, 13, 3, 1, 1, 1}},
    {'s', 7, {0, 0, 14, 1, 6, 8, 7}},
    {'t', 7, {2, 2, 7, 2, 2, 2, 12}},
    {'u', 7, {0, 0, 9, 9, 9, 9, 14}},
    {'v', 7, {0, 0, 9, 9, 9, 6, 6}},
    {'=', 7, {0, 0, 0, 15, 0, 15, 0}},
    {',', 8, {0, 0, 0, 0, 0, 2, 2, 1}},
    {'\'', 7, {2, 2, 1, 0, 0, 0, 0}},
    {' ', 0, {0}},
};
const int glyph_advance = 5, legend_line_height = 10;
const char* const legend[] = {"A = object, B = observer", "c = distance to object", "b = height of object",
                              "a = distance on Earth's surface"};
enum { white, black, blue, red, grey, pale };
const unsigned diagram_palette[] = {rgb(255, 255, 255), rgb(0, 0, 0),       rgb(20, 60, 200),
                                    rgb(200, 20, 20),   rgb(150, 150, 150), rgb(235, 240, 250)};

// An index canvas: the diagram drawn at a whole-number scale.
struct canvas {
    unsigned* cells;
    int width, height, scale;
    void put(int x, int y, unsigned colour) {
        if (x >= 0 && y >= 0 && x < width && y < height) cells[y * width + x] = colour;
    }
    // A line between points of the 96-DPI picture, scale times as thick.
    void line(int x0, int y0, int x1, int y1, unsigned colour, int thickness) {
        x0 *= scale, y0 *= scale, x1 *= scale, y1 *= scale, thickness *= scale;
        int steps = std::abs(x1 - x0) > std::abs(y1 - y0) ? std::abs(x1 - x0) : std::abs(y1 - y0);
        if (steps < 1) steps = 1;
        for (int s = 0; s <= steps; ++s) {
            const int x = round_even(x0 + double(x1 - x0) * s / steps), y = round_even(y0 + double(y1 - y0) * s / steps);
            for (int oy = 0; oy < thickness; ++oy)
                for (int ox = 0; ox < thickness; ++ox) put(x + ox, y + oy, colour);
        }
    }
    void text(int x, int y, const char* letters, unsigned colour) {
        for (; *letters != '\0'; ++letters, x += glyph_advance)
            for (const glyph& g : glyphs)
                if (g.letter == *letters)
                    for (int dy = 0; dy < g.rows; ++dy)
                        for (int dx = 0; dx < 4; ++dx)
                            if (g.bits[dy] & (1u << dx))
                                for (int py = 0; py < scale; ++py)
                                    for (int px = 0; px < scale; ++px)
                                        put((x + dx) * scale + px, (y + dy) * scale + py, colour);
    }
};

void draw_diagram(canvas& c, int w, int h) {
    const int legend_top = h - 4 * legend_line_height - 1;
    const int thick = w > 180 ? 2 : 1;
    const int bx = 14, by = legend_top - 10, cx = w - 22, cy = by, ax = cx, ay = 6;
    for (int i = 0; i < c.width * c.height; ++i) c.cells[i] = white;
    const int pale_end = by + 5 + thick < h ? by + 5 + thick : h;
    for (int y = (by + 2 + thick) * c.scale; y < pale_end * c.scale; ++y)
        for (int x = 0; x < c.width; ++x) c.put(x, y, pale);
    c.line(bx, by, cx, cy, black, thick);
    c.line(cx, cy, ax, ay, blue, thick);
    c.line(bx, by, ax, ay, red, thick);
    const int mark = thick > 1 ? 6 : 5;
    c.line(cx - mark, cy, cx - mark, cy - mark, grey, 1);
    c.line(cx - mark, cy - mark, cx, cy - mark, grey, 1);
    c.text(bx - 10, by - 4, "B", black);
    c.text(ax + 4 + thick, ay, "A", black);
    c.text((bx + cx) / 2 + 8, by - 9 - thick, "a", black);
    c.text(cx + 4 + thick, (cy + ay) / 2, "b", blue);
    c.text((bx + ax) / 2 - 6, (by + ay) / 2 - 10, "c", red);
    for (int k = 0; k < 4; ++k) c.text(3, legend_top + k * legend_line_height, legend[k], black);
}

// The canvas averaged down to size: each pixel the mean colour of the
// canvas area it covers.
void shrink(const canvas& c, picture_size size, unsigned* pixels) {
    const double fx = double(c.width) / size.width, fy = double(c.height) / size.height;
    for (int py = 0; py < size.height; ++py) {
        const double top = py * fy, bottom = (py + 1) * fy;
        for (int px = 0; px < size.width; ++px) {
            const double left = px * fx, right = (px + 1) * fx;
            double sum[3] = {0, 0, 0}, area = 0;
            for (int y = int(top); y < c.height && y < bottom; ++y) {
                const double hy = std::fmin(bottom, y + 1.0) - std::fmax(top, double(y));
                for (int x = int(left); x < c.width && x < right; ++x) {
                    const double wgt = hy * (std::fmin(right, x + 1.0) - std::fmax(left, double(x)));
                    const unsigned colour = diagram_palette[c.cells[y * c.width + x]];
                    for (int k = 0; k < 3; ++k) sum[k] += wgt * ((colour >> (16 - 8 * k)) & 0xFF);
                    area += wgt;
                }
            }
            pixels[py * size.width + px] =
                rgb(round_even(sum[0] / area), round_even(sum[1] / area), round_even(sum[2] / area));
        }
    }
}

// The whole-number scale the diagram is drawn at before it is shrunk: at
// least twice, and at least the wanted size.
int diagram_scale(picture_id id, picture_size size) {
    const picture_size natural = natural_picture_size(id);
    int scale = 2;
    while (scale * natural.width < size.width || scale * natural.height < size.height) ++scale;
    return scale;
}

}  // namespace

picture_size natural_picture_size(picture_id id) {
    if (id == picture_portrait) return {217, 332};
    if (id == picture_diagram_large) return {220, 140};
    return {160, 102};
}

picture_size picture_size_for(picture_id id, int dpi) {
    const picture_size natural = natural_picture_size(id);
    const double scale = dpi > 0 ? dpi / 96.0 : 1.0;
    return {round_even(natural.width * scale), round_even(natural.height * scale)};
}

picture_size picture_size_in(picture_id id, int dpi, int room_width) {
    const picture_size size = picture_size_for(id, dpi);
    if (id != picture_diagram_small || room_width <= 0 || size.width <= room_width) return size;
    return {room_width, round_even(double(size.height) * room_width / size.width)};
}

bool picture_size_drawable(picture_size size) {
    return size.width > 0 && size.height > 0 && size.width <= largest_side && size.height <= largest_side;
}

int picture_scratch_pixels(picture_id id, picture_size size) {
    if (id == picture_portrait || !picture_size_drawable(size)) return 0;
    const picture_size natural = natural_picture_size(id);
    // In 64 bits: within the bound the product stays under 28 million.
    const long long scale = diagram_scale(id, size);
    return static_cast<int>(natural.width * scale * natural.height * scale);
}

bool draw_picture(picture_id id, picture_size size, unsigned* pixels, unsigned* scratch) {
    if (!picture_size_drawable(size)) return false;
    if (id == picture_portrait) {
        draw_portrait(size, pixels);
        return true;
    }
    const picture_size natural = natural_picture_size(id);
    const int scale = diagram_scale(id, size);
    canvas c{scratch, natural.width * scale, natural.height * scale, scale};
    draw_diagram(c, natural.width, natural.height);
    shrink(c, size, pixels);
    return true;
}
