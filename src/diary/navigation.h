// Week navigation: seven entries of the day table forward or back, with a beep at the ends.
#pragma once

void nextWeek();
void previousWeek();
