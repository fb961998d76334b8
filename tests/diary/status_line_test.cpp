// The status line: its text byte for byte with every action tag, its colours, and that each
// refresh follows the settings and week colours files.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/status_line.h"
#include "platform/bounded_text.h"
#include "storage/store_version.h"

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

TEST_F(DiaryStatusLineTest, ColoursByWeekColourAndWhiteOutsideTheRange) {
    const unsigned long expected[] = {0xFFFFFF, 0x64FFFF, 0x96FF96, 0x9696FF, 0xFFB4B4};
    for (int c = 0; c < 5; c++) EXPECT_EQ(expected[c], statusColour(c));
    EXPECT_EQ(0xFFFFFFul, statusColour(5));
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
    // A hand-edited colour is kept in the state and shown white.
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n3=7\n");
    refreshStatusLine();
    EXPECT_EQ(7, diaryState.weekColour);
    EXPECT_EQ(0xFFFFFFul, frontLog.statusColour);
}
