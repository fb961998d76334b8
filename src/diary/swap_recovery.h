// At start: a restore or a new school year that a kill or a power cut interrupted is finished
// or undone before anything reads the store, and the user is told which.
#pragma once

// Told first when one was found: this line with what was interrupted, then what was done.
#define SWAP_INTERRUPTED "The diary was stopped in the middle of "

// Finishes or undoes an interrupted swap (see file_swap.h) and tells the user. When it can do
// neither, the session writes nothing, so that no save mixes the two versions further.
void recoverInterruptedSwap();
