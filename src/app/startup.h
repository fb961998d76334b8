// Start-up: base folder, store, calendar, the day and week to show, and the options.
#pragma once

// Runs every start-up step before the window exists. Returns 0, or 1 when another copy of
// the diary already has the data folder open or it cannot be made sure that none has (the
// lock file's place holds something that is no file): the user has been told, no file was
// touched, and the program must end.
int startUp();
// What a second copy on the same data folder tells the user before it ends.
#define SECOND_COPY_TEXT                                                            \
    "The diary is already open in another window.\n"                               \
    "This copy will close so that no note is overwritten.\n"                       \
    "Please use the window that is already open."
// Why the start ends when the lock file's place holds something that cannot be opened as a
// file (a folder, a file without permission); %s is the data folder.
#define LOCK_NOT_A_FILE_TEXT                                                        \
    "The diary cannot make sure that it is open only once: \"wkb.lock\" in its data folder\n" \
    "%s\n"                                                                          \
    "cannot be opened as a file. Remove or rename it, then start the diary again."
// Told once at start when today's snapshot could not be made, with its cause in brackets
// after this line; the diary goes on.
#define DAILY_SNAPSHOT_FAILED "Today's snapshot of the diary could not be made\n"
