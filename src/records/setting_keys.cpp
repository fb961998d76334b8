// The table of the settings keys beyond the original ones, and their checks.
#include "records/setting_keys.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "records/rotation_rule.h"
#include "records/settings.h"

static int anyText(const char*) { return 1; }

static int cycleText(const char* value) {
    int cycle[ROTATION_MAX_CYCLE];
    return parseCycle(value, cycle) > 0;
}

static int weekNumber(const char* value) {
    int week = leadingNumber(value);
    return week >= 1 && week <= 53;
}

// 1 for a number of 1 to `most` digits and nothing else.
static int digitsOnly(const char* value, size_t most) {
    size_t n = strlen(value);
    if (n == 0 || n > most) return 0;
    for (size_t i = 0; i < n; i++)
        if (value[i] < '0' || value[i] > '9') return 0;
    return 1;
}

static int schoolYearWeek(const char* value) {
    return digitsOnly(value, 2) && leadingNumber(value) <= 52;
}

static int fullYear(const char* value) {
    return digitsOnly(value, 4) && leadingNumber(value) >= 1900 && leadingNumber(value) <= 9998;
}

int calendarIdCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
}

static int idText(const char* value) {
    if (value[0] == '\0') return 0;
    for (const char* p = value; *p != '\0'; p++)
        if (!calendarIdCharacter(*p)) return 0;
    return 1;
}

const SettingKeyRow settingKeys[SETTING_KEY_COUNT] = {
    {"rotation_cycle", "1,2", cycleText},
    {"rotation_first", "36", weekNumber},
    {"rotation_holidays", "", anyText},
    {"lesson_times_all", "", anyText},
    {"lesson_times_d1", "", anyText},
    {"lesson_times_d2", "", anyText},
    {"lesson_times_d3", "", anyText},
    {"lesson_times_d4", "", anyText},
    {"lesson_times_d5", "", anyText},
    {"lesson_times_d6", "", anyText},
    {"calendar_id", "", idText},
    {"school_year_start", "", schoolYearWeek},
    {"notes_year", "", fullYear},
    {"agenda_start", "yes", anyText},
};

const char* settingKeyName(SettingKey key) { return settingKeys[key].name; }

const char* readKeySetting(SettingKey key) {
    const SettingKeyRow& row = settingKeys[key];
    readSetting(row.name);
    if (!row.usable(settingValue)) copyText(settingValue, sizeof settingValue, row.fallback);
    return settingValue;
}
