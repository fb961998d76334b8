// Week navigation: seven table entries at a time with the table's week numbers, the ends of
// the table (always a beep, whatever beepOn says), and the refresh order of a week change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/navigation.h"
#include "records/settings.h"

class DiaryNavigationTest : public DiaryCoreTest {};

TEST_F(DiaryNavigationTest, StopsAtTheTableEndsWithABeepEvenWithBeepsOff) {
    startThursday();
    setBeep(0);
    for (int start : {350, 351, 359, 7, 6, 0}) {
        diaryState.selectedDayIndex = start;
        diaryState.selectedDay = dayTable[start].weekday;
        nextWeek();
        int forward = diaryState.selectedDayIndex;
        int forwardBeeps = newBeeps();
        diaryState.selectedDayIndex = start;
        diaryState.selectedDay = dayTable[start].weekday;
        previousWeek();
        int back = diaryState.selectedDayIndex;
        int backBeeps = newBeeps();
        EXPECT_EQ(start <= 350 ? start + 7 : start, forward) << start;
        EXPECT_EQ(start <= 350 ? 0 : 1, forwardBeeps) << start;
        EXPECT_EQ(start >= 7 ? start - 7 : start, back) << start;
        EXPECT_EQ(start >= 7 ? 0 : 1, backBeeps) << start;
    }
    EXPECT_EQ(0, diaryState.beepOn);
}

TEST_F(DiaryNavigationTest, CrossesIntoAWeek53AndOutAgain) {
    startAt(2026, 12, 26);
    ASSERT_EQ(52, diaryState.selectedWeek);
    nextWeek();
    EXPECT_EQ(53, diaryState.selectedWeek);
    EXPECT_STREQ("(1/2/2027)", diaryState.dateLabel);
    nextWeek();
    EXPECT_EQ(1, diaryState.selectedWeek);
    EXPECT_STREQ("(1/9/2027)", diaryState.dateLabel);
    previousWeek();
    previousWeek();
    EXPECT_EQ(52, diaryState.selectedWeek);
    EXPECT_EQ(6, diaryState.selectedDay);
}

TEST_F(DiaryNavigationTest, RefreshesStatusThenNotesThenSlotWithTheNewWeeksColour) {
    startAt(2026, 3, 4);  // a Wednesday of week 10
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n11=2\n");
    writeData("wkb_txt.data", "W10D3P0=old week\nW11D3P0=new week\n");
    writeData("wkb_hd.data", "D3P0C=Latin\nD3P0C|2=Bio\n");
    resetFrontLog();
    frontLog.notes = "unsaved text";
    nextWeek();
    EXPECT_EQ(11, diaryState.selectedWeek);
    EXPECT_EQ(3, diaryState.selectedDay);
    EXPECT_EQ(dayTable[diaryState.selectedDayIndex].weekday, 3);
    std::vector<std::string> order = {"colour", "status", "notes", "slot", "slot"};
    EXPECT_EQ(order, callKinds());
    EXPECT_EQ("colour|96FF96", frontLog.calls[0]);
    EXPECT_EQ("new week", frontLog.notes);
    EXPECT_EQ("   Course: Bio     Teacher:      Classroom: ", frontLog.slotLine);
}
