// Week navigation: seven entries of the day table forward or back, with a beep at the ends.
#pragma once

void nextWeek();
void previousWeek();
// Back to today's week, day and first period, refreshed as a week move is.
void showCurrentWeek();
