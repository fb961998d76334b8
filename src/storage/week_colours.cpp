// The week colours file: a header line, then "week=colour" lines. A set keeps the previous
// version as "weeks.tmp" and replaces "weeks.dat" in one step.
#include "storage/week_colours.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "storage/data_folder.h"
#include "storage/text_file.h"

#define LINE_LIMIT 127
#define WEEKS_NEW "weeks.new"

int readWeekColour(int week) {
    char pattern[24];
    snprintf(pattern, sizeof pattern, "%u=", (unsigned)week);
    size_t k = strlen(pattern);
    FILE* f = platformOpen(dataFilePath(WEEKS_FILE), "r");
    if (f == NULL) return 0;
    int colour = 0;
    char line[LINE_LIMIT + 1];
    int lineStart = 1, n;
    while ((n = readPiece(f, line, LINE_LIMIT)) > 0) {
        // The last line of a week wins.
        if (lineStart && strncmp(line, pattern, k) == 0) colour = leadingNumber(line + k);
        lineStart = line[n - 1] == '\n';
    }
    fclose(f);
    return colour;
}

int readSelectedWeekColour() {
    diaryState.weekColour = readWeekColour(diaryState.selectedWeek);
    return diaryState.weekColour;
}

int ensureWeeksFile() {
    dataFilePath(WEEKS_FILE);
    if (!dataFileMissing()) return 0;
    char target[sizeof filePath];
    copyText(target, sizeof target, filePath);
    Rewrite r;
    if (rewriteBegin(&r, target, dataFilePath(WEEKS_NEW)) != 0) return 1;
    rewriteString(&r, WEEKS_HEADER);
    return rewriteCommit(&r);
}

// Copies "weeks.dat" into r with the lines of the week replaced; 1 when the week was found.
static int copyReplacingWeek(FILE* in, Rewrite* r, const char* pattern, const char* record) {
    size_t k = strlen(pattern);
    char line[LINE_LIMIT + 1];
    int found = 0, lineStart = 1, keep = 1, n;
    while ((n = readPiece(in, line, LINE_LIMIT)) > 0) {
        if (lineStart) {
            keep = strncmp(line, pattern, k) != 0;
            if (!keep) rewriteString(r, record);
            found |= !keep;
        }
        if (keep) rewriteText(r, line, (size_t)n);
        lineStart = line[n - 1] == '\n';
    }
    if (!lineStart && keep) rewriteString(r, "\n");
    return found;
}

int setWeekColour(int colour) {
    char data[sizeof filePath], previous[sizeof filePath], fresh[sizeof filePath];
    copyText(data, sizeof data, dataFilePath(WEEKS_FILE));
    copyText(previous, sizeof previous, dataFilePath(WEEKS_PREVIOUS));
    copyText(fresh, sizeof fresh, dataFilePath(WEEKS_NEW));
    char pattern[24], record[48];
    snprintf(pattern, sizeof pattern, "%u=", (unsigned)diaryState.selectedWeek);
    snprintf(record, sizeof record, "%u=%u\n", (unsigned)diaryState.selectedWeek, (unsigned)colour);

    Rewrite r;
    FILE* in = NULL;
    int failed = ensureWeeksFile() != 0 || platformCopyFile(data, previous) != 0;
    if (!failed) failed = (in = platformOpen(data, "r")) == NULL;
    if (!failed) failed = rewriteBegin(&r, data, fresh) != 0;
    if (!failed) {
        if (!copyReplacingWeek(in, &r, pattern, record)) rewriteString(&r, record);
        // The old file must be closed before it can be replaced on Windows.
        fclose(in);
        in = NULL;
        failed = rewriteCommit(&r) != 0;
    }
    if (in != NULL) fclose(in);
    if (failed) {
        reportSaveFailure("the week colour");
        return 1;
    }
    diaryState.weekColour = colour;
    return 0;
}
