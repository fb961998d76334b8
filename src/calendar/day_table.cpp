// The school calendar: today's date from the local clock, the table of 360 days that starts
// about six months back, week numbers (ISO 8601, a Sunday counted with the Monday after it),
// and the date label of the selected day. Dates are normalised here on the Gregorian calendar
// of years 1 to 9999 rather than by mktime, whose range and time-zone quirks differ between C
// libraries (msvcrt refuses anything before 1970); a date outside that range counts as failed.
#include "calendar/day_table.h"

#include <climits>
#include <cstdio>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"

DayEntry dayTable[DAY_TABLE_MAX];
int dayTableLength = DAY_TABLE_SIZE;
int dayTableIsSchoolYear;
// Where each week number lies in a school year's table (-1 absent), for ordering weeks.
static int weekPlaces[54];
int todayMonthDay, todayMonth, todayYear, todayShortYear;
int leapYear;

// The years the calendar handles, counted since 1900 as in a tm record.
static const long long FIRST_TM_YEAR = 1 - 1900;
static const long long LAST_TM_YEAR = 9999 - 1900;

static long long floorDiv(long long a, long long b) {
    long long q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

static long long floorMod(long long a, long long b) { return a - floorDiv(a, b) * b; }

// Days from 1 January 1970 to year-month-day (month 1..12, day 1..31), by 400-year eras.
static long long daysFromCivil(long long year, int month, int day) {
    year -= month <= 2;
    long long era = floorDiv(year, 400);
    long long yearOfEra = year - era * 400;
    long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The date of a day count from 1 January 1970; the inverse of daysFromCivil.
static void civilFromDays(long long days, long long* year, int* month, int* day) {
    days += 719468;
    long long era = floorDiv(days, 146097);
    long long dayOfEra = days - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long shifted = (5 * dayOfYear + 2) / 153;
    *day = (int)(dayOfYear - (153 * shifted + 2) / 5 + 1);
    *month = (int)(shifted < 10 ? shifted + 3 : shifted - 9);
    *year = era * 400 + yearOfEra + (*month <= 2);
}

// Brings every field of a broken-down date into range and fills tm_wday and tm_yday, as mktime
// does for a local date. Returns 1, leaving the record untouched, when the date falls outside
// the calendar's years.
static int normaliseDate(struct tm* t) {
    long long seconds = (long long)t->tm_sec + 60LL * t->tm_min + 3600LL * t->tm_hour;
    long long carryDays = floorDiv(seconds, 86400);
    seconds -= carryDays * 86400;
    long long months = (long long)t->tm_year * 12 + t->tm_mon;
    long long firstOfMonth = daysFromCivil(floorDiv(months, 12) + 1900, (int)floorMod(months, 12) + 1, 1);
    long long days = firstOfMonth + (t->tm_mday - 1LL) + carryDays;
    long long year;
    int month, day;
    civilFromDays(days, &year, &month, &day);
    if (year - 1900 < FIRST_TM_YEAR || year - 1900 > LAST_TM_YEAR) return 1;
    t->tm_sec = (int)(seconds % 60);
    t->tm_min = (int)(seconds / 60 % 60);
    t->tm_hour = (int)(seconds / 3600);
    t->tm_mday = day;
    t->tm_mon = month - 1;
    t->tm_year = (int)(year - 1900);
    t->tm_wday = (int)floorMod(days + 4, 7);  // 1 January 1970 was a Thursday
    t->tm_yday = (int)(days - daysFromCivil(year, 1, 1));
    t->tm_isdst = 0;
    return 0;
}

// A date record at the given hour with every other field 0.
static struct tm dateAt(int day, int month0, int tmYear, int hour) {
    struct tm t = {};
    t.tm_mday = day;
    t.tm_mon = month0;
    t.tm_year = tmYear;
    t.tm_hour = hour;
    return t;
}

// A strftime number of a single field, formatted into a 4-character buffer and read back.
static int strftimeNumber(const char* format, const struct tm* t) {
    char text[4];
    if (strftime(text, sizeof text, format, t) == 0) text[0] = '\0';
    return leadingNumber(text);
}

void readToday() {
    time_t now = platformNow();
    const struct tm* found = localtime(&now);
    // A clock the C library cannot break down, or one beyond the calendar's years, keeps the
    // previous values rather than building a table from nonsense.
    if (found == NULL || found->tm_year < FIRST_TM_YEAR || found->tm_year > LAST_TM_YEAR) return;
    struct tm local = *found;
    todayMonthDay = local.tm_mday;
    todayMonth = local.tm_mon + 1;
    todayYear = local.tm_year;
    diaryState.todayWeekday = strftimeNumber("%w", &local);
    diaryState.currentWeek = strftimeNumber("%W", &local);
    todayShortYear = strftimeNumber("%y", &local);
}

void findToday() {
    // Matched on the full year: a two-digit year would miss every today outside 2000-2099.
    int i = todayIndex();
    if (i < 0) return;
    diaryState.currentWeek = dayTable[i].week;
    diaryState.todayWeekday = dayTable[i].weekday;
}

int todayIndex() {
    for (int i = 0; i < dayTableLength; i++) {
        const DayEntry& entry = dayTable[i];
        if (entry.day == todayMonthDay && entry.month == todayMonth && entry.year == todayYear) return i;
    }
    return -1;
}

int weekOfDate(struct tm* date) {
    if (date == NULL || normaliseDate(date) != 0) return 0;
    int isoWeekday = date->tm_wday == 0 ? 7 : date->tm_wday;
    int week = (date->tm_yday - isoWeekday + 11) / 7;
    if (week == 0) {
        // The first days of January before week 1 belong to the last week of the year before.
        struct tm lastDay = dateAt(31, 11, date->tm_year - 1, 12);
        return weekOfDate(&lastDay);
    }
    if (week == 53) {
        // Only late December gets here: e is the weekday of 31 December (1..5, no wrap).
        int e = date->tm_wday + 31 - date->tm_mday;
        if (e == 4) return 53;
        if (e == 5) return date->tm_yday + 32 - date->tm_mday > 365 ? 53 : 1;
        return 1;
    }
    return week;
}

int weekOfDay(int day, int month, int year) {
    // Folded in 64 bits so that no argument can overflow on its way into the record.
    long long months = (long long)year * 12 + month - 1 - 1900LL * 12;
    long long tmYear = floorDiv(months, 12);
    if (tmYear < INT_MIN || tmYear > INT_MAX) return 0;
    struct tm date = dateAt(day, (int)floorMod(months, 12), (int)tmYear, 12);
    return weekOfDate(&date);
}

int weekdayOf(int day, int month0, int tmYear) {
    struct tm date = dateAt(day, month0, tmYear, 11);
    if (normaliseDate(&date) != 0) {
        puts("get_week_day failed...");
        return 0;
    }
    return date.tm_wday;
}

static void queryLeapYear(int tmYear) {
    struct tm date = dateAt(29, 1, tmYear, 12);
    if (normaliseDate(&date) != 0) {
        puts("Bisextil failed...");
        return;
    }
    leapYear = date.tm_mon == 1 ? 1 : 0;
}

static int daysInMonth(int month) {
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    case 2: return 28 + leapYear;
    default: return 30;
    }
}

// 53 when the year's 31 December is a Thursday, or a Friday of a leap year; else 1.
static int weekAfterWeek52(int tmYear) {
    struct tm date = dateAt(31, 11, tmYear, 12);
    if (normaliseDate(&date) != 0) {
        puts("LAST_WEEK failed...");
        return 0;
    }
    if (date.tm_wday == 4 || (date.tm_wday == 5 && date.tm_yday == 365)) return 53;
    return 1;
}

int calendarQuery(int mode, int value) {
    switch (mode) {
    case 1: queryLeapYear(value); return 0;
    case 2: return daysInMonth(value);
    case 3: return weekAfterWeek52(value);
    default: return 0;
    }
}

// Where the filling stands: the next entry and the running weekday and week number.
struct TableCursor {
    int index;
    int weekday;
    int week;
};

// Writes the days first..last of one month, as far as the table reaches.
static void fillMonth(TableCursor* c, int first, int month, int tmYear) {
    int last = calendarQuery(2, month);
    for (int day = first; day <= last && c->index < DAY_TABLE_SIZE; day++) {
        dayTable[c->index++] = DayEntry{c->weekday, day, c->week, month, tmYear};
        if (c->weekday == 6) {
            c->weekday = 0;
            c->week = c->week > 51 ? calendarQuery(3, tmYear) : c->week + 1;
        } else {
            c->weekday++;
        }
    }
}

void buildDayTable() {
    readToday();
    dayTableLength = DAY_TABLE_SIZE;
    dayTableIsSchoolYear = 0;
    int month = todayMonth >= 7 ? todayMonth - 6 : todayMonth + 6;
    int tmYear = todayMonth >= 7 ? todayYear : todayYear - 1;
    // The same day of the month six months back, with the 29th to 31st taken as the 28th.
    int day = todayMonthDay > 28 ? 28 : (todayMonthDay < 1 ? 1 : todayMonthDay);
    TableCursor c = {0, weekdayOf(day, month - 1, tmYear), 0};
    // A Sunday carries the week of the Monday after it.
    c.week = weekOfDay(c.weekday == 0 ? day + 1 : day, month, tmYear + 1900);
    calendarQuery(1, tmYear);
    while (c.index < DAY_TABLE_SIZE) {
        fillMonth(&c, day, month, tmYear);
        day = 1;
        if (++month > 12) {
            month = 1;
            tmYear++;
            calendarQuery(1, tmYear);
        }
    }
    findToday();
}

// The day count of the Sunday that carries week `week` of `year` (the Sunday before its Monday).
static long long sundayOfWeek(int week, long long year) {
    long long fourth = daysFromCivil(year, 1, 4);  // always in week 1
    long long mondayOfWeek1 = fourth - floorMod(fourth + 3, 7);
    return mondayOfWeek1 + 7LL * (week - 1) - 1;
}

long long dayCount(int year, int month, int day) { return daysFromCivil(year, month, day); }

static int yearInCalendar(long long year) { return year >= 2 && year <= 9998; }

int schoolYearOfDate(int startWeek, int day, int month, int year) {
    if (startWeek < 1 || startWeek > 52 || !yearInCalendar(year)) return 0;
    long long date = daysFromCivil(year, month, day);
    if (date >= sundayOfWeek(startWeek, year + 1)) return year + 1;
    return date >= sundayOfWeek(startWeek, year) ? year : year - 1;
}

static DayEntry entryOfDay(long long days) {
    long long year;
    int month, day;
    civilFromDays(days, &year, &month, &day);
    return DayEntry{(int)floorMod(days + 4, 7), day, 0, month, (int)(year - 1900)};
}

int schoolYearSpan(int startWeek, int startYear, DayEntry* firstMonday, DayEntry* lastSaturday) {
    if (startWeek < 1 || startWeek > 52 || !yearInCalendar(startYear)) return 0;
    long long first = sundayOfWeek(startWeek, startYear), end = sundayOfWeek(startWeek, startYear + 1LL);
    *firstMonday = entryOfDay(first + 1);
    *lastSaturday = entryOfDay(end - 1);
    return (int)((end - first) / 7);
}

int fillSchoolYear(DayEntry* out, int max, int startWeek, int startYear) {
    if (startWeek < 1 || startWeek > 52 || !yearInCalendar(startYear)) return 0;
    long long first = sundayOfWeek(startWeek, startYear);
    long long end = sundayOfWeek(startWeek, startYear + 1LL);
    int length = (int)(end - first) < max ? (int)(end - first) : max;
    for (int i = 0; i < length; i++) {
        long long year;
        int month, day;
        civilFromDays(first + i, &year, &month, &day);
        int weekday = (int)floorMod(first + i + 4, 7);
        // The week of the Monday after a Sunday; only a Sunday can cross into another month.
        long long weekDate = weekday == 0 ? first + i + 1 : first + i;
        long long wy;
        int wm, wd;
        civilFromDays(weekDate, &wy, &wm, &wd);
        out[i] = DayEntry{weekday, day, weekOfDay(wd, wm, (int)wy), month, (int)(year - 1900)};
    }
    return length;
}

int buildSchoolYearTable(int startWeek, int startYear) {
    readToday();
    int length = fillSchoolYear(dayTable, DAY_TABLE_MAX, startWeek, startYear);
    if (length == 0) return 1;
    dayTableLength = length;
    dayTableIsSchoolYear = 1;
    for (int w = 0; w < 54; w++) weekPlaces[w] = -1;
    for (int i = 0; i < dayTableLength; i += 7) weekPlaces[dayTable[i].week] = i / 7;
    findToday();
    return 0;
}

int weekPlaceInYear(int week) {
    return dayTableIsSchoolYear && week >= 1 && week <= 53 ? weekPlaces[week] : -1;
}

int lastForwardIndex() { return dayTableIsSchoolYear ? dayTableLength - 8 : 350; }

void locateSelectedDay() {
    for (int i = 0; i < dayTableLength; i++) {
        const DayEntry& entry = dayTable[i];
        if (entry.week == diaryState.selectedWeek && entry.weekday == diaryState.selectedDay) {
            snprintf(diaryState.dateLabel, sizeof diaryState.dateLabel, "(%u/%u/%u)", (unsigned)entry.month,
                     (unsigned)entry.day, (unsigned)entry.year + 1900u);
            diaryState.selectedDayIndex = i;
            return;
        }
    }
}
