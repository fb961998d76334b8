// The journal of a swap: "what=...", then "old=<name>" for each file that had an old version
// and "new=<name>" for one that did not. It is written through a new file that replaces it,
// so it is whole or absent. Each step is one replace or one delete, and a step already taken
// shows by its file being gone: finishing or undoing again after a kill does only what is left.
#include "store/file_swap.h"

#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/snapshots.h"
#include "store/text_file.h"

#define JOURNAL_NEW SWAP_JOURNAL ".new"

// A restore swaps every file of a snapshot at once.
static_assert(SWAP_MAX_FILES >= SNAPSHOT_FILE_COUNT, "a swap must hold every file of a snapshot");

typedef char PathText[sizeof filePath];

struct Journal {
    FileSwap swap;
    int hadOld[SWAP_MAX_FILES];
};

// "<name without its last extension><suffix>" in the data folder: "wkb_txt.data" -> "wkb_txt.put",
// ".wkb.rc" -> ".wkb.put". Short, so that its own temporary names fit where the store's do.
static void sidePath(const char* name, const char* suffix, char* out, int size) {
    char side[32];
    copyText(side, sizeof side, name);
    char* dot = strrchr(side, '.');
    if (dot != NULL && dot != side) *dot = '\0';
    appendText(side, sizeof side, suffix);
    copyText(out, (size_t)size, dataFilePath(side));
}

static void livePath(const char* name, char* out, int size) { copyText(out, (size_t)size, dataFilePath(name)); }

static int exists(const char* path) { return path[0] != '\0' && platformExists(path); }

void swapBegin(FileSwap* s, const char* what) {
    s->count = 0;
    copyText(s->what, sizeof s->what, what);
}

int swapStage(FileSwap* s, const char* name, char* path, int size) {
    if (s->count >= SWAP_MAX_FILES || strlen(name) >= sizeof s->names[0]) return 1;
    copyText(s->names[s->count++], sizeof s->names[0], name);
    sidePath(name, ".put", path, size);
    return path[0] == '\0';
}

static void removeSides(const FileSwap* s, const char* suffix) {
    for (int i = 0; i < s->count; i++) {
        PathText side;
        sidePath(s->names[i], suffix, side, sizeof side);
        if (exists(side)) platformDeleteFile(side);
    }
}

// The new and old versions beside the files, and what a copy or a link cut short left of them.
void swapAbandon(FileSwap* s) {
    static const char* const sides[] = {".put", ".was", ".put.copy", ".was.link", ".was.copy"};
    for (const char* side : sides) removeSides(s, side);
}

static int writeJournal(const Journal* j) {
    PathText target, temp;
    livePath(SWAP_JOURNAL, target, sizeof target);
    livePath(JOURNAL_NEW, temp, sizeof temp);
    Rewrite r;
    if (rewriteBegin(&r, target, temp) != 0) return 1;
    rewriteRecord(&r, "what", j->swap.what);
    for (int i = 0; i < j->swap.count; i++) rewriteRecord(&r, j->hadOld[i] ? "old" : "new", j->swap.names[i]);
    return rewriteCommit(&r);
}

// Removes what is left beside the files, then the journal (by either name): the swap is over.
static void closeJournal(Journal* j) {
    swapAbandon(&j->swap);
    static const char* const journals[] = {SWAP_JOURNAL, SWAP_UNDO_JOURNAL};
    for (const char* name : journals) {
        PathText journal;
        livePath(name, journal, sizeof journal);
        if (exists(journal)) platformDeleteFile(journal);
    }
}

// Puts each new version in place; a file whose new version is gone was put in place already.
static int forward(const Journal* j) {
    for (int i = 0; i < j->swap.count; i++) {
        PathText put, live;
        sidePath(j->swap.names[i], ".put", put, sizeof put);
        livePath(j->swap.names[i], live, sizeof live);
        if (exists(put) && platformReplaceFile(put, live) != 0) return 1;
    }
    return 0;
}

// Puts each old version back (a file that had none goes); a file whose old version is gone was
// put back already.
static int backward(const Journal* j) {
    int failed = 0;
    for (int i = 0; i < j->swap.count; i++) {
        PathText was, live;
        sidePath(j->swap.names[i], ".was", was, sizeof was);
        livePath(j->swap.names[i], live, sizeof live);
        if (!j->hadOld[i]) failed |= exists(live) && platformDeleteFile(live) != 0;
        else if (!exists(was)) continue;
        // A file that was never replaced is its old version still: nothing to put back (a
        // read-only file, which refused its replacement, would refuse this one too).
        else if (filesHoldSameBytes(was, live)) platformDeleteFile(was);
        else failed |= platformReplaceFile(was, live) != 0;
    }
    return failed;
}

// Undoes a swap that could not be finished. The journal's new name says so first, so that a
// kill while undoing goes on undoing; a journal that has it already is left as it is.
static int undo(Journal* j) {
    PathText journal, undoing;
    livePath(SWAP_JOURNAL, journal, sizeof journal);
    livePath(SWAP_UNDO_JOURNAL, undoing, sizeof undoing);
    if (exists(journal) && platformReplaceFile(journal, undoing) != 0) return 1;
    if (backward(j) != 0) return 1;
    closeJournal(j);
    return 0;
}

SwapResult swapCommit(FileSwap* s) {
    Journal j;
    memset(&j, 0, sizeof j);
    j.swap = *s;
    platformClearError();
    // While changes are held, the platform refuses the first of these steps.
    int failed = 0;
    // A second name of each old version, taken before anything is replaced, serves the undo.
    for (int i = 0; i < s->count && !failed; i++) {
        PathText live, was;
        livePath(s->names[i], live, sizeof live);
        sidePath(s->names[i], ".was", was, sizeof was);
        j.hadOld[i] = exists(live);
        if (exists(was)) platformDeleteFile(was);
        failed = j.hadOld[i] && platformKeepCopy(live, was) != 0;
    }
    if (!failed) failed = writeJournal(&j) != 0;
    s->cause = *platformLastError();
    if (failed) {
        swapAbandon(s);
        return SWAP_UNDONE;
    }
    if (forward(&j) == 0) {
        closeJournal(&j);
        return SWAP_DONE;
    }
    // The user is told why the swap failed, not why a step of its undo did.
    s->cause = *platformLastError();
    return undo(&j) == 0 ? SWAP_UNDONE : SWAP_STUCK;
}

// ---- recovery at start ----

static int readJournalLine(char* line, int, void* context) {
    Journal* j = (Journal*)context;
    char* end = strchr(line, '\n');
    if (end != NULL) *end = '\0';
    if (strncmp(line, "what=", 5) == 0) copyText(j->swap.what, sizeof j->swap.what, line + 5);
    else if ((strncmp(line, "old=", 4) == 0 || strncmp(line, "new=", 4) == 0) && j->swap.count < SWAP_MAX_FILES) {
        j->hadOld[j->swap.count] = line[0] == 'o';
        copyText(j->swap.names[j->swap.count++], sizeof j->swap.names[0], line + 4);
    }
    return 0;
}

// The data files a swap may name: a journal is never a way to replace another file.
static int knownName(const char* name) {
    return name[0] != '\0' && strchr(name, '/') == NULL && strchr(name, '\\') == NULL && strchr(name, ':') == NULL &&
           strcmp(name, "..") != 0 && strcmp(name, ".") != 0;
}

// The leftovers of a swap interrupted before its journal: the files were never touched.
static void removeLeftovers() {
    FileSwap s;
    swapBegin(&s, "");
    for (int i = 0; i < SNAPSHOT_FILE_COUNT; i++) copyText(s.names[s.count++], sizeof s.names[0], snapshotFiles.names[i]);
    swapAbandon(&s);
    PathText journalNew;
    livePath(JOURNAL_NEW, journalNew, sizeof journalNew);
    if (exists(journalNew)) platformDeleteFile(journalNew);
}

SwapRecovery swapRecover(char* what, int size) {
    copyText(what, (size_t)size, "");
    PathText journal, undoing;
    livePath(SWAP_JOURNAL, journal, sizeof journal);
    livePath(SWAP_UNDO_JOURNAL, undoing, sizeof undoing);
    int back = exists(undoing);
    if (!back && !exists(journal)) {
        removeLeftovers();
        return SWAP_RECOVERY_NONE;
    }
    Journal j;
    memset(&j, 0, sizeof j);
    FILE* f = openToRead(back ? undoing : journal);
    int unread = f == NULL || scanLines(f, TEXT_LINE_LIMIT, readJournalLine, &j) != 0;
    if (f != NULL) fclose(f);
    for (int i = 0; i < j.swap.count; i++) unread |= !knownName(j.swap.names[i]);
    copyText(what, (size_t)size, j.swap.what);
    if (unread) return SWAP_RECOVERY_STUCK;
    if (!back && forward(&j) == 0) {
        closeJournal(&j);
        return SWAP_RECOVERY_FINISHED;
    }
    return undo(&j) == 0 ? SWAP_RECOVERY_UNDONE : SWAP_RECOVERY_STUCK;
}
