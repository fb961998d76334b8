// The "New school year..." command's work: the default name of the year, and the start of a
// new year, which keeps the old one as a snapshot and empties the notes and week colours.
#pragma once

// The name of the school year that ends: the notes' school year once one is set, else
// "2025-2026" through 2026, from platformNow (out: 16 bytes or more).
void defaultSchoolYearName(char* out, int size);
// Keeps the store as the snapshot name, then empties the notes table and the week colours;
// the timetable, the value lists and the settings stay. Reloads what the window shows.
// 0 done; 1 the name is refused (message filled, nothing done); 2 failed (told to the user;
// nothing was emptied unless the snapshot was whole).
int startSchoolYear(const char* name, char* message, int size);
