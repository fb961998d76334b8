// The settings file: key=value lines after a three-line header, read one key at a time and
// rewritten as a whole (through ".tmp.rc" in the data folder) whenever one key changes.
#include "records/settings.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/store_version.h"
#include "store/data_folder.h"
#include "store/kept_files.h"
#include "store/save_report.h"
#include "store/text_file.h"

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

// unreadable: the last lookup found the settings file but could not read it whole.
struct SettingsReading {
    int unreadable;
};
static SettingsReading settingsRead;

int settingsUnreadable() { return settingsRead.unreadable; }

// The first line of the key gives its value, cut to settingValue, without its line break.
static int takeValue(char* line, int, void* key) {
    if (!lineHasKey(line, (const char*)key)) return 0;
    copyText(settingValue, sizeof settingValue, line + strlen((const char*)key) + 1);
    size_t len = strlen(settingValue);
    if (len > 0 && settingValue[len - 1] == '\n') settingValue[len - 1] = '\0';
    return 1;
}

char* readSetting(const char* key) {
    SavedPath saved;
    savePath(&saved);
    char path[sizeof filePath];
    copyText(path, sizeof path, dataFilePath(SETTINGS_FILE));
    restorePath(&saved);
    return readSettingFrom(path, key);
}

char* readSettingFrom(const char* path, const char* key) {
    settingValue[0] = '\0';
    settingsRead.unreadable = 0;
    FILE* f = openToRead(path);
    // A file that is there but cannot be opened is not a missing file.
    if (f == NULL) settingsRead.unreadable = path[0] != '\0' && platformExists(path);
    if (f == NULL) return settingValue;
    // A read that broke off may have missed the key.
    if (scanLines(f, LINE_LIMIT, takeValue, (void*)key) != 0) settingsRead.unreadable = 1;
    fclose(f);
    return settingValue;
}

// The keys of one rewrite with their values; found[i] once a line had keys[i].
#define BATCH_MAX 8
struct KeyWrite {
    const char* const* keys;
    const char* const* values;
    int count;
    int found[BATCH_MAX];
};

// Every line that begins with a key, "=" or not, becomes that key's new setting; other lines
// of one or two characters (line break included) are dropped.
static int settingsRule(const char* line, int n, Rewrite* r, void* context) {
    KeyWrite* w = (KeyWrite*)context;
    for (int i = 0; i < w->count; i++) {
        if (strncmp(line, w->keys[i], strlen(w->keys[i])) != 0) continue;
        rewriteRecord(r, w->keys[i], w->values[i]);
        w->found[i] = 1;
        return 0;
    }
    return n > 2;
}

static int writeSettingsIn(const char* target, const char* temp, const char* const keys[], const char* const values[],
                           int count) {
    if (count < 1 || count > BATCH_MAX) return 0;
    FILE* in = openToRead(target);
    if (in == NULL) return 0;
    Rewrite r;
    if (rewriteBegin(&r, target, temp) != 0) {
        fclose(in);
        return 0;
    }
    KeyWrite w = {keys, values, count, {0}};
    rewriteLines(in, &r, LINE_LIMIT, settingsRule, &w);
    for (int i = 0; i < count; i++)
        if (!w.found[i]) rewriteRecord(&r, keys[i], values[i]);
    fclose(in);
    return rewriteCommit(&r) == 0 ? 1 : 0;
}

// The settings file and its temporary name, leaving the caller's filePath as it was.
struct SettingsPaths {
    char target[sizeof filePath];
    char temp[sizeof filePath];
};

static void settingsPaths(SettingsPaths* p) {
    SavedPath saved;
    savePath(&saved);
    copyText(p->target, sizeof p->target, dataFilePath(SETTINGS_FILE));
    copyText(p->temp, sizeof p->temp, dataFilePath(SETTINGS_TEMP));
    restorePath(&saved);
}

int writeSettings(const char* const keys[], const char* const values[], int count) {
    SettingsPaths p;
    settingsPaths(&p);
    return writeSettingsIn(p.target, p.temp, keys, values, count);
}

int writeSetting(const char* key, const char* value) { return writeSettings(&key, &value, 1); }

int writeSettingIn(const char* target, const char* temp, const char* key, const char* value) {
    return writeSettingsIn(target, temp, &key, &value, 1);
}

int createSettingsFile() {
    SettingsPaths p;
    settingsPaths(&p);
    Rewrite r;
    if (rewriteBegin(&r, p.target, p.temp) != 0) return 1;
    rewriteString(&r, SETTINGS_HEADER);
    rewriteRecord(&r, "version", CURRENT_VERSION);
    rewriteRecord(&r, "info", "yes");
    rewriteRecord(&r, "bip", "yes");
    return rewriteCommit(&r) == 0 ? 0 : 1;
}

// The options' keys, each taken from its first line as readSetting takes it, in one read.
#define OPTION_COUNT 4
#define OPTION_VALUE 8  // enough to tell "yes" and "no" from any longer value
struct OptionScan {
    const char* keys[OPTION_COUNT];
    char values[OPTION_COUNT][OPTION_VALUE];
    int found[OPTION_COUNT];
    int left;
};

static int takeOptions(char* line, int, void* context) {
    OptionScan* scan = (OptionScan*)context;
    for (int i = 0; i < OPTION_COUNT; i++) {
        if (scan->found[i] || !lineHasKey(line, scan->keys[i])) continue;
        copyText(scan->values[i], OPTION_VALUE, line + strlen(scan->keys[i]) + 1);
        size_t len = strlen(scan->values[i]);
        if (len > 0 && scan->values[i][len - 1] == '\n') scan->values[i][len - 1] = '\0';
        scan->found[i] = 1;
        scan->left--;
    }
    return scan->left == 0;
}

void loadOptions() {
    OptionScan scan = {{"bip", "info", "teacher", "default"}, {}, {}, OPTION_COUNT};
    SavedPath saved;
    savePath(&saved);
    char path[sizeof filePath];
    copyText(path, sizeof path, dataFilePath(SETTINGS_FILE));
    restorePath(&saved);
    keptScanLines(path, LINE_LIMIT, takeOptions, &scan);
    // Every option is assigned both ways: after a restore the settings may switch one off.
    diaryState.beepOn = strcmp(scan.values[0], "no") == 0 ? 0 : 1;
    diaryState.infoOn = strcmp(scan.values[1], "no") == 0 ? 0 : 1;
    diaryState.teacherMode = strcmp(scan.values[2], "yes") == 0 ? 1 : 0;
    diaryState.useDefaults = strcmp(scan.values[3], "yes") == 0 ? 1 : 0;
}

static void setOption(int* field, int on, const char* key) {
    *field = on ? 1 : 0;
    if (writeSetting(key, on ? "yes" : "no") == 0) reportSaveFailure("the settings", 1);
}

void setBeep(int on) { setOption(&diaryState.beepOn, on, "bip"); }
void setInfo(int on) { setOption(&diaryState.infoOn, on, "info"); }
void setUseDefaults(int on) { setOption(&diaryState.useDefaults, on, "default"); }
