// A new school year: the old year is kept whole as a snapshot under its name, then the notes
// table and the week colours are emptied together (see file_swap.h), so that the old year
// stays one restore away and a failure or a kill leaves the year as it was, or new.
#include "diary/school_year.h"

#include <cstdio>
#include <ctime>

#include "diary/actions.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "diary/restore.h"
#include "diary/school_calendar.h"
#include "platform/platform.h"
#include "records/lesson_changes.h"
#include "records/note_marks.h"
#include "records/week_colours.h"
#include "store/data_folder.h"
#include "store/file_swap.h"
#include "store/save_report.h"
#include "store/snapshots.h"
#include "store/table_store.h"
#include "store/text_file.h"

void defaultSchoolYearName(char* out, int size) {
    // The year that ends: the notes' own school year once one is set; else the one that began
    // in the autumn before this calendar year, which is the one ending from spring to autumn.
    if (diaryYear.startWeek != 0) return schoolYearName(diaryYear.notesYear, out, size);
    time_t now = platformNow();
    const struct tm* t = localtime(&now);
    int year = t != NULL ? t->tm_year + 1900 : 1971;
    schoolYearName(year - 1, out, size);
}

// Writes an empty notes table and a weeks file without colours beside the live ones.
static int stageEmptyYear(FileSwap* swap) {
    char path[sizeof filePath];
    Rewrite r;
    if (swapStage(swap, NOTES_TABLE ".data", path, sizeof path) != 0) return 1;
    if (rewriteBegin(&r, path, dataFilePath(NOTES_TABLE ".new")) != 0 || rewriteCommit(&r) != 0) return 1;
    // The marks belong to the notes they were set for.
    if (swapStage(swap, MARKS_FILE, path, sizeof path) != 0) return 1;
    if (rewriteBegin(&r, path, dataFilePath(MARKS_NEW)) != 0 || rewriteCommit(&r) != 0) return 1;
    // A lesson change is keyed by week number like a note: it belongs to the year that ends.
    if (swapStage(swap, CHANGES_FILE, path, sizeof path) != 0) return 1;
    if (rewriteBegin(&r, path, dataFilePath(CHANGES_NEW)) != 0) return 1;
    rewriteString(&r, CHANGES_HEADER);
    if (rewriteCommit(&r) != 0) return 1;
    if (swapStage(swap, WEEKS_FILE, path, sizeof path) != 0) return 1;
    if (rewriteBegin(&r, path, dataFilePath(WEEKS_NEW)) != 0) return 1;
    rewriteString(&r, WEEKS_HEADER);
    return rewriteCommit(&r);
}

static void tellYearNotStarted(const char* name, const PlatformError* error, int stuck) {
    char cause[200], text[600];
    fileErrorCause(error, cause, sizeof cause);
    if (stuck)
        snprintf(text, sizeof text,
                 "The school year \"%s\" could only be started in part (%s).\n"
                 "Nothing will be saved until the diary is started again; the next start finishes it or "
                 "undoes it. Please close the diary and start it again.",
                 name, cause);
    else
        snprintf(text, sizeof text,
                 "The new school year could not be started (%s).\n"
                 "Nothing was changed: the notes and the week colours are as they were.",
                 cause);
    notify(text, NOTIFY_ERROR);
}

int startSchoolYear(const char* name, char* message, int size) {
    if (checkSnapshotName(name, message, size) != 0) return 1;
    // The note being typed belongs to the year that ends: its snapshot keeps it.
    if (!keepTypedNote()) return 2;
    if (writesHeld()) {
        notify(WRITES_HELD_TEXT, NOTIFY_ERROR);
        return 2;
    }
    if (takeNamedSnapshot(name) != 0) {
        tellSnapshotBeforeFailed();
        return 2;
    }
    FileSwap swap;
    char what[SWAP_WHAT_SIZE];
    snprintf(what, sizeof what, "the start of the school year after \"%s\"", name);
    swapBegin(&swap, what);
    SwapResult result = SWAP_UNDONE;
    if (stageEmptyYear(&swap) != 0) {
        swap.cause = *platformLastError();
        swapAbandon(&swap);
    } else {
        result = swapCommit(&swap);
    }
    if (result == SWAP_DONE) {
        notesMovedToTodaysYear();
        reloadShownData();
        return 0;
    }
    // Nothing changed: the year's snapshot goes too, so that a second try may use its name.
    if (result == SWAP_UNDONE) removeSnapshot(name);
    else holdWrites(1);
    tellYearNotStarted(name, &swap.cause, result == SWAP_STUCK);
    return 2;
}
