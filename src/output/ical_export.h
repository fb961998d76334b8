// The calendar file: every lesson from this week to the end of the day table as an iCalendar
// (RFC 5545) event in "timetable.ics" in the data folder, for import into other calendars; a
// note in a period without a course is an event titled by its period ("Period 3").
// Offers writeCalendar (the file's content) and writeCalendarFile (the file in the data folder).
#pragma once

#include "records/lesson_times.h"
#include "records/year_contents.h"
#include "store/text_file.h"

#define CALENDAR_FILE "timetable.ics"

// Writes the calendar to out from the year's contents and the lesson times; storeId tells this
// diary's events from another's in the UIDs. Returns the number of events.
int writeCalendar(Rewrite* out, const YearContents* s, const LessonTimes* t, const char* storeId);
enum CalendarResult { CALENDAR_WRITTEN, CALENDAR_NO_TIMES, CALENDAR_NO_MEMORY, CALENDAR_NOT_WRITTEN };
// Writes "timetable.ics" (the old file stays whole on any failure); events gets the number of
// events. Nothing is written without lesson times; a refused write has been told to the user.
CalendarResult writeCalendarFile(int* events);
