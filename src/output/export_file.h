// Writing an export file ("today.html", "week.html", "weeks.html", "daylist.gpe") in the data
// folder crash-safely: a new file beside it that replaces the old one only when whole.
// Offers beginExport and finishExport; both tell the user when the file cannot be written.
#pragma once

#include "store/text_file.h"

// Starts the new version of the data folder's file name. 0, or 1 after telling the user
// (what names the export in the message, "the day page").
int beginExport(Rewrite* file, const char* name, const char* what);
// Puts the written file in place. 0, or 1 after telling the user; the old file stays whole.
int finishExport(Rewrite* file, const char* what);
