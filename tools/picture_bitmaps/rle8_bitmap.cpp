#include "tools/picture_bitmaps/rle8_bitmap.h"

#include <algorithm>

namespace {

void put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<unsigned char>& out, unsigned v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// One row's codes, without its end-of-line mark: runs of two or more as
// (count, index); other pixels in absolute mode when three or more come
// together (padded to an even length), else as runs of one.
void rle8_row(const unsigned char* row, int n, std::vector<unsigned char>& out) {
    int i = 0;
    while (i < n) {
        int run = 1;
        while (i + run < n && run < 255 && row[i + run] == row[i]) ++run;
        if (run >= 2) {
            out.push_back(static_cast<unsigned char>(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        int j = i;
        while (j < n && j - i < 255 && !(j + 1 < n && row[j + 1] == row[j])) ++j;
        if (j - i >= 3) {
            out.push_back(0);
            out.push_back(static_cast<unsigned char>(j - i));
            out.insert(out.end(), row + i, row + j);
            if ((j - i) % 2) out.push_back(0);
        } else {
            for (int k = i; k < j; ++k) out.push_back(1), out.push_back(row[k]);
        }
        i = j;
    }
}

}  // namespace

std::vector<unsigned char> rle8_bitmap(const unsigned* pixels, int width, int height) {
    const size_t count = size_t(width) * size_t(height);
    // The palette in ascending colour order, so the same picture gives the same bytes.
    std::vector<unsigned> palette(pixels, pixels + count);
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    if (palette.size() > 256 || count == 0) return {};
    std::vector<unsigned char> row(width), data;
    for (int y = height - 1; y >= 0; --y) {  // bottom row first
        for (int x = 0; x < width; ++x) {
            const unsigned colour = pixels[size_t(y) * width + x];
            row[x] = static_cast<unsigned char>(std::lower_bound(palette.begin(), palette.end(), colour) - palette.begin());
        }
        rle8_row(row.data(), width, data);
        data.push_back(0);
        data.push_back(y > 0 ? 0 : 1);  // end of line; after the top row, end of bitmap
    }
    const unsigned offset = 14 + 40 + 4 * 256;
    std::vector<unsigned char> file{'B', 'M'};
    put32(file, offset + unsigned(data.size()));
    put32(file, 0);
    put32(file, offset);
    for (unsigned v : {40u, unsigned(width), unsigned(height)}) put32(file, v);
    put16(file, 1);   // planes
    put16(file, 8);   // bits per pixel
    put32(file, 1);   // BI_RLE8
    for (unsigned v : {unsigned(data.size()), 2835u, 2835u, 256u, 0u}) put32(file, v);
    for (size_t k = 0; k < 256; ++k) {
        const unsigned colour = k < palette.size() ? palette[k] : 0;
        for (unsigned v : {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF, 0u}) file.push_back(v);
    }
    file.insert(file.end(), data.begin(), data.end());
    return file;
}
