// Snapshots of the data files: written into a hidden ".new <name>" folder and renamed when
// whole; removed by renaming to ".old <name>" first, so that an interrupted removal never
// leaves a half snapshot in the list. Hidden folders are leftovers, removed by the next prune.
#include "store/snapshots.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_files.h"
#include "store/data_folder.h"
#include "store/save_report.h"
#include "store/text_file.h"

#define DAILY_MARKER ".last-daily"  // the day whose daily snapshot was made or found unneeded
#define KEEP_DAILY 14
#define KEEP_MONTHS 12
// The "before" snapshots of the last 12 months, at most this many: a script of commands
// cannot fill the disk with them.
#define KEEP_BEFORE_MAX 60
// Names read from the snapshots folder at most; more than retention ever leaves there.
#define MAX_SNAPSHOTS 1024

typedef char PathText[sizeof filePath];

// Why the last snapshot could not be made.
struct SnapshotFailure {
    int pathTooLong;
    PlatformError error;
};
static SnapshotFailure snapshotFailure;

// folder + separator + name into out; "" when it does not fit, so that every open fails
// rather than reach a cut path.
static void joinPath(const char* folder, const char* name, char* out, int size) {
    int n = snprintf(out, (size_t)size, "%s%s%s", folder, WKB_SEP, name);
    if (n < 0 || n >= size || folder[0] == '\0') out[0] = '\0';
}

// "<data folder>/snapshots", "<data folder>/snapshots/<name>" or ".../<name>/<file>".
void snapshotPath(const char* name, const char* file, char* out, int size) {
    PathText folder;
    copyText(folder, sizeof folder, dataFilePath(SNAPSHOTS_FOLDER));
    if (name == NULL) {
        copyText(out, (size_t)size, folder);
        return;
    }
    joinPath(folder, name, out, size);
    if (file == NULL) return;
    PathText inner;
    copyText(inner, sizeof inner, out);
    joinPath(inner, file, out, size);
}

void snapshotToday(char* out, int size) {
    time_t now = platformNow();
    const struct tm* t = localtime(&now);
    if (t == NULL) {
        copyText(out, (size_t)size, "1970-01-01");
        return;
    }
    snprintf(out, (size_t)size, "%04d-%02d-%02d", t->tm_year + 1900, t->tm_mon + 1, t->tm_mday);
}

// 1 when text begins with a date "YYYY-MM-DD".
static int beginsWithDate(const char* text) {
    for (int i = 0; i < 10; i++) {
        char c = text[i];
        if (i == 4 || i == 7 ? c != '-' : (c < '0' || c > '9')) return 0;
    }
    return 1;
}

static SnapshotKind kindOf(const char* name) {
    if (beginsWithDate(name) && name[10] == '\0') return SNAPSHOT_DAILY;
    if (beginsWithDate(name) && strstr(name, " before ") != NULL) return SNAPSHOT_BEFORE;
    return SNAPSHOT_YEAR;
}

// ---- folders of files ----

struct FolderNames {
    char names[MAX_SNAPSHOTS][SNAPSHOT_NAME_SIZE];
    int count;
};

static void collectName(const char* name, void* context) {
    FolderNames* list = (FolderNames*)context;
    if (list->count < MAX_SNAPSHOTS && strlen(name) < SNAPSHOT_NAME_SIZE)
        copyText(list->names[list->count++], SNAPSHOT_NAME_SIZE, name);
}

// Deletes the files of a folder, then the folder. 0, or 1 when something stayed.
static int removeFolderTree(const char* folder) {
    static FolderNames files;
    files.count = 0;
    if (platformListFolder(folder, collectName, &files) != 0) return 1;
    int failed = 0;
    for (int i = 0; i < files.count; i++) {
        PathText path;
        joinPath(folder, files.names[i], path, sizeof path);
        if (platformDeleteFile(path) == 0) continue;
        // Windows refuses to delete a read-only file (one made so by hand, or copied so by an
        // older build): made writable, it goes.
        failed |= platformClearReadOnly(path) != 0 || platformDeleteFile(path) != 0;
    }
    return failed || platformRemoveFolder(folder) != 0;
}

// Takes a complete snapshot out of the list in one step, then deletes it.
int removeSnapshot(const char* name) {
    char hidden[SNAPSHOT_NAME_SIZE + 8];
    snprintf(hidden, sizeof hidden, ".old %s", name);
    PathText from, to;
    snapshotPath(name, NULL, from, sizeof from);
    snapshotPath(hidden, NULL, to, sizeof to);
    if (platformExists(to)) removeFolderTree(to);
    if (platformRenameFolder(from, to) != 0) return 1;
    return removeFolderTree(to);
}

// ---- taking a snapshot ----

static int dataFileExists(const char* file) {
    const char* path = dataFilePath(file);
    return path[0] != '\0' && platformExists(path);
}

// Copies the data files that exist into the new snapshot name. 0, or 1 with nothing left.
static int writeSnapshotFiles(const char* name) {
    PathText folder, temp;
    snapshotPath(NULL, NULL, folder, sizeof folder);
    int madeFolder = !platformExists(folder);
    if (madeFolder && platformMakeFolder(folder) != 0) return 1;
    char hidden[SNAPSHOT_NAME_SIZE + 8];
    snprintf(hidden, sizeof hidden, ".new %s", name);
    snapshotPath(hidden, NULL, temp, sizeof temp);
    if (platformExists(temp)) removeFolderTree(temp);
    if (platformMakeFolder(temp) != 0) {
        if (madeFolder) platformRemoveFolder(folder);
        return 1;
    }
    int failed = 0;
    for (int i = 0; i < SNAPSHOT_FILE_COUNT && !failed; i++) {
        if (!dataFileExists(snapshotFiles.names[i])) continue;
        PathText from, to;
        copyText(from, sizeof from, dataFilePath(snapshotFiles.names[i]));
        snapshotPath(hidden, snapshotFiles.names[i], to, sizeof to);
        failed = platformCopyFile(from, to) != 0;
    }
    PathText final;
    snapshotPath(name, NULL, final, sizeof final);
    if (!failed) failed = platformRenameFolder(temp, final) != 0;
    if (failed) {
        PlatformError cause = *platformLastError();
        removeFolderTree(temp);
        // A store that cannot take a snapshot is left as it was found.
        if (madeFolder) platformRemoveFolder(folder);
        snapshotFailure.error = cause;
    }
    return failed;
}

static int writeSnapshot(const char* name) {
    platformClearError();
    snapshotFailure.error = *platformLastError();
    snapshotFailure.pathTooLong = !snapshotsFit(baseFolder);
    if (snapshotFailure.pathTooLong) return 1;
    int failed = writeSnapshotFiles(name);
    if (failed && snapshotFailure.error.kind == PLATFORM_ERROR_NONE) snapshotFailure.error = *platformLastError();
    return failed;
}

void snapshotFailureCause(char* out, int size) {
    if (snapshotFailure.pathTooLong) copyText(out, (size_t)size, "the path of the data folder is too long for its snapshots");
    else fileErrorCause(&snapshotFailure.error, out, (size_t)size);
}

int snapshotsFit(const char* base) {
    return strlen(base) + strlen(WKB_SEP "wkb_db" WKB_SEP) + SNAPSHOT_PATH_EXTRA <= DATA_PATH_MAX;
}

static int sameAsData(const char* name) {
    for (int i = 0; i < SNAPSHOT_FILE_COUNT; i++) {
        PathText kept;
        snapshotPath(name, snapshotFiles.names[i], kept, sizeof kept);
        if (!filesHoldSameBytes(dataFilePath(snapshotFiles.names[i]), kept)) return 0;
    }
    return 1;
}

static int listNames(FolderNames* list) {
    list->count = 0;
    PathText folder;
    snapshotPath(NULL, NULL, folder, sizeof folder);
    return platformListFolder(folder, collectName, list);
}

// The newest daily snapshot before today, or "" when there is none.
static void latestDaily(const char* today, char* out, int size) {
    static FolderNames list;
    out[0] = '\0';
    listNames(&list);
    for (int i = 0; i < list.count; i++) {
        const char* n = list.names[i];
        if (kindOf(n) == SNAPSHOT_DAILY && strcmp(n, today) < 0 && strcmp(n, out) > 0) copyText(out, (size_t)size, n);
    }
}

static int markerSays(const char* today) {
    PathText marker;
    snapshotPath(DAILY_MARKER, NULL, marker, sizeof marker);
    FILE* f = platformOpen(marker, "r");
    if (f == NULL) return 0;
    char line[32] = "";
    int n = readPiece(f, line, 30);
    fclose(f);
    return n >= 10 && strncmp(line, today, 10) == 0;
}

static void writeMarker(const char* today) {
    PathText marker, temp;
    snapshotPath(DAILY_MARKER, NULL, marker, sizeof marker);
    snapshotPath(DAILY_MARKER ".new", NULL, temp, sizeof temp);
    Rewrite r;
    if (rewriteBegin(&r, marker, temp) != 0) return;
    rewriteString(&r, today);
    rewriteString(&r, "\n");
    rewriteCommit(&r);
}

static int storeHasData() {
    for (int i = 0; i < SNAPSHOT_FILE_COUNT; i++)
        if (dataFileExists(snapshotFiles.names[i])) return 1;
    return 0;
}

int takeDailySnapshot() {
    char today[16];
    snapshotToday(today, sizeof today);
    PathText own;
    snapshotPath(today, NULL, own, sizeof own);
    if (!storeHasData() || markerSays(today) || platformExists(own)) return 0;
    char latest[SNAPSHOT_NAME_SIZE];
    latestDaily(today, latest, sizeof latest);
    if (latest[0] == '\0' || !sameAsData(latest)) {
        if (writeSnapshot(today) != 0) return 1;
    }
    writeMarker(today);
    pruneSnapshots(today);
    return 0;
}

// stem + reason, or stem-02 + reason, ... stem-99 (a newer one sorts after), so that no
// snapshot is overwritten. Many commands in one second (a script, a test) still get a name,
// and the name stays within SNAPSHOT_NAME_MAX.
static int freeName(const char* stem, const char* reason, char* out, int size) {
    for (int n = 1; n < 100; n++) {
        char number[8] = "";
        if (n > 1) snprintf(number, sizeof number, "-%02d", n);
        snprintf(out, (size_t)size, "%.19s%s%.40s", stem, number, reason);
        PathText path;
        snapshotPath(out, NULL, path, sizeof path);
        if (!platformExists(path)) return 0;
    }
    return 1;
}

int takeSnapshotBefore(const char* what) {
    time_t now = platformNow();
    const struct tm* t = localtime(&now);
    if (t == NULL) return 1;
    char stem[80], reason[40], name[SNAPSHOT_NAME_SIZE];
    snprintf(stem, sizeof stem, "%04d-%02d-%02d %02d-%02d-%02d", t->tm_year + 1900, t->tm_mon + 1, t->tm_mday,
             t->tm_hour, t->tm_min, t->tm_sec);
    snprintf(reason, sizeof reason, " before %s", what);
    if (freeName(stem, reason, name, sizeof name) != 0) return 1;
    return writeSnapshot(name);
}

// 1 for the names Windows gives its devices (CON, NUL, COM1, LPT9...), also with an extension
// ("nul.txt") or blanks after them: no folder can carry them.
static int isDeviceName(const char* name) {
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "COM#", "LPT#"};  // #: a digit 1-9
    for (const char* device : devices) {
        size_t n = 0;
        for (; device[n] != '\0'; n++) {
            unsigned char c = (unsigned char)name[n];
            if (device[n] == '#' ? (c < '1' || c > '9') : toupper(c) != device[n]) break;
        }
        if (device[n] != '\0') continue;
        while (name[n] == ' ') n++;
        if (name[n] == '\0' || name[n] == '.') return 1;
    }
    return 0;
}

int checkSnapshotName(const char* name, char* message, int size) {
    size_t n = strlen(name);
    message[0] = '\0';
    if (n == 0) snprintf(message, (size_t)size, "Please enter a name for the school year.");
    else if (n > SNAPSHOT_YEAR_NAME_MAX)
        snprintf(message, (size_t)size, "The name is too long (at most %d characters).", SNAPSHOT_YEAR_NAME_MAX);
    else if (name[0] == '.' || name[0] == ' ' || name[n - 1] == '.' || name[n - 1] == ' ')
        snprintf(message, (size_t)size, "A name cannot begin or end with a dot or a blank.");
    else if (beginsWithDate(name))
        snprintf(message, (size_t)size, "Names that begin with a date are kept for the daily snapshots.");
    for (size_t i = 0; i < n && message[0] == '\0'; i++) {
        unsigned char c = (unsigned char)name[i];
        if (c < 32 || strchr("\\/:*?\"<>|", c) != NULL)
            snprintf(message, (size_t)size, "A name cannot hold the character %c.", c < 32 ? '?' : c);
    }
    if (message[0] == '\0' && isDeviceName(name))
        snprintf(message, (size_t)size, "\"%s\" is a name that Windows keeps for a device: please choose another name.",
                 name);
    if (message[0] == '\0') {
        PathText path;
        snapshotPath(name, NULL, path, sizeof path);
        if (platformExists(path))
            snprintf(message, (size_t)size, "A snapshot named \"%s\" already exists: please choose another name.", name);
    }
    return message[0] != '\0';
}

int takeNamedSnapshot(const char* name) {
    char message[160];
    if (checkSnapshotName(name, message, sizeof message) != 0) return 1;
    return writeSnapshot(name);
}

// ---- retention ----

static int monthNumber(const char* date) { return atoi(date) * 12 + atoi(date + 5) - 1; }

static int byNameDescending(const void* a, const void* b) { return -strcmp((const char*)a, (const char*)b); }

// Removes the dated snapshots of one kind that the retention does not keep: the newest
// KEEP_DAILY, and the oldest of each of the last 12 months (this one included); for the
// "before" snapshots, every one of those 12 months up to KEEP_BEFORE_MAX. Only snapshots dated
// up to today count: one dated later (a clock that was wrong, a copy from another PC) is kept
// and never takes the place of a real one.
static void pruneKind(FolderNames* list, SnapshotKind kind, const char* today) {
    static char names[MAX_SNAPSHOTS][SNAPSHOT_NAME_SIZE];
    int n = 0;
    for (int i = 0; i < list->count; i++) {
        const char* name = list->names[i];
        if (name[0] != '.' && kindOf(name) == kind && strncmp(name, today, 10) <= 0)
            copyText(names[n++], SNAPSHOT_NAME_SIZE, name);
    }
    qsort(names, (size_t)n, SNAPSHOT_NAME_SIZE, byNameDescending);
    int thisMonth = monthNumber(today);
    for (int i = KEEP_DAILY; i < n; i++) {
        int month = monthNumber(names[i]);
        int recent = thisMonth - month < KEEP_MONTHS;
        int oldestOfMonth = i + 1 == n || monthNumber(names[i + 1]) != month;
        if (recent && (kind == SNAPSHOT_BEFORE ? i < KEEP_BEFORE_MAX : oldestOfMonth)) continue;
        removeSnapshot(names[i]);
    }
}

void pruneSnapshots(const char* today) {
    static FolderNames list;
    if (listNames(&list) != 0) return;
    for (int i = 0; i < list.count; i++) {
        const char* name = list.names[i];
        if (strncmp(name, ".new ", 5) != 0 && strncmp(name, ".old ", 5) != 0) continue;
        PathText path;
        snapshotPath(name, NULL, path, sizeof path);
        removeFolderTree(path);
    }
    pruneKind(&list, SNAPSHOT_DAILY, today);
    pruneKind(&list, SNAPSHOT_BEFORE, today);
}

// ---- list and restore ----

// Notes with a text: lines whose "=" is followed by something. A fast byte scan, since the
// list reads the notes table of every snapshot.
static int countNotes(const char* path) {
    FILE* f = platformOpen(path, "r");
    if (f == NULL) return 0;
    static char buf[32768];
    int count = 0, state = 0;  // 0 in the key, 1 right after "=", 2 in the value or done
    size_t got;
    while (platformRead(f, buf, sizeof buf, &got) == 0 && got > 0) {
        for (size_t i = 0; i < got; i++) {
            char c = buf[i];
            if (c == '\n') state = 0;
            else if (state == 0 && c == '=') state = 1;
            else if (state == 1) {
                if (c != '\r') count++;
                state = 2;
            }
        }
    }
    fclose(f);
    return count;
}

int isSnapshot(const char* name) {
    if (name[0] == '.' || name[0] == '\0') return 0;
    PathText path;
    snapshotPath(name, NULL, path, sizeof path);
    return platformExists(path) && platformFileSize(path) < 0;
}

// Dated snapshots newest first, then the named ones.
static int nameOrder(const void* a, const void* b) {
    const char* x = (const char*)a;
    const char* y = (const char*)b;
    int xDated = kindOf(x) != SNAPSHOT_YEAR, yDated = kindOf(y) != SNAPSHOT_YEAR;
    if (xDated != yDated) return yDated - xDated;
    return -strcmp(x, y);
}

int listSnapshots(SnapshotInfo* out, int max) {
    static FolderNames list;
    if (listNames(&list) != 0) return 0;
    // Sorted first, so that a long list shows the newest, whatever order the folder gives.
    qsort(list.names, (size_t)list.count, SNAPSHOT_NAME_SIZE, nameOrder);
    char today[16];
    snapshotToday(today, sizeof today);
    int n = 0;
    for (int i = 0; i < list.count && n < max; i++) {
        const char* name = list.names[i];
        if (!isSnapshot(name)) continue;
        SnapshotInfo* info = &out[n++];
        copyText(info->name, sizeof info->name, name);
        info->kind = kindOf(name);
        info->future = info->kind != SNAPSHOT_YEAR && strncmp(name, today, 10) > 0;
        info->size = 0;
        for (int k = 0; k < SNAPSHOT_FILE_COUNT; k++) {
            PathText path;
            snapshotPath(name, snapshotFiles.names[k], path, sizeof path);
            long long size = platformFileSize(path);
            if (size > 0) info->size += size;
        }
        PathText notes;
        snapshotPath(name, "wkb_txt.data", notes, sizeof notes);
        info->notes = countNotes(notes);
    }
    return n;
}
