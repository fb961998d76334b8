// A new school year: the old year is kept whole as a snapshot under its name before the notes
// table and the week colours are emptied, so that it stays one restore away.
#include "diary/school_year.h"

#include <cstdio>
#include <ctime>

#include "diary/actions.h"
#include "diary/notify.h"
#include "diary/restore.h"
#include "platform/platform.h"
#include "storage/snapshots.h"
#include "storage/table_store.h"
#include "storage/week_colours.h"

void defaultSchoolYearName(char* out, int size) {
    time_t now = platformNow();
    const struct tm* t = localtime(&now);
    int year = t != NULL ? t->tm_year + 1900 : 1970;
    int first = t != NULL && t->tm_mon + 1 >= 8 ? year : year - 1;
    snprintf(out, (size_t)size, "%d-%d", first, first + 1);
}

int startSchoolYear(const char* name, char* message, int size) {
    if (checkSnapshotName(name, message, size) != 0) return 1;
    if (takeNamedSnapshot(name) != 0) {
        notify(SNAPSHOT_BEFORE_FAILED, NOTIFY_ERROR);
        return 2;
    }
    // Each step reports its own failure; the old year is safe in its snapshot either way.
    int failed = tableOp(TABLE_CREATE, NOTES_TABLE, "", "(key charvar(16), txt charvar(1024), flags integer)") != 0;
    failed |= clearWeekColours() != 0;
    reloadShownData();
    return failed ? 2 : 0;
}
