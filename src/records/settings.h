// The settings file ".wkb.rc": lookup and update of one key, creation with its defaults,
// the options of the DiaryState and the option commands.
#pragma once

#define SETTINGS_FILE ".wkb.rc"
#define SETTINGS_TEMP ".tmp.rc"

extern char settingValue[320];

// The key's value in settingValue, or "" when the file or the key is missing, or when the
// file is there but could not be read (settingsUnreadable then tells).
char* readSetting(const char* key);
// The same for the settings file at path (a snapshot's, a staged one).
char* readSettingFrom(const char* path, const char* key);
// 1 when the last readSetting found the settings file but could not read it whole (another
// program holds it open, or a read failed), 0 when it read it or there was none.
int settingsUnreadable();
// Sets key to value in the file. 1 when the file was replaced, 0 when nothing was written.
int writeSetting(const char* key, const char* value);
// Sets several keys in one rewrite of the file, so that they are stored all together or not at
// all (a rule of three keys is never kept by half); at most 8. 1 when the file was replaced.
int writeSettings(const char* const keys[], const char* const values[], int count);
// The same as writeSetting for the settings file at target, rewritten through temp.
int writeSettingIn(const char* target, const char* temp, const char* key, const char* value);
// Writes a new settings file with the header and the defaults. 0, or 1 on failure.
int createSettingsFile();
// "bip", "info", "teacher" and "default" into the DiaryState, each on or off.
void loadOptions();
// The option commands: set the DiaryState field, then the setting (failure is told).
void setBeep(int on);
void setInfo(int on);
void setUseDefaults(int on);
