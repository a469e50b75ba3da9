#pragma once
// A picture as a bitmap file of 8 bits per pixel, RLE8-compressed, with the
// picture's own colours as its palette.
#include <vector>

// The whole file for pixels (width x height, rows top first, 0xAARRGGBB);
// empty when the picture has more than 256 colours.
std::vector<unsigned char> rle8_bitmap(const unsigned* pixels, int width, int height);
