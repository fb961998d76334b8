// The next lesson of a course, found on the real dates of the day table: the week colour, the
// holidays and the changes of each lesson count, so a week 53, a holiday or a cancelled lesson
// never puts the cycle out of step.
#include "diary/next_lesson.h"

#include <cstdio>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/navigation.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "records/lesson_changes.h"
#include "records/slot_lookup.h"
#include "records/year_contents.h"

// 1 when the lesson holds course on its date: the timetable's, or the one a change of that
// lesson puts in its place; never when it is cancelled.
static int holdsCourse(const YearContents* year, const DayEntry& d, int period, const char* course) {
    LessonChange change;
    const char* stored = yearChange(year, d.week, d.weekday, period);
    if (stored[0] != '\0' && parseLessonChange(stored, &change)) {
        if (change.cancelled) return 0;
        if (change.changed[SLOT_COURSE]) return strcmp(change.field[SLOT_COURSE], course) == 0;
    }
    int colour = year->weekColour[d.week];
    return strcmp(yearSlotField(year, d.weekday, period, SLOT_COURSE, colour, diaryState.useDefaults), course) == 0;
}

// The first period of the day at index that holds course; -1 when none.
static int periodOfCourse(const YearContents* year, int index, const char* course) {
    const DayEntry& d = dayTable[index];
    if (d.weekday < 1 || d.weekday > 6 || d.week < 1 || d.week > 53 || year->holiday[d.week]) return -1;
    for (int p = 0; p < 10; p++)
        if (holdsCourse(year, d, p, course)) return p;
    return -1;
}

int findNextLesson(int fromIndex, const char* course, int* dayIndex, int* period) {
    YearContents year;
    if (course[0] == '\0' || loadYearTimetable(&year) != 0) return 0;
    int found = 0;
    for (int i = fromIndex + 1; i < dayTableLength && !found; i++) {
        int p = periodOfCourse(&year, i, course);
        if (p >= 0) {
            *dayIndex = i;
            *period = p;
            found = 1;
        }
    }
    freeYearContents(&year);
    return found;
}

void showNextLessonOfCourse() {
    char course[SLOT_FIELD_SIZE], teacher[SLOT_FIELD_SIZE], room[SLOT_FIELD_SIZE], text[SLOT_FIELD_SIZE + 120];
    char* const fields[3] = {course, teacher, room};
    const size_t sizes[3] = {sizeof course, sizeof teacher, sizeof room};
    // The selected lesson's course on its date, a change of it included.
    lookupLessonFields(diaryState.selectedWeek, diaryState.selectedDay, diaryState.selectedPeriod,
                       diaryState.weekColour, fields, sizes);
    if (course[0] == '\0') {
        notify("This lesson has no course, so there is no next lesson of it to go to.", NOTIFY_INFO);
        return;
    }
    int index = 0, period = 0;
    if (!findNextLesson(diaryState.selectedDayIndex, course, &index, &period)) {
        snprintf(text, sizeof text, "The diary's calendar holds no later lesson of %s.", course);
        notify(text, NOTIFY_INFO);
        return;
    }
    if (keepTypedNote()) showLesson(dayTable[index].week, dayTable[index].weekday, period);
}
