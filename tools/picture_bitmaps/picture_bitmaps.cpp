// Writes the dialog's pictures at 96 DPI as the bitmap files of the resource
// script: the same drawing the program runs at every other scale.
//   picture_bitmaps OUTPUT_DIR     portrait.bmp, diagram_small.bmp, diagram_large.bmp
#include <cstdio>
#include <string>
#include <vector>

#include "app/picture_drawing.h"
#include "tools/picture_bitmaps/rle8_bitmap.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture_bitmaps OUTPUT_DIR\n");
        return 2;
    }
    const struct {
        picture_id id;
        const char* name;
    } pictures[] = {{picture_portrait, "portrait.bmp"},
                    {picture_diagram_small, "diagram_small.bmp"},
                    {picture_diagram_large, "diagram_large.bmp"}};
    for (const auto& picture : pictures) {
        const picture_size size = natural_picture_size(picture.id);
        std::vector<unsigned> pixels(size_t(size.width) * size.height);
        std::vector<unsigned> scratch(picture_scratch_pixels(picture.id, size) + 1);
        const std::string path = std::string(argv[1]) + "/" + picture.name;
        std::vector<unsigned char> file;
        if (draw_picture(picture.id, size, pixels.data(), scratch.data()))
            file = rle8_bitmap(pixels.data(), size.width, size.height);
        if (file.empty()) {
            std::fprintf(stderr, "%s: not drawn, or more than 256 colours\n", path.c_str());
            return 1;
        }
        std::FILE* out = std::fopen(path.c_str(), "wb");
        const bool written = out && std::fwrite(file.data(), 1, file.size(), out) == file.size();
        if (!out || std::fclose(out) != 0 || !written) {
            std::fprintf(stderr, "%s: cannot write\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
