#include "app/control_table.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/expected/tooltip_texts.h"

namespace {

std::string tip(int control_id, int language_flag) {
    const char* text = tooltip_text(control_id, language_flag);
    return text ? text : "<none>";
}

TEST(TooltipTexts, EveryWorkingControlHasItsExactTextInBothLanguages) {
    for (const expected_tip& e : expected_tips) {
        EXPECT_EQ(tip(e.control_id, 1), e.german) << "control " << e.control_id;
        EXPECT_EQ(tip(e.control_id, 0), e.english) << "control " << e.control_id;
        // The tooltip's own record holds 80 characters, the terminator included.
        EXPECT_LT(tip(e.control_id, 1).size(), 80u) << "control " << e.control_id;
        EXPECT_LT(tip(e.control_id, 0).size(), 80u) << "control " << e.control_id;
    }
}

TEST(TooltipTexts, UmlautsAreSingleWindows1252Bytes) {
    // "Sprache ändern": the ä must be the one byte E4, not a UTF-8 pair.
    std::string language = tip(10, 0);
    ASSERT_EQ(language.size(), 32u);
    EXPECT_EQ(static_cast<unsigned char>(language[26]), 0xE4);
}

TEST(TooltipTexts, UpDownControlsShareTheirFieldsText) {
    for (int field : {18, 20, 22, 24, 32}) {
        for (int flag : {0, 1}) {
            ASSERT_NE(tooltip_text(field, flag), nullptr);
            EXPECT_EQ(tip(field + 1, flag), tip(field, flag)) << "up-down " << field + 1;
        }
    }
}

TEST(TooltipTexts, AnyNonZeroFlagSelectsGerman) {
    EXPECT_EQ(tip(ctl::print, 2), expected_tip_text(ctl::print, true));
    EXPECT_EQ(tip(ctl::print, -1), expected_tip_text(ctl::print, true));
}

TEST(TooltipTexts, OutputBoxLabelsAndUnknownControlsHaveNone) {
    for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 0, 2, 14, 31, -1, 65535}) {
        EXPECT_EQ(tooltip_text(id, 0), nullptr) << "control " << id;
        EXPECT_EQ(tooltip_text(id, 1), nullptr) << "control " << id;
    }
}

}  // namespace
