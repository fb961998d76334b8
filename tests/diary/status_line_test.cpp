// The status line: its text byte for byte with every action tag, its colours, and that each
// refresh follows the settings and week colours files.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/status_line.h"
#include "platform/bounded_text.h"
#include "records/store_version.h"

class DiaryStatusLineTest : public DiaryCoreTest {};

TEST_F(DiaryStatusLineTest, TextCarriesWeeksDateActionTagAndOptions) {
    struct Case {
        int action, teacherMode;
        const char* tag;
    } cases[] = {{0, 0, " [Action: ]"},       {1, 0, " [Action: Title]"},    {2, 0, " [Action: Course]"},
                 {10, 1, " [Action: Course]"}, {11, 0, " [Action: Course]"},  {3, 0, " [Action: Teacher]"},
                 {3, 1, " [Action: Class]"},   {12, 1, " [Action: Class]"},   {13, 0, " [Action: Teacher]"},
                 {4, 0, " [Action: Classroom]"}, {14, 0, " [Action: Classroom]"}, {15, 1, " [Action: Classroom]"},
                 {5, 0, " [Action: Init.]"},   {6, 0, " [Action: Search]"},   {8, 0, " [Action: Print]"},
                 {9, 0, " [Action: Mode]"},    {7, 0, ""},                    {16, 0, ""}};
    diaryState.currentWeek = 3;
    diaryState.selectedWeek = 53;
    copyText(diaryState.dateLabel, sizeof diaryState.dateLabel, "(12/31/2026)");
    diaryState.beepOn = diaryState.infoOn = 1;
    char text[128];
    for (const Case& c : cases) {
        diaryState.action = c.action;
        diaryState.teacherMode = c.teacherMode;
        composeStatusText(text, sizeof text);
        EXPECT_EQ(std::string("[Current week:3 / Selected week:53 (12/31/2026)] ") + c.tag + " [Bip] [Info]", text)
            << "action " << c.action;
    }
    diaryState.action = 0;
    diaryState.beepOn = 0;
    composeStatusText(text, sizeof text);
    EXPECT_STREQ("[Current week:3 / Selected week:53 (12/31/2026)]  [Action: ] [Info]", text);
    diaryState.infoOn = 0;
    composeStatusText(text, sizeof text);
    EXPECT_STREQ("[Current week:3 / Selected week:53 (12/31/2026)]  [Action: ]", text);
}

// The bar's colours as a user sees them, in red, green and blue; the status bar takes them as
// 0x00BBGGRR, so blue comes first in the value it is handed.
TEST_F(DiaryStatusLineTest, EachWeekColourShowsItsShadeAndAnyOtherShowsWhite) {
    struct Shade {
        int week, weekColour, red, green, blue;
        const char* name;
    } shades[] = {{10, 0, 255, 255, 255, "white"},      {11, 1, 255, 255, 100, "light yellow"},
                  {12, 2, 150, 255, 150, "light green"}, {13, 3, 255, 150, 150, "light red"},
                  {14, 4, 180, 180, 255, "light blue"},  {15, 5, 255, 255, 255, "white (hand-edited 5)"},
                  {16, 0, 255, 255, 255, "white (no line)"}};
    startThursday();
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n11=1\n12=2\n13=3\n14=4\n15=5\n10=0\n");
    for (const Shade& s : shades) {
        diaryState.selectedWeek = s.week;
        refreshStatusLine();
        unsigned long shown = frontLog.statusColour;
        EXPECT_EQ(s.red, (int)(shown & 0xFF)) << s.name;
        EXPECT_EQ(s.green, (int)((shown >> 8) & 0xFF)) << s.name;
        EXPECT_EQ(s.blue, (int)((shown >> 16) & 0xFF)) << s.name;
        EXPECT_EQ(0ul, shown >> 24) << s.name;
    }
    // Worked out once by hand: light red is red 255, green 150, blue 150.
    EXPECT_EQ(0x9696FFul, statusColour(3));
    EXPECT_EQ(0xFFFFFFul, statusColour(-1));
}

TEST_F(DiaryStatusLineTest, RefreshFollowsTheFilesAndSetsTheColourFirst) {
    startThursday();
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n3=1\n3=3\n");
    writeData(".wkb.rc", "version=" CURRENT_VERSION "\nbip=no\ninfo=yes\n");
    diaryState.selectedDay = 1;
    refreshStatusLine();
    ASSERT_EQ(2u, frontLog.calls.size());
    EXPECT_EQ("colour|9696FF", frontLog.calls[0]);
    EXPECT_EQ("status|[Current week:3 / Selected week:3 (1/12/2026)]  [Action: ] [Info]", frontLog.calls[1]);
    EXPECT_EQ(3, diaryState.weekColour);
    EXPECT_EQ(0, diaryState.beepOn);
    // A hand-edited colour outside 0..4 is a plain week: 0 in the state, shown white.
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n3=7\n");
    refreshStatusLine();
    EXPECT_EQ(0, diaryState.weekColour);
    EXPECT_EQ(0xFFFFFFul, frontLog.statusColour);
}
