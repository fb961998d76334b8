// The printed week grid on the recorded test page: every brush, font, rectangle, line and text
// at its device coordinates for each week colour, and the slot texts with their colour keys,
// cuts and apostrophes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/build_config.h"
#include "core/diary_state.h"
#include "output/print_grid.h"
#include "support/print_recorder.h"

// Everything recorded for a page whose slots are all empty, from the brushes to their deletion.
static std::vector<std::string> emptyPage(const std::string& weekTint, const std::string& title) {
    std::vector<std::string> page = {
        "brush|brush1|" + weekTint,
        "brush|brush2|200|200|200",
        "open",
        "font|font1|Arial|175|700|0",
        "font|font2|Courier New|140|700|0",
        "font|font3|Courier New|100|700|0",
        "font|font4|Courier New|70|0|1",
        "select|font1",
        "startdoc|Week grid",
        "startpage",
        "select|brush1",
        rectAt(20, 10, 190, 30),
        "select|brush2",
    };
    for (int y = 35; y <= 266; y += 11) page.push_back(rectAt(20, y, 30, y + 11));
    page.push_back(rectAt(30, 35, 190, 46));
    page.push_back(rectAt(30, 156, 190, 167));
    page.push_back("select|white");
    for (int y = 46; y <= 145; y += 11) page.push_back(rectAt(30, y, 190, y + 11));
    for (int y = 167; y <= 266; y += 11) page.push_back(rectAt(30, y, 190, y + 11));
    page.push_back(lineAt(83, 35, 277));
    page.push_back(lineAt(136, 35, 277));
    page.push_back("bk|200|200|200");
    page.push_back(textAt(25, 20, title));
    page.push_back(textAt(35, 38, "Monday"));
    page.push_back(textAt(88, 38, "Tuesday"));
    page.push_back(textAt(141, 38, "Wednesday"));
    page.push_back(textAt(35, 159, "Thursday"));
    page.push_back(textAt(88, 159, "Friday"));
    page.push_back(textAt(141, 159, "Saturday"));
    for (int n = 1; n <= 10; ++n) page.push_back(textAt(21, 38 + 11 * n, std::to_string(n)));
    for (int n = 1; n <= 10; ++n) page.push_back(textAt(21, 159 + 11 * n, std::to_string(n)));
    std::vector<std::string> tail = {
        "select|font2", "delete|font1", "bk|255|255|255",
        "select|font3", "delete|font2",
        "select|font4", "delete|font3", "bk|255|255|255",
        textAt(20, 280, WKB_WEB_ADDRESS),
        "endpage", "enddoc", "close", "delete|font4", "delete|brush1", "delete|brush2",
    };
    page.insert(page.end(), tail.begin(), tail.end());
    return page;
}

TEST_F(PrintTest, EmptyWeekDrawsTheWholeGridInEachWeekColour) {
    const char* tints[5] = {"255|255|255", "255|255|150", "200|255|200", "255|200|200", "200|200|255"};
    for (int colour = 0; colour <= 4; ++colour) {
        SCOPED_TRACE(colour);
        printRecorderReset(PAGE_WIDTH, PAGE_HEIGHT);
        diaryState.weekColour = colour;
        EXPECT_EQ(0, printWeekGrid());
        EXPECT_EQ(emptyPage(tints[colour], "Week grid [  ]"), printRecord());
    }
    // A few corners worked out by hand, so that the unit helpers cannot hide a wrong unit.
    std::vector<std::string> rects = printRecord("rect|");
    ASSERT_EQ(45u, rects.size());
    EXPECT_EQ("rect|460|240|4370|720", rects[0]);      // title box
    EXPECT_EQ("rect|460|6384|690|6648", rects[22]);    // last period cell
    EXPECT_EQ("rect|690|6384|4370|6648", rects[44]);   // last row of the second half
    EXPECT_EQ("line|3128|840|3128|6648", printRecord("line|")[1]);
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
    EXPECT_EQ(textAt(25, 20, "Week grid [ 3B's timetable ]"), printRecord("text|")[0]);
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
    std::vector<std::string> expected = {
        // courses, day by day
        textAt(32, 36 + 11, "Mathematics"),
        textAt(32 + 106, 36 + 11 * 21, "Chemistry"),
        // teachers, then classrooms
        textAt(32, 41 + 11, "Mr Smith"),
        textAt(32 + 106, 41 + 110, "Mrs Jones"),
        textAt(70, 41 + 11, "B12"),
        textAt(70, 41 + 11 * 12, "Lab"),
    };
    EXPECT_EQ(expected, slotTexts());
    EXPECT_EQ("text|736|1128|Mathematics", expected[0]);
    EXPECT_EQ("text|1610|4152|Lab", expected[5]);
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
        textAt(32 + 53, 36 + 22, "ABCDEFGHIJKLMNO"),
        textAt(32 + 53, 36 + 11 * 14, "'abcdefghijklmn"),
        textAt(32 + 53, 41 + 22, "l'Ecole d'art"),
        textAt(70 + 53, 41 + 22, "R1234"),
        textAt(70 + 53, 41 + 11 * 14, "a'b"),
    };
    EXPECT_EQ(expected, slotTexts());
}

TEST_F(PrintTest, HandEditedColourPrintsAPlainBoxWithItsOwnEntries) {
    diaryState.weekColour = 7;
    writeTimetable("D1P0C=Plain\nD1P0C|7=Seventh\n");
    printWeekGrid();
    EXPECT_EQ("brush|brush1|255|255|255", printRecord("brush|")[0]);
    EXPECT_EQ(std::vector<std::string>{textAt(32, 47, "Seventh")}, slotTexts());
}
