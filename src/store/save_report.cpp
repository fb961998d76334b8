// The texts of a failed save: the cause in the user's words (a full disk, a file that may not
// be changed, anything else with the system's code), what was not saved, and that nothing
// was lost.
#include "store/save_report.h"

#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "store/text_file.h"

void saveFailureText(char* out, size_t size, PlatformErrorKind kind, int code, const char* what, int plural) {
    char cause[96];
    if (kind == PLATFORM_ERROR_FULL) copyText(cause, sizeof cause, "The disk is full");
    else if (kind == PLATFORM_ERROR_DENIED)
        copyText(cause, sizeof cause, "The file is read-only or in use by another program");
    else if (code != 0) snprintf(cause, sizeof cause, "The file could not be written (error %d)", code);
    else copyText(cause, sizeof cause, "The file could not be written");
    snprintf(out, size, "%s: %s %s not saved. Nothing was lost; the previous version is kept.", cause, what,
             plural ? "were" : "was");
}

void fileErrorCause(const PlatformError* error, char* out, size_t size) {
    const char* name = error->path;
    for (const char* p = error->path; *p != '\0'; p++)
        if (*p == '/' || *p == '\\') name = p + 1;
    if (error->kind == PLATFORM_ERROR_FULL) copyText(out, size, "the disk is full");
    else if (error->kind == PLATFORM_ERROR_DENIED && name[0] != '\0')
        snprintf(out, size, "%s is read-only or in use by another program", name);
    else if (error->kind == PLATFORM_ERROR_DENIED) copyText(out, size, "a file is read-only or in use by another program");
    else if (name[0] != '\0') snprintf(out, size, "%s could not be written (error %d)", name, error->code);
    else snprintf(out, size, "a file could not be written (error %d)", error->code);
}

void reportSaveFailure(const char* what, int plural) {
    const PlatformError* error = platformLastError();
    char text[400];
    const char* tail = plural ? "were not saved. Nothing was lost; the previous version is kept."
                              : "was not saved. Nothing was lost; the previous version is kept.";
    if (writesHeld())
        snprintf(text, sizeof text,
                 "The diary could not read its files when it started and saves nothing until it is started "
                 "again: %s %s",
                 what, tail);
    else if (strcmp(error->op, "read") == 0 && error->kind != PLATFORM_ERROR_DENIED)
        snprintf(text, sizeof text, "The file could not be read (error %d): %s %s", error->code, what, tail);
    else
        saveFailureText(text, sizeof text, error->kind, error->code, what, plural);
    saveReportShow(text);
}
