// How storage tells the user that a file could not be written. Storage only composes the
// text; the diary above implements saveReportShow (as a message box), and tests record it,
// the way platform.h is implemented once per build.
#pragma once

// Shows an error text about a file that was not written (the old file is whole).
void saveReportShow(const char* text);
