// The day table checked for every "today" from 1 January 1971 to 31 December 2037 against an
// independent ISO 8601 calendar: all 360 entries, today's week and weekday, and no
// (week, weekday) pair twice in one table.
#include <gtest/gtest.h>

#include <string>

#include "calendar/iso_week_oracle.h"

TEST(CalendarOracle, EveryTodayFrom1971To2037) {
    const isoOracle::Calendar cal = isoOracle::makeCalendar(1970, 2038);
    resetDiaryState();
    std::string firstFault;
    int failures = isoOracle::checkEveryDay(cal, 1971, 2037, &firstFault);
    platformSetNow(0);
    EXPECT_EQ(failures, 0) << firstFault;
}

// The oracle itself, against facts of the calendar known independently of it.
TEST(CalendarOracle, AgreesWithKnownDates) {
    const isoOracle::Calendar cal = isoOracle::makeCalendar(1970, 2038);
    auto at = [&](int y, int m, int d) { return cal.days[isoOracle::indexOf(cal, y, m, d)]; };
    EXPECT_EQ(at(1970, 1, 1).weekday, 4);  // a Thursday: week 1 of 1970
    EXPECT_EQ(at(1970, 1, 1).week, 1);
    EXPECT_EQ(at(2000, 2, 29).weekday, 2);
    EXPECT_EQ(at(2021, 1, 3).week, 1);      // a Sunday: the week of Monday 4 January
    EXPECT_EQ(at(2021, 1, 2).week, 53);     // Saturday in the last week of 2020
    EXPECT_EQ(at(2026, 12, 31).week, 53);
    EXPECT_EQ(at(2038, 1, 19).weekday, 2);
}
