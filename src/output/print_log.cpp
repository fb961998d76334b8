// The print log "print_dbg.txt": one file per print in the current folder, telling a user
// why a print failed. Offers printLogOpen, printLog and printLogClose.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "output/print_grid.h"
#include "platform/platform.h"

// What the print log keeps between its calls: the file of the print under way, or NULL.
struct PrintLog {
    FILE* file;
};

static PrintLog printLogState;

void printLogOpen() {
    if (printLogState.file != NULL) platformClose(printLogState.file);
    // NULL when the folder cannot be written: the print then simply runs unlogged.
    printLogState.file = platformOpen(PRINT_LOG_FILE, "w");
}

void printLog(const char* format, ...) {
    if (printLogState.file == NULL) return;
    // Long enough for the profile's printer entry (1020 characters) and its frame.
    char line[1400];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    const char* start = line;
    for (const char* p = line; *p != '\0'; ++p) {
        if (*p != '\n') continue;
        platformWrite(printLogState.file, start, (size_t)(p - start));
        platformWrite(printLogState.file, "\r\n", 2);
        start = p + 1;
    }
    if (*start != '\0') platformWrite(printLogState.file, start, strlen(start));
}

void printLogClose() {
    if (printLogState.file == NULL) return;
    platformClose(printLogState.file);
    printLogState.file = NULL;
}
