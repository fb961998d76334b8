// Store preparation at every start: a new store in a new data folder, an upgrade of another
// version, or nothing for a current store. Before a table with content is emptied, a copy of
// it is kept, so a lost settings file never destroys a year of notes beyond recovery.
#include "storage/store_prep.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "storage/data_folder.h"
#include "storage/save_report.h"
#include "storage/settings.h"
#include "storage/store_version.h"
#include "storage/table_store.h"
#include "storage/week_colours.h"

int versionMajor;

// A version text is at most 23 characters; a longer (hand-edited) one is read by its start.
#define VERSION_TEXT_SIZE 24

void readVersionMajor() {
    char version[VERSION_TEXT_SIZE];
    copyText(version, sizeof version, readSetting("version"));
    const char* v = strchr(version, 'v');
    versionMajor = v == NULL ? 0 : leadingNumber(v + 1);
}

static long fileSize(const char* path) {
    FILE* f = platformOpen(path, "r");
    if (f == NULL) return -1;
    long size = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    fclose(f);
    return size;
}

// Copies a table that has content to the first free "<table>.bak", "<table>.bak2", ...
// Returns 0 when there was nothing to keep or the copy was made.
static int keepTableCopy(const char* table) {
    char name[64], source[sizeof filePath], backup[sizeof filePath];
    snprintf(name, sizeof name, "%s.data", table);
    copyText(source, sizeof source, dataFilePath(name));
    if (source[0] == '\0' || fileSize(source) <= 0) return 0;
    for (int i = 1; i < 100; i++) {
        if (i == 1) snprintf(name, sizeof name, "%s.bak", table);
        else snprintf(name, sizeof name, "%s.bak%d", table, i);
        dataFilePath(name);
        if (filePath[0] != '\0' && dataFileMissing()) {
            copyText(backup, sizeof backup, filePath);
            return platformCopyFile(source, backup) == 0 ? 0 : 1;
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

static int createNewStore() {
    if (strcmp(baseFolder, WKB_FALLBACK_BASE) == 0) platformMakeFolder(baseFolder);
    platformMakeFolder(dataFilePath(""));
    platformMakeFolder(dataFilePath(".tmp"));
    int status = STORE_CREATED;
    if (createSettingsFile() != 0 || tableOp(TABLE_CREATE, TIMETABLE_TABLE, "", "") != 0 ||
        tableOp(TABLE_CREATE, NOTES_TABLE, "", "") != 0)
        status = STORE_FAILED;
    ensureWeeksFile();
    return status;
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

int prepareStore() {
    dataFilePath("");
    if (dataFileMissing()) return createNewStore();
    char version[sizeof settingValue];
    copyText(version, sizeof version, readSetting("version"));
    if (version[0] == '\0') return setUpAgain();
    if (strcmp(version, CURRENT_VERSION) == 0) return STORE_OK;
    return upgrade(versionMajor);
}
