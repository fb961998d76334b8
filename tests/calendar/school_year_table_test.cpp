// The table of a whole school year, checked against dates written out by hand for three years
// from week 36: 2025/26 (52 weeks), 2026/27 (53 weeks, the year end in week 53) and 2027/28
// (a 29 February), and the school year that holds a date.
#include <gtest/gtest.h>

#include "calendar/day_table.h"
#include "calendar/iso_week_oracle.h"
#include "core/diary_state.h"
#include "platform/platform.h"

namespace {

struct Day {
    int index, weekday, day, month, year, week;
};

struct YearCase {
    int startYear, length;
    Day days[6];
};

const YearCase kYears[] = {
    {2025, 364,
     {{0, 0, 31, 8, 2025, 36}, {1, 1, 1, 9, 2025, 36}, {118, 6, 27, 12, 2025, 52},
      {119, 0, 28, 12, 2025, 1}, {182, 0, 1, 3, 2026, 10}, {363, 6, 29, 8, 2026, 35}}},
    {2026, 371,
     {{0, 0, 30, 8, 2026, 36}, {119, 0, 27, 12, 2026, 53}, {125, 6, 2, 1, 2027, 53},
      {126, 0, 3, 1, 2027, 1}, {300, 6, 26, 6, 2027, 25}, {370, 6, 4, 9, 2027, 35}}},
    {2027, 364,
     {{0, 0, 5, 9, 2027, 36}, {1, 1, 6, 9, 2027, 36}, {177, 2, 29, 2, 2028, 9},
      {178, 3, 1, 3, 2028, 9}, {357, 0, 27, 8, 2028, 35}, {363, 6, 2, 9, 2028, 35}}},
};

TEST(SchoolYearTable, WholeYearsFromWeek36MatchTheDatesWrittenByHand) {
    for (const YearCase& y : kYears) {
        SCOPED_TRACE(y.startYear);
        platformSetNow(isoOracle::localNoon(2026, 12, 9));
        ASSERT_EQ(0, buildSchoolYearTable(36, y.startYear));
        EXPECT_EQ(y.length, dayTableLength);
        EXPECT_EQ(1, dayTableIsSchoolYear);
        for (const Day& d : y.days) {
            const DayEntry& e = dayTable[d.index];
            EXPECT_EQ(d.weekday, e.weekday) << d.index;
            EXPECT_EQ(d.day, e.day) << d.index;
            EXPECT_EQ(d.month, e.month) << d.index;
            EXPECT_EQ(d.year - 1900, e.year) << d.index;
            EXPECT_EQ(d.week, e.week) << d.index;
        }
        // Each week number names exactly one run of seven days, Sunday to Saturday.
        int seen[54] = {0};
        for (int i = 0; i < dayTableLength; i += 7) {
            EXPECT_EQ(0, dayTable[i].weekday);
            for (int k = 1; k < 7; k++) EXPECT_EQ(dayTable[i].week, dayTable[i + k].week);
            EXPECT_EQ(0, seen[dayTable[i].week]++) << "week " << dayTable[i].week;
        }
        // The last forward step reaches the last week from any day of the week before it.
        EXPECT_EQ(dayTableLength - 1, lastForwardIndex() + 7);
    }
    platformSetNow(isoOracle::localNoon(2026, 12, 9));
    buildDayTable();
    EXPECT_EQ(DAY_TABLE_SIZE, dayTableLength);
    EXPECT_EQ(350, lastForwardIndex());
    platformSetNow(0);
}

TEST(SchoolYearTable, TheSchoolYearOfADateTurnsOnTheSundayOfItsFirstWeek) {
    const struct {
        int startWeek, day, month, year, expected;
    } cases[] = {
        {36, 29, 8, 2026, 2025}, {36, 30, 8, 2026, 2026}, {36, 9, 12, 2026, 2026}, {36, 4, 9, 2027, 2026},
        {36, 5, 9, 2027, 2027},  {1, 28, 12, 2025, 2026}, {1, 27, 12, 2025, 2025}, {52, 1, 1, 2026, 2025},
        {53, 1, 1, 2026, 0},     {0, 1, 1, 2026, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, schoolYearOfDate(c.startWeek, c.day, c.month, c.year))
            << c.startWeek << " " << c.day << "/" << c.month << "/" << c.year;
    EXPECT_EQ(1, buildSchoolYearTable(53, 2026));
    EXPECT_EQ(1, buildSchoolYearTable(36, 9999));
}

}  // namespace
