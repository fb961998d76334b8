// Snapshots of the data files in "wkb_db/snapshots/<name>/": the daily one at the first start
// of a day (kept: the last 14, and the first of each month for 12 months; an unchanged store
// is not kept twice), one "before ..." a command that empties or replaces data, one per
// finished school year, their list, and the restore. A snapshot is written into a hidden
// folder and renamed when whole, so a crash never leaves a half snapshot that looks whole.
#pragma once

#include "platform/platform.h"
#include "store/data_files.h"

#define SNAPSHOTS_FOLDER "snapshots"
#define SNAPSHOT_NAME_SIZE 64
#define SNAPSHOT_YEAR_NAME_MAX 40
// The longest name the diary gives a snapshot: a school year's, or
// "2026-12-08 10-31-05-99 before initialize".
#define SNAPSHOT_NAME_MAX 40
// The longest path of a snapshot's file below the data folder:
// "snapshots" + "/.new " + a name + "/" + the longest data file name + ".copy".
#define SNAPSHOT_PATH_EXTRA (9 + 6 + SNAPSHOT_NAME_MAX + 1 + (int)snapshotFiles.longest + 5)

enum SnapshotKind { SNAPSHOT_DAILY, SNAPSHOT_BEFORE, SNAPSHOT_YEAR };

struct SnapshotInfo {
    char name[SNAPSHOT_NAME_SIZE];  // its folder: "2026-12-08", "2026-12-08 10-31-05 before restore", "2025-2026"
    SnapshotKind kind;
    int future;      // dated after today: kept by the retention, and flagged in the list
    int notes;       // notes with a text in its notes table
    long long size;  // bytes of its files
};

// The data files that a snapshot holds: snapshotFiles of data_files.h.

// Today's daily snapshot, when none was taken today (platformNow gives the day). Also
// removes the snapshots that the retention no longer keeps. 0 taken or not needed, 1 it
// could not be made (no data file was touched; the caller tells the user).
int takeDailySnapshot();
// A snapshot of the files as they are now, named "<date> <time> before <what>". 0, or 1.
int takeSnapshotBefore(const char* what);
// A snapshot under the given name (a school year). 0, or 1; the name must pass
// checkSnapshotName.
int takeNamedSnapshot(const char* name);
// 1 when every snapshot path fits under the base folder (see SNAPSHOT_PATH_EXTRA).
int snapshotsFit(const char* base);
// Why the last snapshot could not be made, in the user's words (see fileErrorCause): the path,
// a full disk, a file that is read-only or in use.
void snapshotFailureCause(char* out, int size);
// Takes the snapshot out of the list in one step, then deletes its files. 0, or 1 when
// something of it stayed (hidden, removed by the next prune).
int removeSnapshot(const char* name);
// 0 when name can name a new snapshot, else 1 with a message for the user.
int checkSnapshotName(const char* name, char* message, int size);
// The complete snapshots, dated ones newest first, then the named ones: the first max of
// them all. Returns the count.
int listSnapshots(SnapshotInfo* out, int max);
// "<data folder>/snapshots", ".../snapshots/<name>" (file NULL) or ".../<name>/<file>"; ""
// when it does not fit.
void snapshotPath(const char* name, const char* file, char* out, int size);
// 1 when name is a complete snapshot (not a hidden one being written or removed).
int isSnapshot(const char* name);
// Removes what the retention no longer keeps, for the given day (YYYY-MM-DD), and the
// leftovers of an interrupted snapshot or removal. Failures leave snapshots whole.
void pruneSnapshots(const char* today);
// Today as "YYYY-MM-DD" (out: 16 bytes or more), from platformNow.
void snapshotToday(char* out, int size);
