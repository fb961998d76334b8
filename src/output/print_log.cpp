// The print log "print_dbg.txt": one file per print in the current folder, telling a user
// why a print failed. Offers printLogOpen, printLog and printLogClose.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "output/print_grid.h"
#include "platform/platform.h"

static FILE* logFile;

void printLogOpen() {
    if (logFile != NULL) platformClose(logFile);
    // NULL when the folder cannot be written: the print then simply runs unlogged.
    logFile = platformOpen(PRINT_LOG_FILE, "w");
}

void printLog(const char* format, ...) {
    if (logFile == NULL) return;
    // Long enough for the profile's printer entry (1020 characters) and its frame.
    char line[1400];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    const char* start = line;
    for (const char* p = line; *p != '\0'; ++p) {
        if (*p != '\n') continue;
        platformWrite(logFile, start, (size_t)(p - start));
        platformWrite(logFile, "\r\n", 2);
        start = p + 1;
    }
    if (*start != '\0') platformWrite(logFile, start, strlen(start));
}

void printLogClose() {
    if (logFile == NULL) return;
    platformClose(logFile);
    logFile = NULL;
}
