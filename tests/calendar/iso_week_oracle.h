// An independent calendar to check the day table against: dates walked one day at a time,
// day numbers summed from whole years and months, ISO 8601 weeks by the Thursday rule, and a
// Sunday counted with the Monday after it. No mktime, so it cannot share a C library's faults.
// Header only: the native and the Windows test programs both use it.
#pragma once
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "platform/platform.h"

namespace isoOracle {

inline bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

inline int monthLength(int year, int month) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : lengths[month - 1];
}

// Days from 1 January 1970 (years from 1970 on).
inline long dayNumber(int year, int month, int day) {
    auto leapsBefore = [](int y) { return (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400; };
    long n = 365L * (year - 1970) + leapsBefore(year) - leapsBefore(1970);
    for (int m = 1; m < month; m++) n += monthLength(year, m);
    return n + day - 1;
}

// Monday 1 .. Sunday 7; 1 January 1970 was a Thursday.
inline int isoWeekday(long n) { return (int)(n + 3) % 7 + 1; }

// ISO week of day number n, which lies in the given year: the week of its Thursday.
inline int isoWeek(long n, int year) {
    long thursday = n - isoWeekday(n) + 4;
    if (thursday < dayNumber(year, 1, 1)) year--;
    else if (thursday >= dayNumber(year + 1, 1, 1)) year++;
    return (int)((thursday - dayNumber(year, 1, 1)) / 7 + 1);
}

// Every day of the years firstYear..lastYear as the day table should hold it.
struct Calendar {
    int firstYear;
    std::vector<DayEntry> days;
};

inline Calendar makeCalendar(int firstYear, int lastYear) {
    Calendar cal{firstYear, {}};
    long n = dayNumber(firstYear, 1, 1);
    for (int y = firstYear; y <= lastYear; y++)
        for (int m = 1; m <= 12; m++)
            for (int d = 1; d <= monthLength(y, m); d++, n++) {
                int weekday = isoWeekday(n) % 7;
                int week = weekday != 0 ? isoWeek(n, y) : isoWeek(n + 1, m == 12 && d == 31 ? y + 1 : y);
                cal.days.push_back(DayEntry{weekday, d, week, m, y - 1900});
            }
    return cal;
}

inline long indexOf(const Calendar& cal, int year, int month, int day) {
    return dayNumber(year, month, day) - dayNumber(cal.firstYear, 1, 1);
}

inline std::string describe(const char* what, int index, const DayEntry& got, const DayEntry& want) {
    char text[200];
    snprintf(text, sizeof text, "%s at entry %d: got wd %d %d/%d/%d week %d, want wd %d %d/%d/%d week %d", what,
             index, got.weekday, got.month, got.day, got.year + 1900, got.week, want.weekday, want.month,
             want.day, want.year + 1900, want.week);
    return text;
}

// Compares the day table and today's values, as buildDayTable left them for "today" y-m-d,
// with the oracle. "" when everything agrees, else the first difference.
inline std::string checkDayTable(const Calendar& cal, int y, int m, int d) {
    long start = indexOf(cal, m >= 7 ? y : y - 1, m >= 7 ? m - 6 : m + 6, d > 28 ? 28 : d);
    if (start < 0 || start + DAY_TABLE_SIZE > (long)cal.days.size()) return "oracle range too small";
    bool seen[54][7] = {};
    for (int i = 0; i < DAY_TABLE_SIZE; i++) {
        const DayEntry& got = dayTable[i];
        const DayEntry& want = cal.days[start + i];
        if (got.weekday != want.weekday || got.day != want.day || got.week != want.week ||
            got.month != want.month || got.year != want.year)
            return describe("differs", i, got, want);
        if (seen[got.week][got.weekday]) return describe("week and weekday twice", i, got, want);
        seen[got.week][got.weekday] = true;
    }
    const DayEntry& today = cal.days[indexOf(cal, y, m, d)];
    if (diaryState.currentWeek != today.week || diaryState.todayWeekday != today.weekday ||
        todayMonthDay != d || todayMonth != m || todayYear != y - 1900 || todayShortYear != y % 100)
        return describe("today", -1, DayEntry{diaryState.todayWeekday, todayMonthDay, diaryState.currentWeek,
                                              todayMonth, todayYear}, today);
    return "";
}

// Local noon of a date, for the test clock.
inline time_t localNoon(int y, int m, int d) {
    struct tm t = {};
    t.tm_year = y - 1900;
    t.tm_mon = m - 1;
    t.tm_mday = d;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return mktime(&t);
}

// Builds the table for every today of the years fromYear..toYear and checks each; returns the
// number of failing days (stopping after a few) and the first fault in firstFault.
inline int checkEveryDay(const Calendar& cal, int fromYear, int toYear, std::string* firstFault) {
    int failures = 0;
    for (int y = fromYear; y <= toYear && failures < 10; y++)
        for (int m = 1; m <= 12; m++)
            for (int d = 1; d <= monthLength(y, m); d++) {
                platformSetNow(localNoon(y, m, d));
                buildDayTable();
                std::string fault = checkDayTable(cal, y, m, d);
                if (fault.empty()) continue;
                if (failures++ == 0) {
                    char day[40];
                    snprintf(day, sizeof day, "today %d-%02d-%02d: ", y, m, d);
                    *firstFault = day + fault;
                }
            }
    return failures;
}

}  // namespace isoOracle
