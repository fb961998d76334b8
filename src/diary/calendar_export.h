// The "Calendar file (.ics)" command: writes the school year's lessons as "timetable.ics" in
// the data folder, tells the user where the file is and opens its folder.
#pragma once

void exportCalendarFile();
