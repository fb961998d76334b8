// The next lesson of a course over a worked school year, 2026/27 from week 36: yellow and
// green weeks in turn, the holidays 52, 53 and 1 (a week 53 before week 1), Math on yellow
// Tuesdays and as a double period on green Thursdays, Art on green Saturdays only.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/next_lesson.h"
#include "records/settings.h"
#include "records/week_colours.h"

namespace {

class NextLessonTest : public DiaryCoreTest {
protected:
    void SetUp() override {
        DiaryCoreTest::SetUp();
        startAt(2026, 12, 9);
        writeSetting("rotation_first", "36");
        writeSetting("rotation_holidays", "52-1");
        std::string weeks = "### Weeks colors data. Please do not edit.\n";
        int step = 0;
        for (int i = 0; i < 53; i++) {
            int week = (36 - 1 + i) % 53 + 1;
            bool holiday = week == 52 || week == 53 || week == 1;
            weeks += std::to_string(week) + "=" + (holiday ? "0" : std::to_string(1 + step++ % 2)) + "\n";
        }
        writeData("weeks.dat", weeks);
        writeData("wkb_hd.data", "D2P0C|1=Math\nD4P2C|2=Math\nD4P3C|2=Math\nD6P1C|2=Art\nD5P4C=Music\n");
        startAt(2026, 12, 9);
    }
    // "week/day/period" of the next lesson after a date, "none" when there is none.
    static std::string next(int month, int day, int year, const char* course) {
        int from = -1;
        for (int i = 0; i < dayTableLength && from < 0; i++)
            if (dayTable[i].day == day && dayTable[i].month == month && dayTable[i].year == year - 1900) from = i;
        int index = 0, period = 0;
        if (from < 0 || !findNextLesson(from, course, &index, &period)) return "none";
        return std::to_string(dayTable[index].week) + "/" + std::to_string(dayTable[index].weekday) + "/" +
               std::to_string(period);
    }
};

TEST_F(NextLessonTest, TheNextLessonFollowsTheRealWeeksAcrossHolidaysAndWeek53) {
    ASSERT_EQ(371, dayTableLength);  // the school year 2026/27 of 53 weeks
    const struct {
        int month, day, year;
        const char* course;
        const char* expected;
    } cases[] = {
        {12, 8, 2026, "Math", "51/4/2"},   // yellow Tuesday: the green Thursday of the next week
        {12, 17, 2026, "Math", "2/2/0"},   // a double period is one lesson; then 52, 53 and 1 are holidays
        {1, 10, 2027, "Math", "2/2/0"},    // from a Sunday
        {12, 5, 2026, "Art", "51/6/1"},    // green Saturdays only: week 50 is yellow
        {12, 9, 2026, "Music", "none"},    // a plain-week course, and the plain weeks are holidays
        {9, 2, 2027, "Math", "none"},      // the last lesson of the school year
        {12, 8, 2026, "Latin", "none"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, next(c.month, c.day, c.year, c.course)) << c.month << "/" << c.day << " " << c.course;
    // With the default values on, the plain week's course shows in every week.
    diaryState.useDefaults = 1;
    EXPECT_EQ("50/5/4", next(12, 9, 2026, "Music"));
}

TEST_F(NextLessonTest, TheCommandSelectsTheLessonOrSaysWhyNot) {
    diaryState.selectedWeek = 50;
    diaryState.selectedDay = 2;
    diaryState.selectedPeriod = 0;
    locateSelectedDay();
    readSelectedWeekColour();
    showNextLessonOfCourse();
    EXPECT_EQ(51, diaryState.selectedWeek);
    EXPECT_EQ(4, diaryState.selectedDay);
    EXPECT_EQ(2, diaryState.selectedPeriod);
    EXPECT_STREQ("(12/17/2026)", diaryState.dateLabel);
    diaryState.selectedPeriod = 5;
    showNextLessonOfCourse();
    EXPECT_EQ(1u, frontCalls("box|").size());
    EXPECT_EQ(51, diaryState.selectedWeek);
}

}  // namespace

namespace {

// A change of one lesson counts: the cancelled double period is skipped, and a Friday lesson
// swapped for Math is the next Math.
TEST_F(NextLessonTest, CancelledAndSwappedLessonsCount) {
    writeData("changes.dat", "### Lessons that differ on one date. Please do not edit.\nW51D4P2=X\nW51D4P3=X\n");
    EXPECT_EQ("2/2/0", next(12, 8, 2026, "Math"));
    writeData("changes.dat", "### Lessons that differ on one date. Please do not edit.\nW50D5P4=- C4:Math\n");
    EXPECT_EQ("50/5/4", next(12, 8, 2026, "Math"));
}

}  // namespace
