#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/colour_scheme.h"
#include "app/control_ids.h"
#include "app/control_table.h"
#include "app/dialog_choices.h"
#include "app/dialog_scale.h"
#include "app/picture_drawing.h"
#include "tests/expected/main_dialog_texts.h"

namespace {

std::string about_text(int german) {
    char out[about_text_size];
    compose_about_text(out, about_text_size, german);
    return out;
}

std::string about_title(int german) {
    char out[about_title_size];
    compose_about_title(out, about_title_size, german);
    return out;
}

// The piece of `text` from `from` up to (not including) `to`.
std::string between(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t start = text.find(from);
    if (start == std::string::npos) return "<missing " + from + ">";
    const std::size_t end = text.find(to, start + from.size());
    if (end == std::string::npos) return "<missing " + to + ">";
    return text.substr(start + from.size(), end - start - from.size());
}

}  // namespace

TEST(StartLanguage, GermanSpeakingRegionsOnly) {
    for (unsigned id : {0x0407u, 0x0807u, 0x0C07u, 0x1007u, 0x1407u}) {
        EXPECT_EQ(german_for_language_id(id), 1) << std::hex << id;
    }
    // English, British English, French, neutral German, Lower Sorbian and a
    // value sharing the low byte with German all start in English.
    for (unsigned id : {0x0409u, 0x0809u, 0x040Cu, 0x0007u, 0x0000u, 0x082Eu, 0x1807u, 0x10407u}) {
        EXPECT_EQ(german_for_language_id(id), 0) << std::hex << id;
    }
}

// Each button changes its own choice and nothing else; two presses of a
// toggle bring it back. The language starts from the user's Windows language.
TEST(DialogChoices, EachButtonChangesOnlyItsChoice) {
    dialog_choices start;
    start.mode = mode_distance;
    start.ram_info = true;
    struct row {
        choice_button button;
        dialog_language language;
        int font;
        bool colour, large;
    };
    const row rows[] = {
        {press_language, language_english, 1, false, false},
        {press_font, language_german, 2, false, false},
        {press_colour, language_german, 1, true, false},
        {press_graphic, language_german, 1, false, true},
    };
    for (const row& r : rows) {
        const dialog_choices once = after_press(start, r.button);
        EXPECT_EQ(once.language, r.language) << r.button;
        EXPECT_EQ(once.output_font_index, r.font) << r.button;
        EXPECT_EQ(once.colour_scheme, r.colour) << r.button;
        EXPECT_EQ(once.large_diagram, r.large) << r.button;
        EXPECT_TRUE(once.mode == mode_distance && once.ram_info) << r.button;
        if (r.button != press_font) EXPECT_EQ(after_press(once, r.button).language, start.language) << r.button;
        if (r.button != press_font) EXPECT_EQ(after_press(once, r.button).large_diagram, false) << r.button;
    }
    EXPECT_EQ(after_press(after_press(start, press_colour), press_colour).colour_scheme, false);
    EXPECT_EQ(start_language(0x0C07), language_german);
    EXPECT_EQ(start_language(0x0409), language_english);
    EXPECT_EQ(german_flag(language_german) * 10 + german_flag(language_english), 10);
}

// Text of one control for the language, or nullptr when it keeps its template
// text; a list shows its start item.
static const char* control_text_for(int control_id, int german) {
    const control_row* row = control_row_of(control_id);
    if (row && row->kind == kind_list) return list_item_text(control_id, row->start_value, german);
    return row ? in_language(row->caption, german) : nullptr;
}

TEST(ControlTexts, BothLanguagesInOrder) {
    std::vector<int> captioned;
    for (const control_row& row : table_rows())
        if (row.caption.german) captioned.push_back(row.id);
    ASSERT_EQ(captioned.size(), 18u);
    const int order[] = {IDC_CLOSE, IDC_LANGUAGE, IDC_PRINT, IDC_GRAPHIC, IDC_COLOUR,
                         IDC_ABOUT, IDC_LENGTH_LABEL, IDC_UNIT_KILOMETRES, IDC_UNIT_METRES, IDC_ANGLE_LABEL,
                         IDC_UNIT_DEGREES, IDC_UNIT_MINUTES, IDC_EYE_LABEL, IDC_UNIT_EYE, IDC_REFRACTION_LABEL,
                         IDC_HEIGHT, IDC_DISTANCE, IDC_RAMINFO};
    for (std::size_t i = 0; i < captioned.size(); ++i) EXPECT_EQ(captioned[i], order[i]) << i;

    // Every text the end-to-end driver expects on screen, from the same table;
    // the font and WWW buttons keep their template texts.
    for (const expected_control_text& row : expected_texts) {
        for (int german : {0, 1}) {
            const char* expected = german ? row.german : row.english;
            const char* shown = row.id == 0 ? caption_text(german) : control_text_for(row.id, german);
            if (row.id != IDC_FONT && row.id != IDC_WWW) {
                EXPECT_STREQ(shown, expected) << row.id << " " << german;
            }
        }
    }
    // The dialog starts in Height mode.
    EXPECT_STREQ(control_text_for(IDC_LENGTH_LABEL, 1), expected_length_labels[0].german);
    EXPECT_STREQ(control_text_for(IDC_LENGTH_LABEL, 0), expected_length_labels[0].english);
    // The font and WWW buttons and the output box keep their template texts.
    EXPECT_EQ(control_text_for(IDC_FONT, 1), nullptr);
    EXPECT_EQ(control_text_for(IDC_WWW, 0), nullptr);
    EXPECT_EQ(control_text_for(IDC_OUTPUT, 0), nullptr);
    // The refraction list: each item in both languages, in the order of the
    // choices it stands for, and none beyond.
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(list_item_text(IDC_REFRACTION, i, 1), expected_refraction_items[i].german) << i;
        EXPECT_STREQ(list_item_text(IDC_REFRACTION, i, 0), expected_refraction_items[i].english) << i;
        EXPECT_EQ(std::atof(list_item_text(IDC_REFRACTION, i, 0)), refraction_coefficient(static_cast<refraction_choice>(i)))
            << i;
    }
    EXPECT_EQ(list_item_text(IDC_REFRACTION, 4, 0), nullptr);
    EXPECT_EQ(list_item_text(IDC_EYE_HEIGHT, 0, 0), nullptr);
}

TEST(WindowMenu, ItemTexts) {
    EXPECT_STREQ(menu_print_text(1), expected_menu_print.german);
    EXPECT_STREQ(menu_print_text(0), expected_menu_print.english);
    char about[64];
    compose_menu_about_text(about, sizeof about, 1);
    EXPECT_STREQ(about, expected_menu_about.german);
    compose_menu_about_text(about, sizeof about, 0);
    EXPECT_STREQ(about, expected_menu_about.english);
    // A short buffer is cut, never overrun.
    char tiny[8];
    std::memset(tiny, 'x', sizeof tiny);
    compose_menu_about_text(tiny, 6, 0);
    EXPECT_STREQ(tiny, "About");
    EXPECT_EQ(tiny[6], 'x');
}

TEST(AboutBox, TitlesBeginAndEndWithABlank) {
    EXPECT_EQ(about_title(1), expected_about_title.german);
    EXPECT_EQ(about_title(0), expected_about_title.english);
}

TEST(AboutBox, GermanTextPiecesInOrder) {
    const std::string text = about_text(1);
    ASSERT_EQ(text.rfind(german_about_opening, 0), 0u);
    EXPECT_NE(text.find("\n\n Idee: "), std::string::npos);
    EXPECT_NE(text.find(" \n\n 64Bit-Windows-Version \n\n Dieses Programm wird so wie es ist ohne \n Garantie zur "
                        "Verf\xFCgung gestellt. Es k\xF6nnte" +
                        std::string(13, ' ') +
                        "\n Bugs enthalten, so dass die Verwendung \n dieses Tools auf eigenes Risiko erfolgt. \n"),
              std::string::npos);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos) << "bare LF line breaks only";
}

TEST(AboutBox, EnglishTextPiecesInOrder) {
    const std::string text = about_text(0);
    ASSERT_EQ(text.rfind(english_about_opening, 0), 0u);
    EXPECT_NE(text.find("\n\n Idea: "), std::string::npos);
    EXPECT_NE(text.find(" \n\n 64Bit-Windows-Version \n\n This Program is provided as it is," + std::string(13, ' ') +
                        "\n without any Guarantee made. It \n may contain Bugs, so use of this \n Tool is at your "
                        "own Risk. \n"),
              std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(AboutBox, AuthorAndIdeaLinesAreTheSameInBothLanguages) {
    const std::string de = about_text(1);
    const std::string en = about_text(0);
    const std::string author_de = between(de, " von ", "\n\n Idee:");
    const std::string author_en = between(en, " by ", "\n\n Idea:");
    EXPECT_EQ(author_de, author_en);
    const std::string idea_de = between(de, "\n\n Idee:", "\n\n 64Bit");
    const std::string idea_en = between(en, "\n\n Idea:", "\n\n 64Bit");
    EXPECT_EQ(idea_de, idea_en);

    // Author line: LF, blank, name, blank, (nickname), blank, LF, blank, address, blank.
    ASSERT_GE(author_de.size(), 4u);
    EXPECT_EQ(author_de.substr(0, 2), "\n ");
    EXPECT_NE(author_de.find(" ("), std::string::npos);
    EXPECT_NE(author_de.find(") \n http://www.example.org/"), std::string::npos);
    EXPECT_EQ(author_de.back(), ' ');
    // Idea line: blank, name, blank, LF, blank, address, blank.
    EXPECT_EQ(idea_de.substr(0, 1), " ");
    EXPECT_NE(idea_de.find(" \n http://"), std::string::npos);
    EXPECT_EQ(idea_de.back(), ' ');

    // The fixed pieces take 268 characters in German and 229 in English; the
    // two variable lines fill the rest and the whole fits the 512-byte buffer.
    const std::size_t variable = author_de.size() + idea_de.size();
    EXPECT_EQ(de.size(), 268 + variable);
    EXPECT_EQ(en.size(), 229 + variable);
    EXPECT_LE(variable, 243u);
    // Invented names only: the addresses stay in the reserved example domains.
    EXPECT_NE(idea_de.find(" \n http://www.example.com/"), std::string::npos);
}

TEST(AboutBox, SmallBufferIsCutAndTerminated) {
    char out[40];
    std::memset(out, 'x', sizeof out);
    compose_about_text(out, 30, 0);
    EXPECT_EQ(std::strlen(out), 29u);
    EXPECT_EQ(out[30], 'x');
    EXPECT_EQ(std::string(out), about_text(0).substr(0, 29));
}

// Only the WWW and the two picture buttons open a page; no other control,
// and no id without a control, however far out.
TEST(WebLinks, OnlyTheLinkButtonsOpenAPage) {
    EXPECT_EQ(web_link(IDC_ABOUT, 1), nullptr);
    EXPECT_EQ(web_link(IDC_GRAPHIC, 0), nullptr);
    EXPECT_EQ(web_link(IDC_OUTPUT, 1), nullptr);
    for (int id : {9999, -1, INT_MAX, INT_MIN}) EXPECT_EQ(web_link(id, 0), nullptr) << id;
    int linked = 0;
    for (const control_row& row : table_rows()) linked += row.web_link.german ? 1 : 0;
    EXPECT_EQ(linked, 3);
}

TEST(WebLinks, Addresses) {
    const expected_web_links* links[] = {&english_web_links, &german_web_links};
    for (int german = 0; german < 2; ++german) {
        EXPECT_STREQ(web_link(IDC_WWW, german), links[german]->home) << german;
        EXPECT_STREQ(web_link(IDC_PORTRAIT, german), links[german]->portrait) << german;
        EXPECT_STREQ(web_link(IDC_DIAGRAM, german), links[german]->diagram) << german;
    }
}

// The label before a field names it wrongly ("Kilometer and" for the metres):
// each field gets a name of its own, its up-down control the same, the length
// ones after the measure mode; a control whose own text names it keeps that.
TEST(AccessibleNames, FieldsBySpinsAndMode) {
    for (int german : {0, 1}) {
        std::set<std::string> names;  // each its own: the length fields twice, by mode
        for (const expected_accessible_name& row : expected_accessible_names) {
            const char* name = accessible_name(row.id, row.distance_mode, german);
            ASSERT_NE(name, nullptr) << row.id;
            EXPECT_STREQ(name, german ? row.german : row.english) << row.id << " mode " << row.distance_mode;
            names.insert(name);
        }
        // Only the length fields follow the mode.
        for (int id : {IDC_DEGREES, IDC_DEGREES_SPIN, IDC_MINUTES, IDC_MINUTES_SPIN, IDC_OUTPUT, IDC_DIAGRAM, IDC_PORTRAIT,
                       IDC_EYE_HEIGHT, IDC_REFRACTION})
            EXPECT_STREQ(accessible_name(id, 1, german), accessible_name(id, 0, german)) << id;
        EXPECT_EQ(names.size(), 11u);
        EXPECT_EQ(accessible_name(IDC_CLOSE, 0, german), nullptr);
    }
}

// High Contrast wins over the colour scheme, and the scheme comes back when
// it goes off; without the scheme the system's colours stay either way.
TEST(ColourScheme, HighContrastWins) {
    EXPECT_EQ(dialog_colours(0, 0).own, 0);
    EXPECT_EQ(dialog_colours(0, 1).own, 0);
    EXPECT_EQ(dialog_colours(1, 1).own, 0);
    EXPECT_EQ(dialog_colours(1, 0).own, 1);
    EXPECT_EQ(dialog_colours(1, 0).dialog_background, 0x0078FAB4u);  // light green, as on screen
}

// Drawn for the scale: the portrait's outer rule in full ink at its corner,
// and the legend's last line inked in the bottom rows of a shrunk diagram.
TEST(DialogPictures, DrawnPicturesKeepFrameAndLegend) {
    std::vector<unsigned> pixels(434 * 664), scratch(1);
    ASSERT_TRUE(draw_picture(picture_portrait, {434, 664}, pixels.data(), scratch.data()));
    EXPECT_EQ(pixels[0], 0xFF8C0810u);
    EXPECT_EQ(pixels[663 * 434 + 200], 0xFF8C0810u);
    for (picture_size size : {picture_size{162, 103}, picture_size{440, 280}}) {
        scratch.assign(picture_scratch_pixels(picture_diagram_large, size), 0);
        ASSERT_TRUE(draw_picture(picture_diagram_large, size, pixels.data(), scratch.data()));
        int dark = 0;  // the legend's last line lies in the bottom tenth
        for (int i = size.width * (size.height * 9 / 10); i < size.width * size.height; ++i)
            dark += (pixels[i] & 0xFF) < 128;
        EXPECT_GT(dark, size.width / 4) << size.width;
    }
    EXPECT_FALSE(draw_picture(picture_diagram_small, {0, 10}, pixels.data(), scratch.data()));
    // Bounded before any memory is taken, 4096 a side; the scratch 0 beyond (it overflowed an int).
    EXPECT_TRUE(picture_size_drawable({1, 1}));
    for (picture_size size : {picture_size{4097, 1}, picture_size{1, 4097}, picture_size{1, 0}})
        EXPECT_FALSE(picture_size_drawable(size)) << size.width << " x " << size.height;
    EXPECT_EQ(picture_scratch_pixels(picture_diagram_large, {4096, 4096}), 220 * 30 * 140 * 30);
    EXPECT_EQ(picture_scratch_pixels(picture_diagram_large, {4097, 4096}), 0);
    // The small diagram narrowed, keeping its shape, to a narrower button; the others as scaled.
    const picture_size narrowed = picture_size_in(picture_diagram_small, 120, 194), wide = picture_size_in(picture_diagram_small, 120, 300),
                       large = picture_size_in(picture_diagram_large, 120, 194);
    EXPECT_TRUE(narrowed.width == 194 && narrowed.height == 124 && wide.width == 200 && wide.height == 128 &&
                large.width == 275 && large.height == 175);
}

// Each picture at 96 DPI, as the bitmap resources hold it, pinned by an FNV-1a
// sum of its pixels: a line of the drawing moved by one pixel changes it.
TEST(DialogPictures, NaturalSizePinned) {
    const struct {
        picture_id id;
        unsigned long long sum;
    } pinned[] = {{picture_portrait, 0xb86a112b3d2caea8ull},
                  {picture_diagram_small, 0x232a4f85e8b8b8c7ull},
                  {picture_diagram_large, 0x2e0a90f92552ecd6ull}};
    for (const auto& picture : pinned) {
        const picture_size size = natural_picture_size(picture.id);
        std::vector<unsigned> pixels(size.width * size.height), scratch(picture_scratch_pixels(picture.id, size) + 1);
        ASSERT_TRUE(draw_picture(picture.id, size, pixels.data(), scratch.data()));
        unsigned long long sum = 0xcbf29ce484222325ull;
        for (unsigned pixel : pixels)
            for (int shift = 0; shift < 32; shift += 8) sum = (sum ^ ((pixel >> shift) & 0xFF)) * 0x100000001b3ull;
        EXPECT_EQ(sum, picture.sum) << "picture " << picture.id << ": 0x" << std::hex << sum;
    }
}

TEST(DialogScale, TheScaleTheDialogWasLaidOutAt) {
    EXPECT_EQ(dialog_layout_dpi(-11, 8, 96, 120), 96);    // per-monitor v2 on a 96-DPI screen
    EXPECT_EQ(dialog_layout_dpi(-13, 8, 96, 120), 120);   // laid out at the system's scale all the same
    EXPECT_EQ(dialog_layout_dpi(-21, 8, 192, 96), 192);
    EXPECT_EQ(dialog_layout_dpi(-16, 8, 144, 144), 144);
    EXPECT_EQ(dialog_layout_dpi(-13, 8, 0, 120), 0);      // no window DPI: the system's
    // A new DPI only as Windows gives it, 50 % to 500 %: any program can send one.
    for (int dpi : {48, 480}) EXPECT_TRUE(windows_gives_dpi(dpi)) << dpi;
    for (int dpi : {0, 47, 481}) EXPECT_FALSE(windows_gives_dpi(dpi)) << dpi;
}
