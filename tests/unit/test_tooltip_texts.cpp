#include "tooltips/tooltip_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct expected_tip {
    int control_id;
    const char* german;   // Windows-1252 bytes, umlauts written as escapes
    const char* english;
};

const expected_tip expected_tips[] = {
    {1, "Dieser Button beendet das Programm", "This Button ends the Program"},
    {10, "Change Language / Sprache \xE4ndern", "Change Language / Sprache \xE4ndern"},
    {11, "Schriftfont im Ausgabefenster \xE4ndern", "Change Font in the Output Window"},
    {12, "Zeige Info Fenster \xFC" "ber dieses Programm", "Show Info Messagebox about this Program"},
    {13, "Inhalt des Ausgabefensters ausdrucken", "Print Content of the Output Window"},
    {15, "Hier f\xFCr H\xF6he ankreuzen", "Check here for Height"},
    {16, "Hier f\xFCr Entfernung ankreuzen", "Check here for Distance"},
    {17, "Hier f\xFCr RAM-Info ankreuzen", "Check here for RAM-Info"},
    {18, "Hier die H\xF6he bzw. Entfernung in Kilometer eingeben", "Enter here the Height resp. Distance in Kilometer"},
    {20, "Hier die H\xF6he bzw. Entfernung in Meter eingeben", "Enter here the Height resp. Distance in Meter"},
    {22, "Hier den Winkel in Grad eingeben", "Enter here the Angle in Degree"},
    {24, "Hier den Winkel in Minuten eingeben", "Enter here the Angle in Minutes"},
    {26, "Diesen Button dr\xFC" "cken f\xFCr mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {27, "Diesen Button dr\xFC" "cken f\xFCr mehr Information (Wikipedia)", "Press this Button for more Information (Wikipedia)"},
    {28, "Grafikgr\xF6\xDF" "e auf Button mit Erkl\xE4rung \xE4ndern", "Change Size of Graphic on Button with Explanation"},
    {29, "Diesen Button dr\xFC" "cken f\xFCr die Homepage im Internet", "Press this Button for the Homepage in the Web"},
    {30, "Wechselt die Farbe der Dialogbox", "Changes the Color of the Dialogbox"},
};

std::string tip(int control_id, int language_flag) {
    const char* text = tooltip_text(control_id, language_flag);
    return text ? text : "<none>";
}

TEST(TooltipTexts, EveryWorkingControlHasItsExactTextInBothLanguages) {
    for (const expected_tip& e : expected_tips) {
        EXPECT_EQ(tip(e.control_id, 1), e.german) << "control " << e.control_id;
        EXPECT_EQ(tip(e.control_id, 0), e.english) << "control " << e.control_id;
    }
}

TEST(TooltipTexts, UmlautsAreSingleWindows1252Bytes) {
    // "Sprache ändern": the ä must be the one byte E4, not a UTF-8 pair.
    std::string language = tip(10, 0);
    ASSERT_EQ(language.size(), 32u);
    EXPECT_EQ(static_cast<unsigned char>(language[26]), 0xE4);
}

TEST(TooltipTexts, UpDownControlsShareTheirFieldsText) {
    for (int field : {18, 20, 22, 24}) {
        for (int flag : {0, 1}) {
            ASSERT_NE(tooltip_text(field, flag), nullptr);
            EXPECT_EQ(tip(field + 1, flag), tip(field, flag)) << "up-down " << field + 1;
        }
    }
}

TEST(TooltipTexts, AnyNonZeroFlagSelectsGerman) {
    EXPECT_EQ(tip(13, 2), "Inhalt des Ausgabefensters ausdrucken");
    EXPECT_EQ(tip(13, -1), "Inhalt des Ausgabefensters ausdrucken");
}

TEST(TooltipTexts, OutputBoxLabelsAndUnknownControlsHaveNone) {
    for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1006, 0, 2, 14, 31, -1, 65535}) {
        EXPECT_EQ(tooltip_text(id, 0), nullptr) << "control " << id;
        EXPECT_EQ(tooltip_text(id, 1), nullptr) << "control " << id;
    }
}

}  // namespace
