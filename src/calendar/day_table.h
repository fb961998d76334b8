// The school calendar: consecutive days, each with its weekday, date and week number (ISO 8601,
// a Sunday counted with the Monday after it). Either the 360 days from about six months before
// today, or, once a school year is set, the weeks of one school year from the Sunday that
// carries its first week to the Saturday before the next school year, so that each week number
// names exactly one week of it.
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
#define DAY_TABLE_MAX 371  // a school year of 53 weeks

extern DayEntry dayTable[DAY_TABLE_MAX];
// The entries in use: DAY_TABLE_SIZE, or 364 or 371 for a school year.
extern int dayTableLength;
// 1 while the table holds a school year.
extern int dayTableIsSchoolYear;
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
// Fills the table with the school year that starts in week startWeek (1..52) of startYear (a
// full year) and ends with findToday. 0, or 1 (the table unchanged) when it cannot be built.
int buildSchoolYearTable(int startWeek, int startYear);
// The days of that school year into out (at most max); their number, 0 when it cannot be.
int fillSchoolYear(DayEntry* out, int max, int startWeek, int startYear);
// Days from 1 January 1970 to a date (month 1..12, full year), for counting calendar days.
long long dayCount(int year, int month, int day);
// The school year (the full year it starts in) that holds a date, for a school year starting in
// week startWeek; 0 when the date is outside the calendar.
int schoolYearOfDate(int startWeek, int day, int month, int year);
// The number of weeks (52 or 53) of the school year that starts in week startWeek of startYear,
// with the dates of its first Monday and last Saturday; 0 when it cannot be.
int schoolYearSpan(int startWeek, int startYear, DayEntry* firstMonday, DayEntry* lastSaturday);
// The last index from which a week forward stays in the table: 350 for the 360 days (their
// last reachable entry is 357); for a school year, any day of its last week but one.
int lastForwardIndex();
// Index of today's entry, -1 when today lies outside the table.
int todayIndex();
// The place of a week in a school year's table, 0 for its first week; -1 when the table holds
// no school year or not that week.
int weekPlaceInYear(int week);
// selectedDayIndex and dateLabel from selectedWeek and selectedDay; unchanged without a match.
void locateSelectedDay();
