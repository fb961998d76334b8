// Tells the user what the start did with a restore or a new school year that was interrupted.
#include "diary/swap_recovery.h"

#include <cstdio>

#include "diary/notify.h"
#include "platform/platform.h"
#include "store/file_swap.h"
#include "store/save_report.h"
#include "store/text_file.h"

void recoverInterruptedSwap() {
    char what[SWAP_WHAT_SIZE], cause[200], text[600];
    platformClearError();
    SwapRecovery result = swapRecover(what, sizeof what);
    if (result == SWAP_RECOVERY_NONE) return;
    if (what[0] == '\0') snprintf(what, sizeof what, "a change of several files");
    if (result == SWAP_RECOVERY_FINISHED) {
        snprintf(text, sizeof text, SWAP_INTERRUPTED "%s.\nIt has now been finished.", what);
        notify(text, NOTIFY_INFO);
        return;
    }
    if (result == SWAP_RECOVERY_UNDONE) {
        snprintf(text, sizeof text,
                 SWAP_INTERRUPTED "%s.\nIt could not be finished, so it was undone: your files are as they were "
                                  "before it.",
                 what);
        notify(text, NOTIFY_INFO);
        return;
    }
    holdWrites(1);
    fileErrorCause(platformLastError(), cause, sizeof cause);
    snprintf(text, sizeof text,
             SWAP_INTERRUPTED "%s.\nIt could be neither finished nor undone (%s).\n"
                              "Nothing will be saved until the diary is started again. Both versions of the files "
                              "are kept in the data folder (\"swap.jnl\", \"*.put\", \"*.was\").",
             what, cause);
    notify(text, NOTIFY_ERROR);
}
