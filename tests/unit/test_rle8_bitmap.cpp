// The bitmap files of the dialog's pictures: RLE8 data decodes back to the
// drawn pixels, through runs and literals of every length the coder treats apart.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/picture_drawing.h"
#include "tools/picture_bitmaps/rle8_bitmap.h"

namespace {

// The pixels (rows top first) a reader gets from the file; empty when the
// codes are malformed or a row is not exactly its width.
std::vector<unsigned> decode(const std::vector<unsigned char>& f) {
    auto u32 = [&](size_t at) { return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | unsigned(f[at + 3]) << 24; };
    const int w = int(u32(18)), h = int(u32(22));
    std::vector<unsigned> out(size_t(w) * h);
    int x = 0, y = 0;  // y counts from the bottom row
    auto put = [&](unsigned char k) {
        if (x < w && y < h) out[size_t(h - 1 - y) * w + x] = 0xFF000000u | u32(54 + 4 * k);
        ++x;
    };
    for (size_t i = u32(10); i + 1 < f.size();) {
        const unsigned char count = f[i], value = f[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) put(value);
        } else if (value <= 1) {  // end of line, end of bitmap
            if (x != w) return {};
            if (value == 1) return y == h - 1 ? out : std::vector<unsigned>{};
            x = 0, ++y;
        } else if (value == 2) {
            return {};  // delta codes are not written
        } else {
            for (int k = 0; k < value; ++k) put(f[i + k]);
            i += value + (value & 1);
        }
    }
    return {};
}

void expect_round_trip(const std::vector<unsigned>& pixels, int width) {
    const int height = int(pixels.size()) / width;
    const std::vector<unsigned char> file = rle8_bitmap(pixels.data(), width, height);
    ASSERT_GT(file.size(), 54u + 1024u) << width << "x" << height;
    EXPECT_EQ(decode(file), pixels) << width << "x" << height;
}

}  // namespace

TEST(Rle8Bitmap, DecodesToTheDrawnPixels) {
    auto colours = [](std::vector<unsigned> indices) {
        for (unsigned& k : indices) k = 0xFF000000u | (k * 0x10203u);
        return indices;
    };
    expect_round_trip(colours({1, 1, 1, 2, 3, 2, 2, 0, 1, 2}), 10);
    expect_round_trip(colours({1, 2, 3, 3, 3, 3, 0, 1, 0}), 3);  // an odd literal is padded
    expect_round_trip(colours({1, 2, 2, 2}), 2);                 // literals too short for absolute mode
    expect_round_trip(colours(std::vector<unsigned>(300, 5)), 300);  // a run longer than 255
    std::vector<unsigned> long_literal(600);
    for (unsigned k = 0; k < 600; ++k) long_literal[k] = k % 7;
    expect_round_trip(colours(long_literal), 600);
    std::mt19937 random(7);
    for (int width : {1, 2, 3, 17, 160, 217}) {
        std::vector<unsigned> rows(size_t(width) * 5);
        for (unsigned& k : rows) k = random() % 6 < 3 ? 0 : random() % 4;
        expect_round_trip(colours(rows), width);
    }
    for (picture_id id : {picture_portrait, picture_diagram_small, picture_diagram_large}) {
        const picture_size size = natural_picture_size(id);
        std::vector<unsigned> pixels(size_t(size.width) * size.height), scratch(picture_scratch_pixels(id, size) + 1);
        ASSERT_TRUE(draw_picture(id, size, pixels.data(), scratch.data()));
        expect_round_trip(pixels, size.width);
    }
    std::vector<unsigned> too_many(257);
    for (unsigned k = 0; k < 257; ++k) too_many[k] = k;
    EXPECT_TRUE(rle8_bitmap(too_many.data(), 257, 1).empty());
}
