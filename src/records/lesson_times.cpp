// Lesson times in the settings file: one key per row holding ten comma-separated periods,
// each "HH:MM-HH:MM" or empty, e.g. "08:00-08:50,08:55-09:45,,,,,,,,". An empty or missing
// day key means the day follows the common row; a marked day always has nine commas at least.
#include "records/lesson_times.h"

#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "records/setting_keys.h"
#include "records/settings.h"
#include "store/save_report.h"
#include "store/text_file.h"

// No key is the start of another: a settings set replaces every line that starts with its key.
static SettingKey rowKey(int row) { return (SettingKey)(KEY_LESSON_TIMES_ALL + row); }

static const char* skipBlanks(const char* p) {
    while (*p == ' ' || *p == '\t') p++;
    return p;
}

// Reads a clock time at *p and moves past it; -1 when there is none.
static int readClockTime(const char** p) {
    const char* q = skipBlanks(*p);
    int hours = 0, digits = 0;
    while (*q >= '0' && *q <= '9' && digits < 3) hours = hours * 10 + (*q++ - '0'), digits++;
    if (digits < 1 || digits > 2 || *q++ != ':') return -1;
    if (q[0] < '0' || q[0] > '9' || q[1] < '0' || q[1] > '9') return -1;
    int minutes = (q[0] - '0') * 10 + (q[1] - '0');
    q += 2;
    if (hours > 23 || minutes > 59) return -1;
    *p = skipBlanks(q);
    return hours * 60 + minutes;
}

int parseClockTime(const char* text) {
    const char* p = text;
    int minutes = readClockTime(&p);
    return minutes >= 0 && *p == '\0' ? minutes : -1;
}

void formatClockTime(char* out, size_t size, int minutes) {
    snprintf(out, size, "%02d:%02d", minutes / 60 % 100, minutes % 60);
}

static void clearRow(LessonTimes* t, int row) {
    for (int p = 0; p < 10; p++) t->start[row][p] = t->end[row][p] = LESSON_NONE;
}

// One stored period "HH:MM-HH:MM" between p and its comma; sets nothing when malformed.
static void parsePeriod(const char* p, const char* stop, int* start, int* end) {
    int s = readClockTime(&p);
    if (s < 0 || *p++ != '-') return;
    int e = readClockTime(&p);
    if (e < 0 || p != stop || e <= s) return;
    *start = s;
    *end = e;
}

static void parseRow(LessonTimes* t, int row, const char* value) {
    clearRow(t, row);
    const char* p = value;
    for (int period = 0; period < 10 && *p != '\0'; period++) {
        const char* comma = strchr(p, ',');
        const char* stop = comma != NULL ? comma : p + strlen(p);
        parsePeriod(p, stop, &t->start[row][period], &t->end[row][period]);
        if (comma == NULL) break;
        p = comma + 1;
    }
}

void loadLessonTimes(LessonTimes* t) {
    memset(t, 0, sizeof *t);
    for (int row = 0; row < LESSON_ROWS; row++) {
        const char* value = readKeySetting(rowKey(row));
        if (row > 0) t->ownTimes[row] = value[0] != '\0';
        parseRow(t, row, value);
    }
}

int lessonRowOfDay(const LessonTimes* t, int day) {
    return day >= 1 && day <= 6 && t->ownTimes[day] ? day : 0;
}

int lessonTimesAny(const LessonTimes* t) {
    for (int day = 1; day <= 6; day++) {
        int row = lessonRowOfDay(t, day);
        for (int p = 0; p < 10; p++)
            if (t->start[row][p] != LESSON_NONE) return 1;
    }
    return 0;
}

static int isBlank(const char* text) { return *skipBlanks(text) == '\0'; }

static int fail(LessonTimeError* error, int period, int isEnd, const char* message) {
    error->period = period;
    error->isEnd = isEnd;
    copyText(error->message, sizeof error->message, message);
    return 1;
}

// Reads one typed period; 0, or 1 with the fault.
static int checkPeriod(int p, const char* startText, const char* endText, int* start, int* end,
                       LessonTimeError* error) {
    char message[200];
    *start = *end = LESSON_NONE;
    if (isBlank(startText) && isBlank(endText)) return 0;
    const char* const texts[2] = {startText, endText};
    int minutes[2];
    for (int i = 0; i < 2; i++) {
        if (isBlank(texts[i])) {
            snprintf(message, sizeof message, "Period %d: the %s time is missing. Give both times, or leave both empty.",
                     p + 1, i == 0 ? "start" : "end");
            return fail(error, p, i, message);
        }
        minutes[i] = parseClockTime(texts[i]);
        if (minutes[i] < 0) {
            snprintf(message, sizeof message, "Period %d: \"%.20s\" is not a time of day. Type it as HH:MM, from 00:00 to 23:59.",
                     p + 1, texts[i]);
            return fail(error, p, i, message);
        }
    }
    if (minutes[1] <= minutes[0]) {
        snprintf(message, sizeof message, "Period %d: the lesson must end after it starts.", p + 1);
        return fail(error, p, 1, message);
    }
    *start = minutes[0];
    *end = minutes[1];
    return 0;
}

int checkLessonRow(const char* const startTexts[10], const char* const endTexts[10], int start[10], int end[10],
                   LessonTimeError* error) {
    for (int p = 0; p < 10; p++)
        if (checkPeriod(p, startTexts[p], endTexts[p], &start[p], &end[p], error) != 0) return 1;
    // Lessons may touch (one ends at 09:00, the next starts at 09:00) but not overlap.
    for (int p = 0; p < 10; p++) {
        for (int q = 0; q < p; q++) {
            if (start[p] == LESSON_NONE || start[q] == LESSON_NONE) continue;
            if (start[p] < end[q] && start[q] < end[p]) {
                char message[200];
                snprintf(message, sizeof message, "Period %d overlaps Period %d: a lesson must not start before the other one ends.",
                         p + 1, q + 1);
                return fail(error, p, 0, message);
            }
        }
    }
    return 0;
}

// The stored text of a row: ten periods and nine commas.
static void formatRow(const LessonTimes* t, int row, char* out, size_t size) {
    out[0] = '\0';
    for (int p = 0; p < 10; p++) {
        if (p > 0) appendText(out, size, ",");
        if (t->start[row][p] == LESSON_NONE || t->end[row][p] == LESSON_NONE) continue;
        char period[16], from[8], to[8];
        formatClockTime(from, sizeof from, t->start[row][p]);
        formatClockTime(to, sizeof to, t->end[row][p]);
        snprintf(period, sizeof period, "%s-%s", from, to);
        appendText(out, size, period);
    }
}

int saveLessonTimes(const LessonTimes* t) {
    // The rows that change, in one rewrite: a set of times is stored whole or not at all.
    char values[LESSON_ROWS][160];
    const char* keys[LESSON_ROWS];
    const char* changed[LESSON_ROWS];
    int count = 0;
    for (int row = 0; row < LESSON_ROWS; row++) {
        if (row == 0 || t->ownTimes[row]) formatRow(t, row, values[row], sizeof values[row]);
        else values[row][0] = '\0';
        if (strcmp(readKeySetting(rowKey(row)), values[row]) == 0) continue;
        keys[count] = settingKeyName(rowKey(row));
        changed[count++] = values[row];
    }
    if (count == 0 || writeSettings(keys, changed, count)) return 0;
    reportSaveFailure("the lesson times", 1);
    return 1;
}
