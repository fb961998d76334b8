// The settings keys added beyond the original ones, a row each: its name, its default, and the
// check of a stored value (one that fails it, hand-edited or cut, reads as the default). The
// originals ("version", "info", "bip", "teacher", "default", "title") keep their own rules in
// settings.h. A new key is a new row; several keys of one rule are written together with
// writeSettings.
#pragma once

enum SettingKey {
    KEY_ROTATION_CYCLE,     // the week colours of the rotation, "1,2"
    KEY_ROTATION_FIRST,     // the week that starts the school year, 1..53
    KEY_ROTATION_HOLIDAYS,  // the holiday weeks as typed, "44, 52-1, 8"
    KEY_LESSON_TIMES_ALL,   // ten periods "HH:MM-HH:MM" or empty, for every day
    KEY_LESSON_TIMES_D1,    // ... for Monday when it keeps its own times; D2..D6 follow
    KEY_LESSON_TIMES_D2,
    KEY_LESSON_TIMES_D3,
    KEY_LESSON_TIMES_D4,
    KEY_LESSON_TIMES_D5,
    KEY_LESSON_TIMES_D6,
    KEY_CALENDAR_ID,        // this diary's id in the calendar file's UIDs
    KEY_SCHOOL_YEAR_START,  // the week that starts every school year, 1..52, 0 for none
    KEY_NOTES_YEAR,         // the year in which the school year of the notes starts, "2026"
    KEY_AGENDA_AT_START,    // "no" keeps the agenda from opening at start
    SETTING_KEY_COUNT
};

struct SettingKeyRow {
    const char* name;
    const char* fallback;             // the value of an absent or unusable key
    int (*usable)(const char* value);  // 1 when a stored value can be read as it is
};

extern const SettingKeyRow settingKeys[SETTING_KEY_COUNT];

// The key's name in the settings file.
const char* settingKeyName(SettingKey key);
// The stored value of key when it is usable, else its default (in settingValue, as readSetting).
const char* readKeySetting(SettingKey key);
// 1 for a character a calendar id keeps as it is: letters, digits and dashes (what a UID carries).
int calendarIdCharacter(char c);
