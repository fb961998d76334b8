// Restore of a snapshot from the diary's side: the list lines, the question, the messages of
// a failed restore, and the reload of the window's contents from the restored files.
#include "diary/restore.h"

#include <cstdio>

#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/actions.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "storage/settings.h"

void formatSnapshotLine(const SnapshotInfo* info, char* out, int size) {
    char amount[32];
    if (info->size >= 1024 * 1024) snprintf(amount, sizeof amount, "%.1f MB", (double)info->size / (1024.0 * 1024.0));
    else snprintf(amount, sizeof amount, "%lld KB", (info->size + 1023) / 1024);
    const char* what = info->kind == SNAPSHOT_YEAR ? "school year " : "";
    snprintf(out, (size_t)size, "%s%s   %d note%s   %s", what, info->name, info->notes, info->notes == 1 ? "" : "s",
             amount);
}

void composeRestoreQuestion(const char* name, char* out, int size) {
    snprintf(out, (size_t)size,
             "Restore the snapshot \"%s\"?\n\n"
             "The notes, the timetable, the week colours, the value lists and the settings\n"
             "will be replaced by those it holds.\n\n"
             "The files as they are now are kept first as a snapshot \"before restore\",\n"
             "so this restore can itself be undone.",
             name);
}

void reloadShownData() {
    loadOptions();
    char title[400];
    composeWindowTitle(title, sizeof title, readSetting("title"));
    frontSetWindowTitle(title);
    refreshStatusLine();
    loadNotes();
    refreshSlotLine();
}

int restoreWithQuestion(const char* name) {
    if (refuseWhileBusy()) return 0;
    char question[600];
    composeRestoreQuestion(name, question, sizeof question);
    if (!frontAskYesNo(question)) return 0;
    int rc = restoreSnapshot(name);
    if (rc == 2) notify(SNAPSHOT_BEFORE_FAILED, NOTIFY_ERROR);
    if (rc == 1)
        notify("The snapshot could not be restored\n(the disk may be full or write-protected).\n"
               "Your files were left as they were.",
               NOTIFY_ERROR);
    if (rc != 0) return 0;
    reloadShownData();
    return 1;
}
