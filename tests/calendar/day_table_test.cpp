// The school calendar's functions on chosen days: the selected day's label, today from the
// local clock (also in the last century and far from UTC), week numbers of single dates, the
// leap and last-week queries, and dates out of range. Whole tables: the oracle test.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>

#include "calendar/day_table.h"
#include "calendar/iso_week_oracle.h"
#include "core/diary_state.h"
#include "platform/platform.h"

namespace {

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override { resetDiaryState(); }
    void TearDown() override { platformSetNow(0); }

    static void buildOn(int y, int m, int d) {
        platformSetNow(isoOracle::localNoon(y, m, d));
        buildDayTable();
    }
    // Index of a date in the table, -1 when it is not there.
    static int find(int y, int m, int d) {
        for (int i = 0; i < DAY_TABLE_SIZE; i++)
            if (dayTable[i].year == y - 1900 && dayTable[i].month == m && dayTable[i].day == d) return i;
        return -1;
    }
};

// Where the captured calls below leave their result.
int result;

std::string capturedOutputOf(void (*run)()) {
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

// Every table is checked against the oracle elsewhere; here the label of the selected day.
TEST_F(CalendarTest, SelectedDayLabel) {
    buildOn(2026, 1, 15);
    EXPECT_EQ(find(2026, 1, 15), 184);
    diaryState.selectedWeek = 3;
    diaryState.selectedDay = 4;
    locateSelectedDay();
    EXPECT_STREQ(diaryState.dateLabel, "(1/15/2026)");
    EXPECT_EQ(diaryState.selectedDayIndex, 184);

    // Monday of week 29 lies before the table's first day: the label and index stay.
    diaryState.selectedWeek = 29;
    diaryState.selectedDay = 1;
    locateSelectedDay();
    EXPECT_STREQ(diaryState.dateLabel, "(1/15/2026)");
    EXPECT_EQ(diaryState.selectedDayIndex, 184);
}

TEST_F(CalendarTest, TodayOnASundayAndTheProvisionalValues) {
    platformSetNow(isoOracle::localNoon(2026, 1, 15));
    readToday();  // strftime's Monday-based week and weekday until the table is built
    EXPECT_EQ(diaryState.currentWeek, 2);
    EXPECT_EQ(diaryState.todayWeekday, 4);
    EXPECT_EQ(todayMonthDay, 15);
    EXPECT_EQ(todayMonth, 1);

    buildOn(2026, 7, 5);
    EXPECT_EQ(diaryState.todayWeekday, 0);
    EXPECT_EQ(diaryState.currentWeek, 28);  // the week of Monday 6 July
}

TEST_F(CalendarTest, TodayOutsideTheTwentyFirstCentury) {
    // Thursday 15 January 1998 is in ISO week 3 but strftime's week 2: the table must win.
    buildOn(1998, 1, 15);
    EXPECT_EQ(diaryState.currentWeek, 3);
    EXPECT_EQ(todayShortYear, 98);
    if (sizeof(time_t) < 8) return;
    buildOn(2104, 1, 15);  // same shape: 1 January 2104 is a Tuesday
    EXPECT_EQ(diaryState.currentWeek, 3);
    EXPECT_EQ(diaryState.todayWeekday, 2);
}

TEST_F(CalendarTest, TodayIsTheLocalDate) {
    const char* saved = getenv("TZ");
    std::string previous = saved ? saved : "";
    struct Zone {
        const char* tz;
        int hour;
    } zones[] = {{"AHEAD-14", 0}, {"BEHIND+12", 23}, {"CET-1CEST,M3.5.0,M10.5.0/3", 0}};
    for (const Zone& z : zones) {
        setenv("TZ", z.tz, 1);
        tzset();
        struct tm t = {};
        t.tm_year = 126, t.tm_mon = 6, t.tm_mday = 15, t.tm_hour = z.hour, t.tm_min = 30, t.tm_isdst = -1;
        platformSetNow(mktime(&t));
        buildDayTable();
        EXPECT_EQ(todayMonthDay, 15) << z.tz;
        EXPECT_EQ(diaryState.todayWeekday, 3) << z.tz;
        EXPECT_EQ(diaryState.currentWeek, 29) << z.tz;
    }
    if (saved) setenv("TZ", previous.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}

TEST_F(CalendarTest, ClockBeyondTheCalendarKeepsToday) {
    if (sizeof(time_t) < 8) return;
    buildOn(2026, 1, 15);
    const time_t clocks[] = {(time_t)LLONG_MAX, (time_t)300000000000LL};  // no tm at all; year 11476
    for (time_t t : clocks) {
        platformSetNow(t);
        buildDayTable();
        EXPECT_EQ(todayYear, 126);
        EXPECT_EQ(find(2026, 1, 15), 184);
        EXPECT_EQ(diaryState.currentWeek, 3);
    }
}

TEST(CalendarWeeks, WeekOfSingleDates) {
    EXPECT_EQ(weekOfDay(1, 1, 2027), 53);
    EXPECT_EQ(weekOfDay(31, 12, 2024), 1);
    EXPECT_EQ(weekOfDay(3, 1, 2021), 53);
    EXPECT_EQ(weekOfDay(31, 12, 2010), 52);  // a Friday of a common year
    // Before 1970 too: no date is refused for lying before the C library's epoch.
    EXPECT_EQ(weekOfDay(1, 1, 1960), 53);
    EXPECT_EQ(weekOfDay(20, 7, 1969), 29);
    EXPECT_EQ(weekdayOf(1, 0, 0), 1);  // Monday 1 January 1900
    EXPECT_EQ(weekOfDay(1, 1, 1), 1);  // Monday 1 January of year 1
}

TEST(CalendarWeeks, WeekOfDateNormalisesInPlace) {
    EXPECT_EQ(weekOfDate(nullptr), 0);
    struct tm date = {};
    date.tm_year = 126, date.tm_mon = 11, date.tm_mday = 32, date.tm_hour = 12;
    EXPECT_EQ(weekOfDate(&date), 53);  // 1 January 2027
    EXPECT_EQ(date.tm_year, 127);
    EXPECT_EQ(date.tm_mon, 0);
    EXPECT_EQ(date.tm_mday, 1);
    EXPECT_EQ(date.tm_wday, 5);
    EXPECT_EQ(date.tm_yday, 0);
}

TEST(CalendarWeeks, Queries) {
    calendarQuery(1, 128);
    EXPECT_EQ(calendarQuery(2, 2), 29);
    calendarQuery(1, 126);
    EXPECT_EQ(calendarQuery(2, 2), 28);
    calendarQuery(1, 0);  // 1900: divisible by 100 only
    EXPECT_EQ(leapYear, 0);
    calendarQuery(1, 100);  // 2000: divisible by 400
    EXPECT_EQ(leapYear, 1);
    EXPECT_EQ(calendarQuery(2, 13), 30);

    EXPECT_EQ(calendarQuery(3, 126), 53);
    EXPECT_EQ(calendarQuery(3, 132), 53);
    EXPECT_EQ(calendarQuery(3, 104), 53);  // 31 December a Friday, leap year
    EXPECT_EQ(calendarQuery(3, 125), 1);
    EXPECT_EQ(calendarQuery(3, 110), 1);   // 31 December a Friday, common year
}

TEST(CalendarWeeks, DatesOutsideTheCalendarFailQuietly) {
    std::string out = capturedOutputOf([] {
        leapYear = 1;
        calendarQuery(1, 8100);  // year 10000
    });
    EXPECT_EQ(out, "Bisextil failed...\n");
    EXPECT_EQ(leapYear, 1);

    EXPECT_EQ(capturedOutputOf([] { result = calendarQuery(3, -1900); }), "LAST_WEEK failed...\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(capturedOutputOf([] { result = weekdayOf(1, 0, 8100); }), "get_week_day failed...\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(capturedOutputOf([] { result = weekdayOf(INT_MAX, INT_MAX, INT_MAX); }),
              "get_week_day failed...\n");
    EXPECT_EQ(result, 0);

    // weekOfDate is silent; extreme arguments must not overflow on the way.
    EXPECT_EQ(capturedOutputOf([] {
                  result = weekOfDay(1, 1, 10000) + weekOfDay(INT_MAX, INT_MAX, INT_MAX) +
                            weekOfDay(INT_MIN, INT_MIN, INT_MIN) + weekOfDay(1, 1, 0);
              }),
              "");
    EXPECT_EQ(result, 0);
    struct tm huge = {};
    huge.tm_year = INT_MAX, huge.tm_mon = INT_MAX, huge.tm_mday = INT_MAX, huge.tm_hour = INT_MAX;
    huge.tm_min = INT_MAX, huge.tm_sec = INT_MAX;
    EXPECT_EQ(weekOfDate(&huge), 0);
    EXPECT_EQ(huge.tm_year, INT_MAX);  // left as it was
    EXPECT_EQ(weekOfDay(31, 12, 9999), 52);
}
