// The school calendar: 360 consecutive days from about six months before today, each with
// its weekday, date and week number (ISO 8601, a Sunday counted with the Monday after it).
#pragma once
#include <ctime>

struct DayEntry {
    int weekday;  // 0 Sunday .. 6 Saturday
    int day;      // 1..31
    int week;     // 1..53
    int month;    // 1..12
    int year;     // years since 1900
};

#define DAY_TABLE_SIZE 360

extern DayEntry dayTable[DAY_TABLE_SIZE];
extern int todayMonthDay, todayMonth, todayYear, todayShortYear;
extern int leapYear;

// Reads the clock (platformNow) into today's values, with provisional weekday and week.
void readToday();
// Sets currentWeek and todayWeekday from today's entry of the table.
void findToday();
// Week number of a broken-down local date, normalised in place; 0 when it cannot be.
int weekOfDate(struct tm* date);
// Week number of day 1..31, month 1..12, full year.
int weekOfDay(int day, int month, int year);
// Weekday 0..6 (0 Sunday) of day, month 0..11, years since 1900.
int weekdayOf(int day, int month0, int tmYear);
// 1 leap year (value: years since 1900), 2 days in month (value 1..12), 3 week after week 52.
int calendarQuery(int mode, int value);
// Fills the table from today and ends with findToday.
void buildDayTable();
// selectedDayIndex and dateLabel from selectedWeek and selectedDay; unchanged without a match.
void locateSelectedDay();
