// Several data files replaced together, all or none, also across a kill or a power cut (a
// restore, a new school year). The new version of each file is written whole beside it first
// ("wkb_txt.put" for "wkb_txt.data"), a second name of the old one is kept ("wkb_txt.was"),
// and only then does a small journal ("swap.jnl") name the files; the replacement runs through
// it, one replace per file. A start that finds the journal finishes the replacement (every new
// version is whole once the journal exists), or puts the old versions back when it cannot. An
// undo first renames the journal to "swap.und" (no byte written, so a full disk cannot stop
// it), and a start that finds that name goes on undoing.
// Offers swapBegin, swapStage, swapCommit, swapAbandon and swapRecover.
#pragma once

#include "platform/platform.h"

#define SWAP_JOURNAL "swap.jnl"
#define SWAP_UNDO_JOURNAL "swap.und"
// Room for every file a snapshot carries, and a few more.
#define SWAP_MAX_FILES 10
#define SWAP_WHAT_SIZE 120

struct FileSwap {
    int count;
    char names[SWAP_MAX_FILES][16];  // the data files, by their names in the data folder
    char what[SWAP_WHAT_SIZE];       // what the swap does: "the restore of the snapshot ..."
    PlatformError cause;             // why swapCommit failed
};

void swapBegin(FileSwap* s, const char* what);
// Adds the data file name to the swap and gives the full path where its new version is to be
// written (made new; the caller writes it whole). 0, or 1 when it cannot be added.
int swapStage(FileSwap* s, const char* name, char* path, int size);
// Puts every staged file in its place. SWAP_DONE; SWAP_UNDONE when a step failed and every
// file is as it was (s->cause says why); SWAP_STUCK when a step failed
// and the old versions could not all be put back: the journal stays, and the next start
// finishes or undoes the swap.
enum SwapResult { SWAP_DONE, SWAP_UNDONE, SWAP_STUCK };
SwapResult swapCommit(FileSwap* s);
// Removes what was staged, when the staging itself failed.
void swapAbandon(FileSwap* s);

// At start, before anything reads the store: finishes or undoes a swap that a kill
// interrupted, and removes the leftovers of one interrupted before its journal was written.
// SWAP_RECOVERY_NONE when there was nothing to do; otherwise `what` holds what the swap did.
enum SwapRecovery { SWAP_RECOVERY_NONE, SWAP_RECOVERY_FINISHED, SWAP_RECOVERY_UNDONE, SWAP_RECOVERY_STUCK };
SwapRecovery swapRecover(char* what, int size);
