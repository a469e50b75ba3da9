#include "sysinfo/windows_version.h"

#include <cstdio>

#include "calc/text.h"

namespace {

// Windows 11 and the servers after 2016 still answer major version 10; only
// their build numbers tell them apart, so they come after the classic table.
const char* const version_names[24] = {
    "",         "95",          "98",    "ME",          "unknown Version", "XP",
    "2000",     "2000 Server", "XP x64 Edition", "Server 2003", "Vista", "Server 2008",
    "7",        "Server 2008 R2", "8",  "Server 2012", "8.1",      "Server 2012 R2",
    "10",       "Server 2016", "11",   "Server 2019", "Server 2022", "Server 2025",
};

// First builds of the systems that share major version 10.
enum { first_build_11 = 22000, first_build_2019 = 17763, first_build_2022 = 20348, first_build_2025 = 26100 };

enum { edition_none = 0, suffix_none = 0, suffix_e = 10, suffix_n = 11 };
const char* const edition_texts[12] = {
    "", " Ultimate", " Home Basic", " Home Premium", " Enterprise", " Starter",
    " Professional", " Business", " Education", " Home", " E", " N",
};

struct product_edition {
    unsigned type;
    int edition;
    int suffix;
};
const product_edition product_editions[] = {
    {1, 1, suffix_none},   {28, 1, suffix_n},   {71, 1, suffix_e},
    {2, 2, suffix_none},   {5, 2, suffix_n},    {67, 2, suffix_e},
    {3, 3, suffix_none},   {26, 3, suffix_n},   {68, 3, suffix_e},
    {4, 4, suffix_none},   {27, 4, suffix_n},   {70, 4, suffix_e},
    {11, 5, suffix_none},  {47, 5, suffix_n},   {66, 5, suffix_e},
    {48, 6, suffix_none},  {49, 6, suffix_n},   {69, 6, suffix_e},
    {6, 7, suffix_none},   {16, 7, suffix_n},
    {121, 8, suffix_none}, {122, 8, suffix_n},
    {98, 9, suffix_n},     {99, 9, suffix_none}, {100, 9, suffix_none}, {101, 9, suffix_none},
};

int name_index(int major, int minor, int build, bool server) {
    if (major == 10) {
        if (!server) return build >= first_build_11 ? 20 : 18;
        if (build >= first_build_2025) return 23;
        if (build >= first_build_2022) return 22;
        if (build >= first_build_2019) return 21;
        return 19;
    }
    int index = 4;
    if (major == 5) {
        if (minor == 1) index = 5;
        else if (minor == 0) index = 6;
        else if (minor == 2) index = 8;
    } else if (major == 6 && minor >= 0 && minor <= 3) {
        index = 2 * minor + 10;
    }
    // "XP" (5) and "unknown Version" (4) have no server variant.
    if (index > 5 && server) ++index;
    return index;
}

// Length of a text that may fill its array without a terminator.
int bounded_length(const char* text, int size) {
    int length = 0;
    while (length < size && text[length] != '\0') ++length;
    return length;
}

}  // namespace

int describe_windows_version_from(const version_queries& q, char* description, int capacity,
                                  int& major, int& minor, int& build) {
    int count = 0;
    int v_major = 0, v_minor = 0, v_build = 0;
    bool server = false;
    if (q.basic_ok) {
        count = 1;
        v_major = static_cast<int>(q.basic_major);
        v_minor = static_cast<int>(q.basic_minor);
        v_build = static_cast<int>(q.basic_build & 0xFFFFu);
        if (v_major > 4) {
            if (q.extended_ok) {
                ++count;
                v_major = static_cast<int>(q.extended_major);
                v_minor = static_cast<int>(q.extended_minor);
                v_build = static_cast<int>(q.extended_build & 0xFFFFu);
                server = q.product_type_nt != 1;
            }
            // The version queries may be told a compatibility version; the
            // kernel's own answer wins, with its whole build number.
            if (v_major > 4 && q.rtl_ok) {
                v_major = static_cast<int>(q.rtl_major);
                v_minor = static_cast<int>(q.rtl_minor);
                v_build = static_cast<int>(q.rtl_build);
            }
        }
    }
    major = v_major;
    minor = v_minor;
    build = v_build;

    if (description == nullptr || capacity <= 0) return count;
    char piece[64];
    std::snprintf(piece, sizeof piece, "Windows %s", version_names[name_index(v_major, v_minor, v_build, server)]);
    copy_text(description, capacity, piece);

    if (count == 2 && v_major > 5 && q.product_info_found) {
        for (const product_edition& entry : product_editions) {
            if (entry.type == q.product_type) {
                append_text(description, capacity, edition_texts[entry.edition]);
                append_text(description, capacity, edition_texts[entry.suffix]);
                break;
            }
        }
    }

    const bool bitness = v_major > 5 || (v_major == 5 && v_minor > 0);
    append_text(description, capacity, bitness ? " (64Bit Windows Version) " : " ");

    // Only a text shorter than the piece's room is shown, so no more of the
    // field than that room is ever read.
    char service_pack[48] = {};
    const int csd_length = bounded_length(q.csd_version, static_cast<int>(sizeof service_pack));
    if (count != 0 && csd_length > 8 && csd_length <= 47) {
        for (int i = 0; i < csd_length; ++i) service_pack[i] = q.csd_version[i];
        append_text(description, capacity, service_pack);
    }
    return count;
}
