// Week navigation: seven entries of the day table forward or back, with a beep at the ends.
#pragma once

void nextWeek();
void previousWeek();
// Back to today's week, day and first period, refreshed as a week move is.
void showCurrentWeek();
// Selects a week, day (1..6) and period (0..9) with its tabs, as a search hit does: the status
// line first (it loads the week's colour), then the slot line and the notes. A typed note must
// have been kept before.
void showLesson(int week, int day, int period);
