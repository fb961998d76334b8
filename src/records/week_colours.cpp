// The week colours file: a header line, then "week=colour" lines. A set keeps the previous
// version as "weeks.tmp" and replaces "weeks.dat" in one step.
#include "records/week_colours.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/kept_files.h"
#include "store/save_report.h"
#include "store/text_file.h"

#define LINE_LIMIT 127

struct WeekLookup {
    const char* week;
    int colour;
};

// The last line of a week wins.
static int takeColour(char* line, int, void* context) {
    WeekLookup* lookup = (WeekLookup*)context;
    if (lineHasKey(line, lookup->week)) lookup->colour = leadingNumber(line + strlen(lookup->week) + 1);
    return 0;
}

int readWeekColour(int week) {
    char key[16];
    snprintf(key, sizeof key, "%u", (unsigned)week);
    WeekLookup lookup = {key, 0};
    keptScanLines(dataFilePath(WEEKS_FILE), LINE_LIMIT, takeColour, &lookup);
    // A hand-edited colour outside 0..4 is a plain week everywhere it is drawn or keyed.
    return lookup.colour >= 0 && lookup.colour <= WEEK_COLOUR_MAX ? lookup.colour : 0;
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

int setWeekColour(int colour) {
    char data[sizeof filePath], previous[sizeof filePath], fresh[sizeof filePath];
    copyText(data, sizeof data, dataFilePath(WEEKS_FILE));
    copyText(previous, sizeof previous, dataFilePath(WEEKS_PREVIOUS));
    copyText(fresh, sizeof fresh, dataFilePath(WEEKS_NEW));
    char week[16], value[16];
    snprintf(week, sizeof week, "%u", (unsigned)diaryState.selectedWeek);
    snprintf(value, sizeof value, "%u", (unsigned)colour);

    Rewrite r;
    FILE* in = NULL;
    int failed = writesHeld() || ensureWeeksFile() != 0 || platformCopyFile(data, previous) != 0;
    if (!failed) failed = (in = openToRead(data)) == NULL;
    if (!failed) failed = rewriteBegin(&r, data, fresh) != 0;
    if (!failed) {
        if (!rewriteReplacingKey(in, &r, LINE_LIMIT, week, value)) rewriteRecord(&r, week, value);
        // The old file must be closed before it can be replaced on Windows.
        fclose(in);
        in = NULL;
        failed = rewriteCommit(&r) != 0;
    }
    if (in != NULL) fclose(in);
    if (failed) {
        char what[40];
        snprintf(what, sizeof what, "the colour of week %u", (unsigned)diaryState.selectedWeek);
        reportSaveFailure(what, 0);
        return 1;
    }
    diaryState.weekColour = colour;
    return 0;
}

struct WeekReplacement {
    const int* weeks;
    const int* colours;
    int count;
    unsigned char found[64];
};

// Replaces a line of one of the weeks by its new record; copies every other line.
static int replaceWeek(const char* piece, int, Rewrite* r, void* context) {
    WeekReplacement* replace = (WeekReplacement*)context;
    for (int i = 0; i < replace->count; i++) {
        char week[16], value[16];
        snprintf(week, sizeof week, "%u", (unsigned)replace->weeks[i]);
        if (!lineHasKey(piece, week)) continue;
        snprintf(value, sizeof value, "%u", (unsigned)replace->colours[i]);
        rewriteRecord(r, week, value);
        replace->found[i] = 1;
        return 0;
    }
    return 1;
}

int setWeekColours(const int* weeks, const int* colours, int count) {
    char data[sizeof filePath], previous[sizeof filePath], fresh[sizeof filePath];
    copyText(data, sizeof data, dataFilePath(WEEKS_FILE));
    copyText(previous, sizeof previous, dataFilePath(WEEKS_PREVIOUS));
    copyText(fresh, sizeof fresh, dataFilePath(WEEKS_NEW));
    WeekReplacement replace = {weeks, colours, count, {0}};
    Rewrite r;
    FILE* in = NULL;
    int failed = count < 0 || count > (int)sizeof replace.found;
    if (!failed) failed = ensureWeeksFile() != 0 || platformCopyFile(data, previous) != 0;
    if (!failed) failed = (in = platformOpen(data, "r")) == NULL;
    if (!failed) failed = rewriteBegin(&r, data, fresh) != 0;
    if (!failed) {
        rewriteLines(in, &r, LINE_LIMIT, replaceWeek, &replace);
        for (int i = 0; i < count; i++) {
            if (replace.found[i]) continue;
            char week[16], value[16];
            snprintf(week, sizeof week, "%u", (unsigned)weeks[i]);
            snprintf(value, sizeof value, "%u", (unsigned)colours[i]);
            rewriteRecord(&r, week, value);
        }
        // The old file must be closed before it can be replaced on Windows.
        fclose(in);
        in = NULL;
        failed = rewriteCommit(&r) != 0;
    }
    if (in != NULL) fclose(in);
    if (failed) reportSaveFailure("the week colours", 1);
    return failed;
}

int clearWeekColours() {
    char data[sizeof filePath], previous[sizeof filePath], fresh[sizeof filePath];
    copyText(data, sizeof data, dataFilePath(WEEKS_FILE));
    copyText(previous, sizeof previous, dataFilePath(WEEKS_PREVIOUS));
    copyText(fresh, sizeof fresh, dataFilePath(WEEKS_NEW));
    Rewrite r;
    int failed = ensureWeeksFile() != 0 || platformCopyFile(data, previous) != 0;
    if (!failed) failed = rewriteBegin(&r, data, fresh) != 0;
    if (!failed) {
        rewriteString(&r, WEEKS_HEADER);
        failed = rewriteCommit(&r) != 0;
    }
    if (failed) reportSaveFailure("the week colours", 1);
    return failed;
}
