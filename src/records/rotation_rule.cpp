// The week rotation rule: the holiday list parser, the cycle's settings text, and the three
// settings keys that keep the rule between runs.
#include "records/rotation_rule.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "records/setting_keys.h"
#include "records/settings.h"


static int isSeparator(char c) { return c == ',' || c == ';' || c == ' ' || c == '\t'; }

// Place of week w in the school year that starts in firstWeek: 0 for firstWeek, 52 for the
// week before it (53 numbers, since a year may have a week 53).
static int placeInYear(int week, int firstWeek) { return (week - firstWeek + 53) % 53; }

// Reads the number at *p (digits only). 1 when there is one, with its value (capped) in *out.
static int readWeekNumber(const char** p, long* out) {
    if (!isdigit((unsigned char)**p)) return 0;
    long n = 0;
    while (isdigit((unsigned char)**p)) {
        if (n < 1000) n = n * 10 + (**p - '0');
        (*p)++;
    }
    *out = n;
    return 1;
}

static void skipBlanks(const char** p) {
    while (**p == ' ' || **p == '\t') (*p)++;
}

// The item that starts at p, cut at its separator, for a message.
static void quoteItem(const char* p, char* out, int size) {
    int n = 0;
    while (p[n] != '\0' && p[n] != ',' && p[n] != ';' && n < 30) n++;
    int cut = n == 30 && p[n] != '\0' && p[n] != ',' && p[n] != ';';
    while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\t')) n--;
    snprintf(out, (size_t)size, "%.*s%s", n, p, cut ? "..." : "");
}

static int badWeek(long week, char* message, int size) {
    snprintf(message, (size_t)size, "Week %ld does not exist: weeks run from 1 to 53.", week);
    return 1;
}

// One item "a" or "a-b" at *p; marks its weeks. 0, or 1 with the message.
static int parseItem(const char** p, int firstWeek, unsigned char holiday[54], char* message, int size) {
    const char* start = *p;
    long from = 0, to = 0;
    int ok = readWeekNumber(p, &from);
    to = from;
    skipBlanks(p);
    if (ok && **p == '-') {
        (*p)++;
        skipBlanks(p);
        ok = readWeekNumber(p, &to);
        skipBlanks(p);
    }
    if (!ok || (**p != '\0' && !isSeparator(**p))) {
        char item[40];
        quoteItem(start, item, sizeof item);
        snprintf(message, (size_t)size, "\"%s\" is not a week number or a range of weeks such as 15-16.", item);
        return 1;
    }
    if (from < 1 || from > 53) return badWeek(from, message, size);
    if (to < 1 || to > 53) return badWeek(to, message, size);
    int a = placeInYear((int)from, firstWeek), b = placeInYear((int)to, firstWeek);
    if (a > b) {
        snprintf(message, (size_t)size,
                 "The range %ld-%ld runs backwards: the school year starts in week %d.", from, to, firstWeek);
        return 1;
    }
    for (int i = a; i <= b; i++) holiday[(firstWeek - 1 + i) % 53 + 1] = 1;
    return 0;
}

int parseHolidayList(const char* text, int firstWeek, unsigned char holiday[54], char* message, int size) {
    memset(holiday, 0, 54);
    message[0] = '\0';
    if (firstWeek < 1 || firstWeek > 53) return badWeek(firstWeek, message, size);
    if (strlen(text) >= ROTATION_HOLIDAYS_SIZE) {
        snprintf(message, (size_t)size, "The list of holiday weeks is too long (at most %d characters).",
                 ROTATION_HOLIDAYS_SIZE - 1);
        return 1;
    }
    const char* p = text;
    while (*p != '\0') {
        if (isSeparator(*p)) {
            p++;
            continue;
        }
        if (parseItem(&p, firstWeek, holiday, message, size) != 0) {
            memset(holiday, 0, 54);
            return 1;
        }
    }
    return 0;
}

void formatCycle(const int* cycle, int length, char* out, int size) {
    out[0] = '\0';
    for (int i = 0; i < length && i < ROTATION_MAX_CYCLE; i++) {
        char item[8];
        snprintf(item, sizeof item, i == 0 ? "%d" : ",%d", cycle[i]);
        appendText(out, (size_t)size, item);
    }
}

int parseCycle(const char* text, int cycle[ROTATION_MAX_CYCLE]) {
    int n = 0;
    for (const char* p = text; *p != '\0' && n < ROTATION_MAX_CYCLE; p++) {
        if (*p >= '0' && *p <= '4' && (p[1] == '\0' || p[1] == ',')) cycle[n++] = *p - '0';
        else if (*p != ',') return 0;
    }
    return n;
}

int loadRotationRule(RotationRule* rule) {
    memset(rule, 0, sizeof *rule);
    rule->cycleLength = parseCycle(readKeySetting(KEY_ROTATION_CYCLE), rule->cycle);
    rule->firstWeek = leadingNumber(readKeySetting(KEY_ROTATION_FIRST));
    copyText(rule->holidayText, sizeof rule->holidayText, readKeySetting(KEY_ROTATION_HOLIDAYS));
    char message[ROTATION_MESSAGE_SIZE];
    return parseHolidayList(rule->holidayText, rule->firstWeek, rule->holiday, message, sizeof message);
}

int saveRotationRule(const RotationRule* rule, const char* notesYear) {
    char cycle[32], first[16];
    formatCycle(rule->cycle, rule->cycleLength, cycle, sizeof cycle);
    snprintf(first, sizeof first, "%d", rule->firstWeek);
    // The rotation's first week starts the school year too, when a school year can start there.
    const char* const keys[] = {settingKeyName(KEY_ROTATION_CYCLE), settingKeyName(KEY_ROTATION_FIRST),
                                settingKeyName(KEY_ROTATION_HOLIDAYS), settingKeyName(KEY_SCHOOL_YEAR_START),
                                settingKeyName(KEY_NOTES_YEAR)};
    const char* const values[] = {cycle, first, rule->holidayText, first, notesYear};
    int count = rule->firstWeek > 52 ? 3 : (notesYear != NULL && notesYear[0] != '\0' ? 5 : 4);
    return writeSettings(keys, values, count) ? 0 : 1;
}

int rotationRuleKept() {
    int cycle[ROTATION_MAX_CYCLE];
    return parseCycle(readSetting(settingKeyName(KEY_ROTATION_CYCLE)), cycle) > 0;
}
