// Start-up, before any window exists: base folder, store preparation, the calendar (the 360
// days around today or the notes' school year), the day and week to show, and the options. A
// second copy of the program on the same data folder ends before it touches a file.
// Offers startUp.
#include "app/startup.h"

#include <cstdio>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/notify.h"
#include "diary/school_calendar.h"
#include "diary/swap_recovery.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "store/data_folder.h"
#include "store/snapshots.h"

// Two copies on one data folder would each save over the other's notes. 1 when another
// copy holds the folder, or when the claim cannot be made at all because something that is no
// file lies in the lock file's place: the user has been told.
static int claimedElsewhere() {
    int claim = platformClaimDataFolder(dataFilePath(LOCK_FILE));
    if (claim == 1) {
        notify(SECOND_COPY_TEXT, NOTIFY_INFO);
        return 1;
    }
    if (claim != 3) return 0;
    // The data folder without the separator at its end.
    char folder[sizeof filePath], text[sizeof filePath + 256];
    snprintf(folder, sizeof folder, "%s", dataFilePath(""));
    size_t n = strlen(folder);
    if (n > 0) folder[n - 1] = '\0';
    snprintf(text, sizeof text, LOCK_NOT_A_FILE_TEXT, folder);
    notify(text, NOTIFY_ERROR);
    return 1;
}

static void tellDailySnapshotFailed() {
    char cause[200], text[400];
    snapshotFailureCause(cause, sizeof cause);
    snprintf(text, sizeof text,
             DAILY_SNAPSHOT_FAILED "(%s).\nYour data files were not touched; the diary starts as usual.", cause);
    notify(text, NOTIFY_ERROR);
}

int startUp() {
    determineBaseFolder();
    // The lock file lies in the data folder: a new store is claimed once it is made.
    dataFilePath("");
    int isNew = dataFileMissing();
    if (!isNew && claimedElsewhere()) return 1;
    // Before anything reads the store: an interrupted restore or new year leaves it mixed.
    if (!isNew) recoverInterruptedSwap();
    // Before anything can change the files: an upgrade below may empty the tables.
    if (!isNew && takeDailySnapshot() != 0) tellDailySnapshotFailed();
    readVersionMajor();
    diaryState.storeStatus = prepareStore();
    if (isNew && claimedElsewhere()) return 1;
    buildDiaryCalendar();
    chooseStartDay();
    diaryState.webReachable = 0;
    locateSelectedDay();
    loadOptions();
    return 0;
}
