// Restore of a snapshot from the diary's side: the list lines, the question, the messages of
// a failed restore, and the reload of the window's contents from the restored files.
#include "diary/restore.h"

#include <cstdio>

#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/actions.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "diary/school_calendar.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "platform/bounded_text.h"
#include "records/settings.h"
#include "records/snapshot_restore.h"
#include "records/store_prep.h"
#include "store/data_files.h"
#include "store/save_report.h"
#include "store/text_file.h"

void formatSnapshotLine(const SnapshotInfo* info, char* out, int size) {
    char amount[32];
    if (info->size >= 1024 * 1024) snprintf(amount, sizeof amount, "%.1f MB", (double)info->size / (1024.0 * 1024.0));
    else snprintf(amount, sizeof amount, "%lld KB", (info->size + 1023) / 1024);
    const char* what = info->kind == SNAPSHOT_YEAR ? "school year " : "";
    snprintf(out, (size_t)size, "%s%s   %d note%s   %s%s", what, info->name, info->notes, info->notes == 1 ? "" : "s",
             amount, info->future ? "   (dated after today: the clock may have been wrong)" : "");
}

void composeRestoreQuestion(const char* name, char* out, int size) {
    char files[200];
    describeSnapshotFiles(files, sizeof files);
    snprintf(out, (size_t)size,
             "Restore the snapshot \"%s\"?\n\n"
             "%s\n"
             "will be replaced by those it holds.\n\n"
             "The files as they are now are kept first as a snapshot \"before restore\",\n"
             "so this restore can itself be undone.",
             name, files);
}

void reloadShownData() {
    loadOptions();
    // A restored settings file may hold another school year, and a new year moves the notes'.
    rebuildDiaryCalendar();
    frontNotesChanged();
    char title[400];
    composeWindowTitle(title, sizeof title, readSetting("title"));
    frontSetWindowTitle(title);
    refreshStatusLine();
    loadNotes();
    refreshSlotLine();
}

// Brings what a restore put back up to date (a store of an older version 2), as a start would,
// so that the next start does not find the old version.
static void prepareRestoredStore() {
    readVersionMajor();
    int status = prepareStore();
    if (status == STORE_UPGRADED) {
        char text[400];
        snprintf(text, sizeof text, "The snapshot was made by an older version of the diary: its files were brought "
                                    "up to date.%s", storePreparationNote());
        notify(text, NOTIFY_INFO);
    } else if (status != STORE_OK) {
        notify("The restored files could not be brought up to date for this version of the diary.\n"
               "The next start tries again.",
               NOTIFY_ERROR);
    }
}

// What the user is told when a restore did not replace the files, or did so in part.
static void tellRestoreFailed(const char* name, RestoreResult result, const PlatformError* error) {
    char cause[200], text[600];
    fileErrorCause(error, cause, sizeof cause);
    switch (result) {
        case RESTORE_NO_SNAPSHOT_BEFORE: tellSnapshotBeforeFailed(); return;
        case RESTORE_TOO_OLD:
            snprintf(text, sizeof text,
                     "The snapshot \"%s\" was made by a version of the diary older than 2.0, whose timetable and "
                     "notes this version cannot read.\nNothing was replaced.",
                     name);
            break;
        case RESTORE_STUCK:
            holdWrites(1);
            snprintf(text, sizeof text,
                     "The snapshot \"%s\" could only be put back in part (%s).\n"
                     "Nothing will be saved until the diary is started again; the next start finishes the restore "
                     "or undoes it. Please close the diary and start it again.",
                     name, cause);
            break;
        default:
            if (error->kind == PLATFORM_ERROR_NONE) copyText(cause, sizeof cause, "it is no longer complete");
            snprintf(text, sizeof text,
                     "The snapshot \"%s\" could not be restored (%s).\nNothing was replaced: your files are as "
                     "they were.",
                     name, cause);
            break;
    }
    notify(text, NOTIFY_ERROR);
}

int restoreWithQuestion(const char* name) {
    if (refuseWhileBusy()) return 0;
    char question[600];
    composeRestoreQuestion(name, question, sizeof question);
    if (!frontAskYesNo(question)) return 0;
    // The note being typed belongs to the files as they are: the "before restore" snapshot
    // keeps it. When it cannot be stored the user has been told, and nothing is replaced.
    if (!keepTypedNote()) return 0;
    if (writesHeld()) {
        notify(WRITES_HELD_TEXT, NOTIFY_ERROR);
        return 0;
    }
    PlatformError error;
    RestoreResult result = restoreSnapshot(name, &error);
    if (result != RESTORE_DONE) {
        tellRestoreFailed(name, result, &error);
        return 0;
    }
    prepareRestoredStore();
    reloadShownData();
    return 1;
}
