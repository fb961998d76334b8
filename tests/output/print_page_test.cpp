// The printed week grid on the recorded test page: every brush, font, rectangle, line and text
// at its device coordinates for each week colour, and the slot texts with their colour keys,
// cuts and apostrophes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/diary_state.h"
#include "output/print_grid.h"
#include "support/golden.h"
#include "support/print_recorder.h"

// The whole record of an empty plain week on the test page (A4 at 600 dots per inch: 23 by 24
// device units per page unit) is tests/golden/print_empty_week.txt, in device coordinates.
static std::vector<std::string> goldenLines(const std::string& name) {
    std::vector<std::string> lines;
    std::string text = goldenText(name);
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

TEST_F(PrintTest, EmptyWeekDrawsTheWholeGridInEachWeekColour) {
    const std::vector<std::string> plain = goldenLines("print_empty_week.txt");
    ASSERT_EQ(103u, plain.size());
    // The title box's brush, by week colour; the rest of the page is the same in every colour.
    const char* brushes[5] = {"brush|brush1|255|255|255", "brush|brush1|255|255|150", "brush|brush1|200|255|200",
                              "brush|brush1|255|200|200", "brush|brush1|200|200|255"};
    for (int colour = 0; colour <= 4; ++colour) {
        SCOPED_TRACE(colour);
        printRecorderReset(PAGE_WIDTH, PAGE_HEIGHT);
        diaryState.weekColour = colour;
        EXPECT_EQ(0, printWeekGrid());
        std::vector<std::string> expected = plain;
        expected[0] = brushes[colour];
        EXPECT_EQ(expected, printRecord());
    }
}

TEST_F(PrintTest, PageUnitsAndFontsFollowThePhysicalPageSize) {
    // 5039 / 210 = 23.99 and 7124 / 285 = 24.996: the units round down like A4's.
    printRecorderReset(5039, 7124);
    printWeekGrid();
    EXPECT_EQ("rect|460|240|4370|720", printRecord("rect|")[0]);
    std::vector<std::string> fonts = printRecord("font|");
    ASSERT_EQ(4u, fonts.size());
    EXPECT_EQ("font|font1|Arial|178|700|0", fonts[0]);
    EXPECT_EQ("font|font4|Courier New|71|0|1", fonts[3]);
}

TEST_F(PrintTest, TitleShowsTheSettingAsTyped) {
    writeData(".wkb.rc", "title=3B's timetable\n");
    printWeekGrid();
    EXPECT_EQ("text|575|480|Week grid [ 3B's timetable ]", printRecord("text|")[0]);
}

// The slot texts: everything after the 27 labels, up to the footer.
static std::vector<std::string> slotTexts() {
    std::vector<std::string> texts = printRecord("text|");
    if (texts.size() < 28) return {};
    return std::vector<std::string>(texts.begin() + 27, texts.end() - 1);
}

TEST_F(PrintTest, SlotsPrintOnlyTheWeekColoursEntriesWherePlaced) {
    diaryState.weekColour = 2;
    diaryState.useDefaults = 1;
    writeTimetable(
        "D1P0C|2=Mathematics\n"
        "D1P0T|2=Mr Smith\n"
        "D1P0L|2=B12\n"
        "D2P0C=History\n"          // colour-less only: stays empty, fall-back or not
        "D2P0C|1=Geography\n"      // another colour
        "D3P9T|2=Mrs Jones\n"
        "D4P0L|2=Lab\n"
        "D6P9C|2=Chemistry\n"
        "D5P4C|2=\n");
    printWeekGrid();
    // Courses, day by day; then teachers; then classrooms. Device coordinates of the test page,
    // with the page units they come from.
    std::vector<std::string> expected = {
        "text|736|1128|Mathematics",  // Monday, Period 1 (32, 47)
        "text|3174|6408|Chemistry",   // Saturday, Period 10 (138, 267)
        "text|736|1248|Mr Smith",     // Monday, Period 1 (32, 52)
        "text|3174|3624|Mrs Jones",   // Wednesday, Period 10 (138, 151)
        "text|1610|1248|B12",         // Monday, Period 1 (70, 52)
        "text|1610|4152|Lab",         // Thursday, Period 1 (70, 173)
    };
    EXPECT_EQ(expected, slotTexts());
}

TEST_F(PrintTest, SlotTextsAreCutAndShowApostrophes) {
    writeTimetable(
        "D2P1C=ABCDEFGHIJKLMNOPQRST\n"
        "D2P1T=l`Ecole d`art\n"
        "D2P1L=R12345\n"
        "D5P2C=`abcdefghijklmn`o\n"
        "D5P2L=a`b\n");
    printWeekGrid();
    std::vector<std::string> expected = {
        "text|1955|1392|ABCDEFGHIJKLMNO",  // Tuesday, Period 2 (85, 58)
        "text|1955|4560|'abcdefghijklmn",  // Friday, Period 3 (85, 190)
        "text|1955|1512|l'Ecole d'art",    // Tuesday, Period 2 (85, 63)
        "text|2829|1512|R1234",            // Tuesday, Period 2 (123, 63)
        "text|2829|4680|a'b",              // Friday, Period 3 (123, 195)
    };
    EXPECT_EQ(expected, slotTexts());
}

TEST_F(PrintTest, HandEditedColourPrintsThePlainWeek) {
    diaryState.weekColour = 7;
    writeTimetable("D1P0C=Plain\nD1P0C|7=Seventh\n");
    printWeekGrid();
    EXPECT_EQ("brush|brush1|255|255|255", printRecord("brush|")[0]);
    EXPECT_EQ(std::vector<std::string>{"text|736|1128|Plain"}, slotTexts());
}
