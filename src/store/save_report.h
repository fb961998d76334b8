// How the store tells the user that a file could not be written and why. The store composes
// the text (save_report.cpp) from the class of the platform's last error; the diary above
// implements saveReportShow (as a message box), and tests record it, the way platform.h is
// implemented once per build. The report of one table record, which names the record from
// its key, is implemented by the records (record_report.cpp).
#pragma once
#include <cstddef>

#include "platform/platform.h"

// Shows an error text about a file that was not written (the old file is whole).
void saveReportShow(const char* text);

// Tells the user why `what` ("the title", "the notes of Monday, Period 3") was not saved, from
// the platform's last error, and that the file on disk was left as it was. plural says "were".
void reportSaveFailure(const char* what, int plural);
// The same for one record of a table (TIMETABLE_TABLE or NOTES_TABLE), named by its key.
void reportRecordSaveFailure(const char* table, const char* key);
// The cause of a failed file call in the user's words, without a capital or a full stop:
// "the disk is full", "wkb_txt.data is read-only or in use by another program", ...
void fileErrorCause(const PlatformError* error, char* out, size_t size);
// The text of such a report for an error of class kind with the system's code.
void saveFailureText(char* out, size_t size, PlatformErrorKind kind, int code, const char* what, int plural);
