#pragma once
// The two pictures of the main dialog drawn for any scale: the portrait and
// the triangle diagram, as the picture script draws them for 96 DPI.

enum picture_id { picture_portrait = 0, picture_diagram_small = 1, picture_diagram_large = 2 };

struct picture_size {
    int width;
    int height;
};

// The picture's size at 96 DPI (the bitmap resources have it).
picture_size natural_picture_size(picture_id id);

// Its size at dpi in a button whose inner room is room_width x room_height:
// grown with the scale; a diagram shrunk to fit the room whole (the portrait
// keeps its 96-DPI look, with its margin cut as there).
picture_size picture_size_for(picture_id id, int dpi, int room_width, int room_height);

// Pixels of scratch memory that draw_picture needs for that size.
int picture_scratch_pixels(picture_id id, picture_size size);

// Draws the picture at size into pixels (width x height, rows top first,
// 0xAARRGGBB, opaque), using scratch (picture_scratch_pixels of them).
// False, with nothing drawn, for an empty or oversized size.
bool draw_picture(picture_id id, picture_size size, unsigned* pixels, unsigned* scratch);
