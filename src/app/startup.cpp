// Start-up, before any window exists: base folder, store preparation, the day table, the day
// and week to show (a Sunday shows the Saturday before), and the options. A second copy of
// the program on the same data folder ends before it touches a file.
// Offers startUp.
#include "app/startup.h"

#include <cstdio>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/notify.h"
#include "diary/swap_recovery.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "store/data_folder.h"
#include "store/snapshots.h"

// Index of today's entry in the day table, -1 when it is not there.
static int todayIndex() {
    for (int i = 0; i < DAY_TABLE_SIZE; i++) {
        const DayEntry& e = dayTable[i];
        if (e.day == todayMonthDay && e.month == todayMonth && e.year == todayYear) return i;
    }
    return -1;
}

static void chooseShownDay() {
    if (diaryState.todayWeekday != 0) {
        diaryState.selectedDay = diaryState.todayWeekday;
        diaryState.selectedWeek = diaryState.currentWeek;
        return;
    }
    // Sunday has no timetable: show the Saturday before, with that Saturday's week.
    int index = todayIndex();
    // Today always lies well inside the table; the arithmetic is only a safety net.
    int week = diaryState.currentWeek > 1 ? diaryState.currentWeek - 1 : 52;
    if (index > 0) week = dayTable[index - 1].week;
    diaryState.todayWeekday = 6;
    diaryState.selectedDay = 6;
    diaryState.currentWeek = week;
    diaryState.selectedWeek = week;
}

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
    buildDayTable();
    chooseShownDay();
    diaryState.webReachable = 0;
    locateSelectedDay();
    loadOptions();
    return 0;
}
