// Start-up: base folder, store, calendar, the day and week to show, and the options.
#pragma once

// Runs every start-up step before the window exists. Returns 0, or 1 when another copy of
// the diary already has the data folder open: the user has been told, no file was touched,
// and the program must end.
int startUp();
// What a second copy on the same data folder tells the user before it ends.
#define SECOND_COPY_TEXT                                                            \
    "The diary is already open in another window.\n"                               \
    "This copy will close so that no note is overwritten.\n"                       \
    "Please use the window that is already open."
// Told once at start when today's snapshot could not be made; the diary goes on.
#define DAILY_SNAPSHOT_FAILED                                                      \
    "Today's snapshot of the diary could not be made\n"                          \
    "(the disk may be full or write-protected).\n"                               \
    "Your data files were not touched; the diary starts as usual."
