// The "Restore..." command's work: the list of snapshots as the dialog shows it, the question
// that names what will be replaced, the restore, and the reload of everything shown.
#pragma once
#include "store/snapshots.h"

// Told when a command that replaces files is refused because the session writes nothing.
#define WRITES_HELD_TEXT                                                                          \
    "The diary could not read its files when it started, so it changes nothing until it is "   \
    "started again.\nNothing was replaced."

// One line of the list: "2026-12-08   412 notes   1.7 MB".
void formatSnapshotLine(const SnapshotInfo* info, char* out, int size);
// The Yes/No question for restoring the snapshot name (out: 400 bytes or more).
void composeRestoreQuestion(const char* name, char* out, int size);
// Asks the question, keeps the note being typed, restores, brings the restored store up to
// date, and reloads what the window shows. 1 when the files were replaced, 0 when not (No,
// refused while another action runs, the typed note could not be kept, or failed: told).
int restoreWithQuestion(const char* name);
// After the files changed under the diary: options, window title, status line, notes, slot line.
void reloadShownData();
