// Store preparation at every start: a new store in a new data folder, an upgrade of another
// version, or nothing for a current store. Before a table with content is emptied, a copy of
// it is kept, so a lost settings file never destroys a year of notes beyond recovery.
#include "records/store_prep.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/store_version.h"
#include "records/week_colours.h"
#include "store/data_folder.h"
#include "store/save_report.h"
#include "store/table_store.h"
#include "store/text_file.h"

int versionMajor;

// What the last preparation has to tell the user beyond its status: where the copies of
// emptied tables went, or that a versionless settings file did not cost the tables.
struct StorePrepNote {
    char copies[2][24];  // the names of the copies kept of the timetable and the notes
    char text[200];
};
static StorePrepNote prepNote;

const char* storePreparationNote() { return prepNote.text; }

// A version text is at most 23 characters; a longer (hand-edited) one is read by its start.
#define VERSION_TEXT_SIZE 24

int versionMajorOf(const char* text) {
    char version[VERSION_TEXT_SIZE];
    copyText(version, sizeof version, text);
    const char* v = strchr(version, 'v');
    return v == NULL ? 0 : leadingNumber(v + 1);
}

void readVersionMajor() { versionMajor = versionMajorOf(readSetting("version")); }

// Reads the version into out, trying again for a while when the file is there but cannot be
// read: a sharing violation may pass. 0 when read (or there is no file), 1 when it stayed
// unreadable.
static int readVersionPatiently(char* out, size_t size) {
    for (int waited = 0;; waited += SETTINGS_RETRY_STEP_MS) {
        copyText(out, size, readSetting("version"));
        if (!settingsUnreadable()) return 0;
        if (waited >= SETTINGS_RETRY_MS) return 1;
        platformSleep(SETTINGS_RETRY_STEP_MS);
    }
}

static long fileSize(const char* path) {
    FILE* f = openToRead(path);
    if (f == NULL) return -1;
    long size = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    fclose(f);
    return size;
}

// Copies a table that has content to the first free "<table>.bak", "<table>.bak2", ...
// Returns 0 when there was nothing to keep or the copy was made; the copy's name is noted.
// A table that is there but cannot be read is never taken for an empty one.
static int keepTableCopy(const char* table) {
    char name[64], source[sizeof filePath], backup[sizeof filePath];
    snprintf(name, sizeof name, "%s.data", table);
    copyText(source, sizeof source, dataFilePath(name));
    if (source[0] == '\0') return 0;
    long size = fileSize(source);
    if (size == 0 || (size < 0 && !platformExists(source))) return 0;
    for (int i = 1; i < 100; i++) {
        if (i == 1) snprintf(name, sizeof name, "%s.bak", table);
        else snprintf(name, sizeof name, "%s.bak%d", table, i);
        dataFilePath(name);
        if (filePath[0] != '\0' && dataFileMissing()) {
            copyText(backup, sizeof backup, filePath);
            if (platformCopyFile(source, backup) != 0) return 1;
            copyText(prepNote.copies[strcmp(table, NOTES_TABLE) == 0], sizeof prepNote.copies[0], name);
            return 0;
        }
    }
    return 1;
}

// Empties a table after keeping a copy of its content; 0 on success.
static int emptyTable(const char* table) {
    if (keepTableCopy(table) != 0) {
        char text[160];
        snprintf(text, sizeof text,
                 "Could not keep a copy of the table %s before emptying it.\nIt was left as it was.", table);
        saveReportShow(text);
        return 1;
    }
    return tableOp(TABLE_CREATE, table, "", "");
}

// Takes back what a failed creation made, so that the next start tries again from nothing.
static void removeNewStore() {
    static const char* const made[] = {SETTINGS_FILE, TIMETABLE_TABLE ".data", NOTES_TABLE ".data", WEEKS_FILE};
    for (const char* name : made) {
        dataFilePath(name);
        if (!dataFileMissing()) platformDeleteFile(filePath);
    }
    platformRemoveFolder(dataFilePath(".tmp"));
    platformRemoveFolder(dataFilePath(""));
}

// A new store is made whole or not at all: half a store (settings without a notes table)
// would be taken for a store in use at the next start.
static int createNewStore() {
    if (strcmp(baseFolder, WKB_FALLBACK_BASE) == 0) platformMakeFolder(baseFolder);
    platformMakeFolder(dataFilePath(""));
    platformMakeFolder(dataFilePath(".tmp"));
    if (createSettingsFile() != 0 || tableOp(TABLE_CREATE, TIMETABLE_TABLE, "", "") != 0 ||
        tableOp(TABLE_CREATE, NOTES_TABLE, "", "") != 0 || ensureWeeksFile() != 0) {
        removeNewStore();
        return STORE_FAILED;
    }
    return STORE_CREATED;
}

// A data folder whose settings file holds no version is set up anew.
static int setUpAgain() {
    int settingsOk = createSettingsFile() == 0;
    // A settings file left without its teacher line is a failure the start-up message shows.
    int teacherOk = settingsOk && writeSetting("teacher", "no") != 0;
    int timetableOk = emptyTable(TIMETABLE_TABLE) == 0;
    int notesOk = settingsOk && timetableOk && emptyTable(NOTES_TABLE) == 0;
    ensureWeeksFile();
    return notesOk && teacherOk ? STORE_UPGRADED : STORE_FAILED;
}

static int upgrade(int oldMajor) {
    // Without the new version on disk the next start would upgrade (and empty) again.
    if (writeSetting("version", CURRENT_VERSION) == 0) {
        ensureWeeksFile();
        return STORE_FAILED;
    }
    if (oldMajor == 0 || oldMajor == 1) {
        if (emptyTable(TIMETABLE_TABLE) != 0 || emptyTable(NOTES_TABLE) != 0) {
            ensureWeeksFile();
            return STORE_FAILED;
        }
    }
    int teacherOk = writeSetting("teacher", "no") != 0;
    ensureWeeksFile();
    return teacherOk ? STORE_UPGRADED : STORE_FAILED;
}

// 1 when a table holds at least one byte, or is there but cannot be read.
static int tableHasData(const char* table) {
    char name[64];
    snprintf(name, sizeof name, "%s.data", table);
    dataFilePath(name);
    if (filePath[0] == '\0') return 0;
    long size = fileSize(filePath);
    return size > 0 || (size < 0 && platformExists(filePath));
}

// A settings file that cannot be read says nothing about the store: nothing is prepared,
// emptied or written, and the session writes nothing.
static int leaveUnreadableStore() {
    holdWrites(1);
    copyText(prepNote.text, sizeof prepNote.text,
             "\n\nThe settings file could not be read: another program may have it open. Nothing was "
             "changed, and nothing will be saved until the diary is started again.");
    return STORE_UNREADABLE;
}

// A settings file that is there but holds no version (emptied, or saved by another editor)
// while the tables hold data belongs to a store in use: the tables stay, the version is
// written again.
static int keepVersionlessStore() {
    int written = writeSetting("version", CURRENT_VERSION) != 0;
    ensureWeeksFile();
    if (!written) return STORE_FAILED;
    copyText(prepNote.text, sizeof prepNote.text,
             "\n\nThe settings file had no version. Your timetable and notes were kept.");
    return STORE_UPGRADED;
}

// After tables were emptied: which copies hold what they held.
static void noteKeptCopies() {
    const char* timetable = prepNote.copies[0];
    const char* notes = prepNote.copies[1];
    if (timetable[0] != '\0' && notes[0] != '\0')
        snprintf(prepNote.text, sizeof prepNote.text,
                 "\n\nYour old timetable and notes were kept in the data folder as %s and %s.", timetable, notes);
    else if (timetable[0] != '\0' || notes[0] != '\0')
        snprintf(prepNote.text, sizeof prepNote.text, "\n\nYour old %s were kept in the data folder as %s.",
                 timetable[0] != '\0' ? "timetable" : "notes", timetable[0] != '\0' ? timetable : notes);
}

static int prepare() {
    dataFilePath("");
    if (dataFileMissing()) return createNewStore();
    char version[sizeof settingValue];
    if (readVersionPatiently(version, sizeof version) != 0) return leaveUnreadableStore();
    // The version read now counts, not one read earlier that may have failed.
    versionMajor = versionMajorOf(version);
    if (version[0] == '\0') {
        dataFilePath(SETTINGS_FILE);
        int settingsThere = !dataFileMissing();
        if (settingsThere && (tableHasData(TIMETABLE_TABLE) || tableHasData(NOTES_TABLE))) return keepVersionlessStore();
        return setUpAgain();
    }
    if (strcmp(version, CURRENT_VERSION) == 0) return STORE_OK;
    return upgrade(versionMajor);
}

int prepareStore() {
    memset(&prepNote, 0, sizeof prepNote);
    int status = prepare();
    noteKeptCopies();
    return status;
}
