// Start-up, before any window exists: base folder, store preparation, the day table, the day
// and week to show (a Sunday shows the Saturday before), and the options. A second copy of
// the program on the same data folder ends before it touches a file.
// Offers startUp.
#include "app/startup.h"

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/notify.h"
#include "platform/platform.h"
#include "storage/data_folder.h"
#include "storage/settings.h"
#include "storage/snapshots.h"
#include "storage/store_prep.h"

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
// copy holds the folder: the user has been told.
static int claimedElsewhere() {
    if (platformClaimDataFolder(dataFilePath(LOCK_FILE)) != 1) return 0;
    notify(SECOND_COPY_TEXT, NOTIFY_INFO);
    return 1;
}

int startUp() {
    determineBaseFolder();
    // The lock file lies in the data folder: a new store is claimed once it is made.
    dataFilePath("");
    int isNew = dataFileMissing();
    if (!isNew && claimedElsewhere()) return 1;
    // Before anything can change the files: an upgrade below may empty the tables.
    if (!isNew && takeDailySnapshot() != 0) notify(DAILY_SNAPSHOT_FAILED, NOTIFY_ERROR);
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
