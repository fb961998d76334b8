// Restore of a snapshot: its files put back all together or none (see file_swap.h), after a
// snapshot "before restore" of the files as they are. What the settings hold decides two things:
// a store older than 2.0 is refused, and this diary's calendar id stays.
#pragma once

#include "platform/platform.h"

// Puts back the files that the snapshot holds. cause: the error behind a failure.
enum RestoreResult {
    RESTORE_DONE,
    RESTORE_NOT_DONE,            // nothing changed (the snapshot is not there, or a step failed and was undone)
    RESTORE_NO_SNAPSHOT_BEFORE,  // the "before restore" snapshot could not be made: nothing was touched
    RESTORE_TOO_OLD,             // a store of version 0 or 1, whose tables this version cannot read: nothing was touched
    RESTORE_STUCK,               // put back in part: the next start finishes or undoes it
};
RestoreResult restoreSnapshot(const char* name, PlatformError* cause);
