// "Next lesson of this course": from the lesson selected in the main window, the first later
// date whose week is not a holiday week of the week rotation and whose timetable (that week's
// colour, with the default values when that option is on, and the change of that one lesson)
// holds the same course; a cancelled lesson is skipped. A later period of the same day is not
// it: a double period is one lesson.
#pragma once

// The next lesson of course after the day fromIndex of the day table: 1 with its day index
// and period, 0 when the table holds none.
int findNextLesson(int fromIndex, const char* course, int* dayIndex, int* period);
// The command: selects the next lesson as a search hit is selected (the typed note is kept
// first), or says why there is none and stays.
void showNextLessonOfCourse();
