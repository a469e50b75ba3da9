// report_dump OUT            writes the curvature reports of a fixed input grid to OUT
// report_dump --compare A B  compares two such files (native against Windows)
//
// Each record is a header line
//   === km m deg min H|D en|de settled|warned <report bytes>
// a line "bits" with the raw doubles behind the printed figures, then the
// report bytes themselves and a line feed. The bits show last-place
// differences between platforms even where the printed text agrees.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "calc/curvature_report.h"

namespace {

struct grid_input {
    int kilometres, metres, degrees, minutes;
    bool both_languages;
};

std::vector<grid_input> build_grid() {
    std::vector<grid_input> grid;
    // Broad grid: short and long lengths, flat and steep angles, clamped values.
    const int kilometres[] = {0, 1, 2, 5, 10, 33, 85, 100, 250, 999, 1234, 6378, 10000, 54321, 99999};
    const int metres[] = {0, 1, 100, 500, 999};
    const int degrees[] = {0, 1, 2, 5, 10, 15, 30, 45, 60, 75, 89, 90, 99};
    const int minutes[] = {0, 1, 30, 59, 60, 99};
    for (int km : kilometres)
        for (int m : metres)
            for (int deg : degrees)
                for (int min : minutes) grid.push_back({km, m, deg, min, true});
    // Every angle below the clamp (degrees above 90 give the same angle as
    // 90), at two lengths; the language only changes texts and separators,
    // which the broad grid covers, so these are written in English only.
    for (int deg = 0; deg <= 90; ++deg)
        for (int min = 0; min <= 99; ++min) {
            grid.push_back({85, 0, deg, min, false});
            grid.push_back({1, 500, deg, min, false});
        }
    return grid;
}

void put_bits(std::FILE* out, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    std::fprintf(out, " %016" PRIx64, bits);
}

int dump(const char* path) {
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "report_dump: cannot write %s\n", path);
        return 2;
    }
    long records = 0;
    for (const grid_input& in : build_grid()) {
        for (measure_mode mode : {mode_height, mode_distance}) {
            const curvature_result r = compute_curvature(in.kilometres, in.metres, in.degrees, in.minutes, mode);
            for (int german = 0; german <= (in.both_languages ? 1 : 0); ++german) {
                char report[report_buffer_size];
                compose_curvature_report(r, german, report, report_buffer_size);
                const int length = static_cast<int>(std::strlen(report));
                std::fprintf(out, "=== %d %d %d %d %c %s %s %d\nbits", in.kilometres, in.metres, in.degrees,
                             in.minutes, mode == mode_height ? 'H' : 'D', german ? "de" : "en",
                             r.warned ? "warned" : "settled", length);
                const double figures[] = {r.first_sight_distance, r.final_sight_distance, r.check_hidden,
                                          r.flat.ground_distance, r.flat.sight_distance, r.flat.visible_height,
                                          r.curved.ground_distance, r.curved.sight_distance,
                                          r.curved.visible_height, r.curved.hidden_height};
                for (double figure : figures) put_bits(out, figure);
                std::fputc('\n', out);
                std::fwrite(report, 1, static_cast<std::size_t>(length), out);
                std::fputc('\n', out);
                ++records;
            }
        }
    }
    const bool ok = std::fclose(out) == 0;
    std::printf("%ld reports written to %s\n", records, path);
    return ok ? 0 : 2;
}

struct record {
    std::string header;  // the "===" line without its length
    bool warned = false;
    std::string bits;
    std::string report;
};

bool read_file(const char* path, std::string& content) {
    std::FILE* in = std::fopen(path, "rb");
    if (in == nullptr) return false;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) content.append(chunk, got);
    std::fclose(in);
    return true;
}

bool parse(const std::string& content, std::vector<record>& records) {
    std::size_t at = 0;
    while (at < content.size()) {
        const std::size_t header_end = content.find('\n', at);
        if (header_end == std::string::npos || content.compare(at, 4, "=== ") != 0) return false;
        const std::string header = content.substr(at, header_end - at);
        const std::size_t last_blank = header.rfind(' ');
        const long length = std::strtol(header.c_str() + last_blank + 1, nullptr, 10);
        const std::size_t bits_end = content.find('\n', header_end + 1);
        if (bits_end == std::string::npos || length < 0) return false;
        const std::size_t report_at = bits_end + 1;
        if (report_at + static_cast<std::size_t>(length) + 1 > content.size()) return false;
        record r;
        r.header = header.substr(0, last_blank);
        r.warned = r.header.find(" warned") != std::string::npos;
        r.bits = content.substr(header_end + 1, bits_end - header_end - 1);
        r.report = content.substr(report_at, static_cast<std::size_t>(length));
        records.push_back(r);
        at = report_at + static_cast<std::size_t>(length) + 1;
    }
    return true;
}

int compare(const char* native_path, const char* windows_path) {
    std::string native_text, windows_text;
    if (!read_file(native_path, native_text) || !read_file(windows_path, windows_text)) {
        std::printf("cannot read %s or %s\n", native_path, windows_path);
        return 2;
    }
    std::vector<record> native, windows;
    if (!parse(native_text, native) || !parse(windows_text, windows)) {
        std::printf("malformed dump\n");
        return 2;
    }
    if (native.empty() || native.size() != windows.size()) {
        std::printf("record counts differ: native %zu, windows %zu\n", native.size(), windows.size());
        return 1;
    }
    long settled = 0, warned = 0, settled_text_differs = 0, warned_text_differs = 0;
    long settled_bits_differ = 0, warned_bits_differ = 0, headers_differ = 0;
    for (std::size_t i = 0; i < native.size(); ++i) {
        const record& a = native[i];
        const record& b = windows[i];
        if (a.header != b.header) {
            // A different warned flag on the two sides also lands here.
            if (++headers_differ <= 10)
                std::printf("header differs:\n  native  %s\n  windows %s\n", a.header.c_str(), b.header.c_str());
            continue;
        }
        const bool text_differs = a.report != b.report;
        const bool bits_differ = a.bits != b.bits;
        if (a.warned) {
            ++warned;
            warned_text_differs += text_differs;
            warned_bits_differ += bits_differ;
        } else {
            ++settled;
            if (bits_differ && ++settled_bits_differ <= 10)
                std::printf("settled figures differ in the last bits: %s\n", a.header.c_str());
            if (text_differs && ++settled_text_differs <= 10)
                std::printf("settled report differs: %s\n", a.header.c_str());
        }
    }
    std::printf("reports compared: %zu (settled %ld, warned %ld)\n", native.size(), settled, warned);
    std::printf("settled reports with different text: %ld\n", settled_text_differs);
    std::printf("warned reports with different text: %ld\n", warned_text_differs);
    std::printf("records with different raw doubles: settled %ld, warned %ld\n", settled_bits_differ,
                warned_bits_differ);
    std::printf("records with different headers: %ld\n", headers_differ);
    // The sine is computed the same way everywhere, so settled figures must
    // agree to the last bit; warned (runaway) results are only counted.
    return settled_text_differs == 0 && settled_bits_differ == 0 && headers_differ == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--compare") != 0) return dump(argv[1]);
    if (argc == 4 && std::strcmp(argv[1], "--compare") == 0) return compare(argv[2], argv[3]);
    std::fprintf(stderr, "usage: report_dump OUT | report_dump --compare NATIVE WINDOWS\n");
    return 2;
}
