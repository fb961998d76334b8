// The restore's staging: the snapshot's files are copied beside the live ones, the settings
// given this diary's calendar id, and the swap then puts them in place.
#include "records/snapshot_restore.h"

#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "records/setting_keys.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "store/data_folder.h"
#include "store/file_swap.h"
#include "store/snapshots.h"

typedef char PathText[sizeof filePath];

// A store of major version 0 or 1 keeps its tables in a form this version cannot read: its
// upgrade empties them. 1 for a snapshot that holds such settings.
static int tooOldToRestore(const char* name) {
    PathText settings;
    snapshotPath(name, SETTINGS_FILE, settings, sizeof settings);
    if (!platformExists(settings)) return 0;
    const char* version = readSettingFrom(settings, "version");
    // A settings file without a version is kept whole by the preparation; it is no old store.
    return strchr(version, 'v') != NULL && versionMajorOf(version) <= 1;
}

// Copies the snapshot's files beside the live ones. The settings keep this diary's calendar
// id, so that a calendar made before the restore still matches its lessons.
static int stageSnapshot(const char* name, FileSwap* swap) {
    char calendarId[64];
    copyText(calendarId, sizeof calendarId, readSetting(settingKeyName(KEY_CALENDAR_ID)));
    for (int i = 0; i < SNAPSHOT_FILE_COUNT; i++) {
        PathText from, staged;
        snapshotPath(name, snapshotFiles.names[i], from, sizeof from);
        if (!platformExists(from)) continue;
        if (swapStage(swap, snapshotFiles.names[i], staged, sizeof staged) != 0) return 1;
        if (platformCopyFile(from, staged) != 0) return 1;
        if (strcmp(snapshotFiles.names[i], SETTINGS_FILE) != 0 || calendarId[0] == '\0') continue;
        PathText temp;
        copyText(temp, sizeof temp, dataFilePath(SETTINGS_TEMP));
        if (writeSettingIn(staged, temp, settingKeyName(KEY_CALENDAR_ID), calendarId) != 1) return 1;
    }
    return 0;
}

RestoreResult restoreSnapshot(const char* name, PlatformError* cause) {
    platformClearError();
    *cause = *platformLastError();
    if (!isSnapshot(name) || strlen(name) >= SNAPSHOT_NAME_SIZE) return RESTORE_NOT_DONE;
    if (tooOldToRestore(name)) return RESTORE_TOO_OLD;
    if (takeSnapshotBefore("restore") != 0) {
        *cause = *platformLastError();
        return RESTORE_NO_SNAPSHOT_BEFORE;
    }
    FileSwap swap;
    char what[SWAP_WHAT_SIZE];
    snprintf(what, sizeof what, "the restore of the snapshot \"%s\"", name);
    swapBegin(&swap, what);
    if (stageSnapshot(name, &swap) != 0) {
        *cause = *platformLastError();
        swapAbandon(&swap);
        return RESTORE_NOT_DONE;
    }
    SwapResult result = swapCommit(&swap);
    *cause = swap.cause;
    return result == SWAP_DONE ? RESTORE_DONE : result == SWAP_UNDONE ? RESTORE_NOT_DONE : RESTORE_STUCK;
}
