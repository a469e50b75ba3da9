#pragma once
// The two pictures of the main dialog drawn for any scale: the portrait and
// the triangle diagram in two sizes. At 96 DPI the bitmap resources hold
// this same drawing (tools/picture_bitmaps writes them at build time).

enum picture_id { picture_portrait = 0, picture_diagram_small = 1, picture_diagram_large = 2 };

struct picture_size {
    int width;
    int height;
};

// The picture's size at 96 DPI (the bitmap resources have it).
picture_size natural_picture_size(picture_id id);

// Its size at dpi: the natural size grown with the scale. The button shows
// it centred and cuts what does not fit, as at 96 DPI (the portrait's margin,
// the large diagram's edges).
picture_size picture_size_for(picture_id id, int dpi);
// Its size at dpi on a button room_width pixels wide: the small diagram, whose
// legend reaches both sides, narrowed to the button keeping its shape where
// the button is narrower (a dialog font with narrow dialog units, as at 120 DPI);
// every other picture as picture_size_for gives it.
picture_size picture_size_in(picture_id id, int dpi, int room_width);

// Whether draw_picture draws at that size: each side 1 to 4096 pixels.
// Asked before any memory is taken for a picture, as a scale that comes in a
// message could ask for gigabytes.
bool picture_size_drawable(picture_size size);

// Pixels of scratch memory that draw_picture needs for that size; 0 for a
// size it does not draw.
int picture_scratch_pixels(picture_id id, picture_size size);

// Draws the picture at size into pixels (width x height, rows top first,
// 0xAARRGGBB, opaque), using scratch (picture_scratch_pixels of them).
// False, with nothing drawn, for an empty or oversized size.
bool draw_picture(picture_id id, picture_size size, unsigned* pixels, unsigned* scratch);
