// The base folder, chosen once at start-up, and the paths of the data folder's files.
#include "store/data_folder.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/snapshots.h"

char baseFolder[260];
char filePath[260];

// Why the data folder is not where the diary was started ("" when it is), and the base folder
// that was chosen with it: the note holds only while that one is in use.
struct BaseFolderNote {
    char text[700];
    char chosen[260];
};
static BaseFolderNote baseNote;

// A current directory is read whole, so that one too long for the store can be named.
#define CURRENT_DIR_SIZE 512

int baseFolderFits(const char* base) {
    return strlen(base) + strlen(WKB_SEP "wkb_db" WKB_SEP) + DATA_NAME_MAX <= DATA_PATH_MAX;
}

// 1 when a store is already kept under base: it stays there even when its snapshots do not
// fit (they then fail with that cause), so that no diary in use seems emptied by a move.
static int holdsStore(const char* base) {
    char settings[300];
    int n = snprintf(settings, sizeof settings, "%s" WKB_SEP "wkb_db" WKB_SEP ".wkb.rc", base);
    return n > 0 && n < (int)sizeof settings && platformExists(settings);
}

// 1 when the upper-cased folder lies in the user's own programs folder (or is it).
static int inUserPrograms(const char* upper) {
    char programs[CURRENT_DIR_SIZE];
    if (platformUserProgramsFolder(programs, sizeof programs) != 0) return 0;
    size_t n = strlen(programs);
    for (size_t i = 0; i < n; i++) programs[i] = (char)toupper((unsigned char)programs[i]);
    return n > 0 && strncmp(upper, programs, n) == 0 && (upper[n] == '\0' || upper[n] == '\\');
}

const char* baseFolderNote() { return strcmp(baseNote.chosen, baseFolder) == 0 ? baseNote.text : ""; }

void determineBaseFolder() {
    baseFolder[0] = '\0';
    baseNote.text[0] = '\0';
    char current[CURRENT_DIR_SIZE], upper[CURRENT_DIR_SIZE];
    int n = platformCurrentDirectory(current, sizeof current);
    if (n < 0) {
        // Any other spelling of the name would be another folder (or none).
        snprintf(baseNote.text, sizeof baseNote.text,
                 "\n\nThe name of the folder\n%s\nhas letters the diary cannot use in a path, so its files are kept "
                 "in the folder above.",
                 current);
    } else if (n > 0) {
        copyText(upper, sizeof upper, current);
        for (int i = 0; i < n; i++) upper[i] = (char)toupper((unsigned char)upper[i]);
        // A diary installed for one user lives in that user's programs folder: its data goes where
        // that of a diary installed for everyone does, so a change of scope or an uninstall leaves
        // it in place. A store kept there already (a copy unpacked by hand) stays.
        int programs = strstr(upper, "C:\\PROGRAM FILES") != NULL || (inUserPrograms(upper) && !holdsStore(current));
        if (!programs && baseFolderFits(current) && (snapshotsFit(current) || holdsStore(current))) {
            copyText(baseFolder, sizeof baseFolder, current);
            return;
        }
        // A store there would fail at its longest names, or half made: the user is told why
        // the data goes elsewhere.
        if (!programs)
            snprintf(baseNote.text, sizeof baseNote.text,
                     "\n\nThe path of the folder\n%s\nis too long for the diary's files, so they are kept in the "
                     "folder above.",
                     current);
    }
    // Under the programs folder the data belongs in the user's own application data.
    if (platformUserDataFolder(baseFolder, sizeof baseFolder) != 0 || baseFolder[0] == '\0' ||
        !baseFolderFits(baseFolder) || !snapshotsFit(baseFolder))
        copyText(baseFolder, sizeof baseFolder, WKB_FALLBACK_BASE);
    copyText(baseNote.chosen, sizeof baseNote.chosen, baseFolder);
}

char* dataFilePath(const char* name) {
    int n = snprintf(filePath, sizeof filePath, "%s" WKB_SEP "wkb_db" WKB_SEP "%s", baseFolder, name);
    // A cut path would name another file: leave none, so that every open fails cleanly.
    if (n < 0 || n >= (int)sizeof filePath) filePath[0] = '\0';
    return filePath;
}

int dataFileMissing() {
    if (filePath[0] == '\0') return 1;
    return platformExists(filePath) ? 0 : 1;
}
