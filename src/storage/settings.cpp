// The settings file: key=value lines after a three-line header, read one key at a time and
// rewritten as a whole (through ".tmp.rc" in the data folder) whenever one key changes.
#include "storage/settings.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "storage/data_folder.h"
#include "storage/store_version.h"
#include "storage/text_file.h"

char settingValue[320];

#define SETTINGS_HEADER                                                       \
    "##################################################################\n"   \
    "#        RC for WKB. Please, do not edit manually!\n"                    \
    "##################################################################\n"

// Longer lines are read whole all the same: the rest of a line is never taken for a line of
// its own, and a rewrite copies it unchanged.
#define LINE_LIMIT 1023

// Settings accesses keep the caller's current path in filePath.
struct SavedPath {
    char text[sizeof filePath];
};

static void savePath(SavedPath* s) { copyText(s->text, sizeof s->text, filePath); }
static void restorePath(const SavedPath* s) { copyText(filePath, sizeof filePath, s->text); }

static int lineHasKey(const char* line, const char* key, int needEquals) {
    size_t k = strlen(key);
    if (strncmp(line, key, k) != 0) return 0;
    return needEquals ? line[k] == '=' : 1;
}

char* readSetting(const char* key) {
    settingValue[0] = '\0';
    SavedPath saved;
    savePath(&saved);
    FILE* f = platformOpen(dataFilePath(SETTINGS_FILE), "r");
    restorePath(&saved);
    if (f == NULL) return settingValue;
    char line[LINE_LIMIT + 1];
    int lineStart = 1;
    int n;
    while ((n = readPiece(f, line, LINE_LIMIT)) > 0) {
        int starts = lineStart;
        lineStart = line[n - 1] == '\n';
        if (!starts || !lineHasKey(line, key, 1)) continue;
        copyText(settingValue, sizeof settingValue, line + strlen(key) + 1);
        size_t len = strlen(settingValue);
        if (len > 0 && settingValue[len - 1] == '\n') settingValue[len - 1] = '\0';
        break;
    }
    fclose(f);
    return settingValue;
}

// Writes "key=value\n"; a line break inside the value would split the setting, so it is a blank.
static void writeKeyLine(Rewrite* r, const char* key, const char* value) {
    rewriteString(r, key);
    rewriteString(r, "=");
    for (const char* p = value; *p != '\0'; p++) {
        char c = (*p == '\n' || *p == '\r') ? ' ' : *p;
        rewriteText(r, &c, 1);
    }
    rewriteString(r, "\n");
}

// Copies the settings file into r, replacing every line that begins with key; lines of one
// or two characters (line break included) are dropped. Returns 1 when key was found.
static int copyWithKey(FILE* in, Rewrite* r, const char* key, const char* value) {
    char line[LINE_LIMIT + 1];
    int found = 0, lineStart = 1, keep = 1, n;
    while ((n = readPiece(in, line, LINE_LIMIT)) > 0) {
        if (lineStart) {
            int isKey = lineHasKey(line, key, 0);
            if (isKey) writeKeyLine(r, key, value);
            found |= isKey;
            keep = !isKey && n > 2;
        }
        if (keep) rewriteText(r, line, (size_t)n);
        lineStart = line[n - 1] == '\n';
    }
    // A last line without its line break must not run into a line appended after it.
    if (!lineStart && keep) rewriteString(r, "\n");
    return found;
}

int writeSetting(const char* key, const char* value) {
    SavedPath saved;
    savePath(&saved);
    char target[sizeof filePath], temp[sizeof filePath];
    copyText(target, sizeof target, dataFilePath(SETTINGS_FILE));
    copyText(temp, sizeof temp, dataFilePath(SETTINGS_TEMP));
    restorePath(&saved);
    FILE* in = platformOpen(target, "r");
    if (in == NULL) return 0;
    Rewrite r;
    if (rewriteBegin(&r, target, temp) != 0) {
        fclose(in);
        return 0;
    }
    if (!copyWithKey(in, &r, key, value)) writeKeyLine(&r, key, value);
    fclose(in);
    return rewriteCommit(&r) == 0 ? 1 : 0;
}

int createSettingsFile() {
    SavedPath saved;
    savePath(&saved);
    char target[sizeof filePath], temp[sizeof filePath];
    copyText(target, sizeof target, dataFilePath(SETTINGS_FILE));
    copyText(temp, sizeof temp, dataFilePath(SETTINGS_TEMP));
    restorePath(&saved);
    Rewrite r;
    if (rewriteBegin(&r, target, temp) != 0) return 1;
    rewriteString(&r, SETTINGS_HEADER);
    writeKeyLine(&r, "version", CURRENT_VERSION);
    writeKeyLine(&r, "info", "yes");
    writeKeyLine(&r, "bip", "yes");
    return rewriteCommit(&r) == 0 ? 0 : 1;
}

void loadOptions() {
    diaryState.beepOn = strcmp(readSetting("bip"), "no") == 0 ? 0 : 1;
    diaryState.infoOn = strcmp(readSetting("info"), "no") == 0 ? 0 : 1;
    if (strcmp(readSetting("teacher"), "yes") == 0) diaryState.teacherMode = 1;
    if (strcmp(readSetting("default"), "yes") == 0) diaryState.useDefaults = 1;
}

static void setOption(int* field, int on, const char* key) {
    *field = on ? 1 : 0;
    if (writeSetting(key, on ? "yes" : "no") == 0) reportSaveFailure("the settings");
}

void setBeep(int on) { setOption(&diaryState.beepOn, on, "bip"); }
void setInfo(int on) { setOption(&diaryState.infoOn, on, "info"); }
void setUseDefaults(int on) { setOption(&diaryState.useDefaults, on, "default"); }
