// The day table under the Windows C runtime: every "today" of 2019-2022 and 2025-2028 (around
// the 53-week years 2020 and 2026) against the independent ISO 8601 calendar, and dates before
// 1970, which msvcrt's mktime refuses.
#include <gtest/gtest.h>

#include <string>

#include "calendar/iso_week_oracle.h"

TEST(CalendarWindows, EveryTodayAroundThe53WeekYears) {
    const isoOracle::Calendar cal = isoOracle::makeCalendar(2018, 2029);
    resetDiaryState();
    std::string firstFault;
    int failures = isoOracle::checkEveryDay(cal, 2019, 2022, &firstFault);
    failures += isoOracle::checkEveryDay(cal, 2025, 2028, &firstFault);
    platformSetNow(0);
    EXPECT_EQ(failures, 0) << firstFault;
}

TEST(CalendarWindows, DatesBefore1970) {
    EXPECT_EQ(weekOfDay(1, 1, 1960), 53);
    EXPECT_EQ(weekdayOf(1, 0, 0), 1);
    calendarQuery(1, 68);
    EXPECT_EQ(leapYear, 1);
    EXPECT_EQ(calendarQuery(3, 59), 53);  // 31 December 1959 was a Thursday
}
