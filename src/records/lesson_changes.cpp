// The lesson changes file: a header, then "W<week>D<day>P<period>=<change>" lines. Every
// write copies the file into a new one with the lesson's line replaced (or dropped) and puts
// it in place in one step; lines that cannot be read are copied as they are.
#include "records/lesson_changes.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/slot_lookup.h"
#include "store/data_folder.h"
#include "store/kept_files.h"
#include "store/save_report.h"
#include "store/text_file.h"

static const char fieldLetters[3] = {'C', 'T', 'L'};

static int fieldOfLetter(char c) {
    for (int k = 0; k < 3; k++)
        if (fieldLetters[k] == c) return k;
    return -1;
}

// Reads " <letter><length>:<text>" at *at (the value ends at end) into c; 1 when it is whole and new.
static int parseField(const char** at, const char* end, LessonChange* c) {
    const char* v = *at + 1;
    int k = fieldOfLetter(*v++);
    if (k < 0 || c->changed[k] || *v < '0' || *v > '9') return 0;
    int length = 0;
    for (int digits = 0; *v >= '0' && *v <= '9'; digits++, v++) {
        if (digits == 3) return 0;
        length = length * 10 + (*v - '0');
    }
    if (*v++ != ':' || length > CHANGE_VALUE_LIMIT || end - v < length) return 0;
    memcpy(c->field[k], v, (size_t)length);
    c->field[k][length] = '\0';
    c->changed[k] = 1;
    *at = v + length;
    return 1;
}

int parseLessonChange(const char* value, LessonChange* out) {
    memset(out, 0, sizeof *out);
    if (value[0] != 'X' && value[0] != '-') return 0;
    out->cancelled = value[0] == 'X';
    // The line end the readers leave is no part of the last text.
    const char* end = value + strlen(value);
    if (end > value && end[-1] == '\n') end--;
    const char* at = value + 1;
    while (at < end && *at == ' ')
        if (!parseField(&at, end, out)) break;
    if (at == end) return 1;
    memset(out, 0, sizeof *out);
    return 0;
}

void formatLessonChange(const LessonChange* change, char* out, size_t size) {
    copyText(out, size, change->cancelled ? "X" : "-");
    for (int k = 0; k < 3; k++) {
        if (!change->changed[k]) continue;
        char head[16];
        snprintf(head, sizeof head, " %c%u:", fieldLetters[k], (unsigned)strlen(change->field[k]));
        appendText(out, size, head);
        appendText(out, size, change->field[k]);
    }
}

int lessonChangeAny(const LessonChange* change) {
    return change->cancelled || change->changed[0] || change->changed[1] || change->changed[2];
}

// The value after "key=" of a line as the readers give it, or NULL.
static const char* valueOfLine(const char* line, const char* key) {
    return lineHasKey(line, key) ? line + strlen(key) + 1 : NULL;
}

int readLessonChange(int week, int day, int period, LessonChange* out) {
    char key[32], piece[CHANGE_LINE_LIMIT + 1];
    formatNoteKey(key, sizeof key, week, day, period);
    keptFindLine(dataFilePath(CHANGES_FILE), key, piece, CHANGE_LINE_LIMIT);
    const char* value = valueOfLine(piece, key);
    if (value == NULL) {
        memset(out, 0, sizeof *out);
        return 0;
    }
    return parseLessonChange(value, out);
}

int lessonIsCancelled(int week, int day, int period) {
    LessonChange change;
    return readLessonChange(week, day, period, &change) && change.cancelled;
}

void applyLessonChange(const LessonChange* change, char* const fields[3], const size_t sizes[3]) {
    for (int k = 0; k < 3; k++)
        if (change->changed[k]) copyText(fields[k], sizes[k], change->field[k]);
}

int lookupLessonFields(int week, int day, int period, int colour, char* const fields[3], const size_t sizes[3]) {
    lookupSlotFieldsIn(day, period, colour, fields, sizes);
    LessonChange change;
    if (!readLessonChange(week, day, period, &change)) return 0;
    applyLessonChange(&change, fields, sizes);
    return change.cancelled;
}

struct ChangeRule {
    const char* key;
    const char* value;  // the new record's value; NULL drops the lesson's lines
};

// Every line of the lesson goes; its new record takes the place of the first.
static int replaceLesson(const char* piece, int, Rewrite* r, void* context) {
    ChangeRule* rule = (ChangeRule*)context;
    if (!lineHasKey(piece, rule->key)) return 1;
    if (rule->value != NULL) rewriteRecord(r, rule->key, rule->value);
    rule->value = NULL;
    return 0;
}

// Rewrites the file with the lesson's record (value NULL: without it). 0, or 1 (told).
static int writeLesson(int week, int day, int period, const char* value) {
    char data[sizeof filePath], key[32];
    copyText(data, sizeof data, dataFilePath(CHANGES_FILE));
    formatNoteKey(key, sizeof key, week, day, period);
    if (value == NULL && !platformExists(data)) return 0;
    ChangeRule rule = {key, value};
    Rewrite r;
    int failed = rewriteFileThrough(data, dataFilePath(CHANGES_NEW), CHANGES_HEADER, CHANGE_LINE_LIMIT, replaceLesson,
                                    &rule, &r);
    if (!failed) {
        if (rule.value != NULL) rewriteRecord(&r, key, rule.value);
        failed = rewriteCommit(&r) != 0;
    }
    if (failed) {
        char what[80];
        snprintf(what, sizeof what, "the change of %s, %s", day >= 1 && day <= 6 ? dayNames[day] : "?",
                 period >= 0 && period <= 9 ? periodNames[period] : "?");
        reportSaveFailure(what, 0);
    }
    return failed;
}

int storeLessonChange(int week, int day, int period, int cancelled, const char* const typed[3],
                      const char* const timetable[3]) {
    LessonChange change;
    memset(&change, 0, sizeof change);
    change.cancelled = cancelled != 0;
    for (int k = 0; k < 3; k++) {
        if (strcmp(typed[k], timetable[k]) == 0) continue;
        change.changed[k] = 1;
        copyText(change.field[k], sizeof change.field[k], typed[k]);
    }
    if (!lessonChangeAny(&change)) return removeLessonChange(week, day, period);
    char value[CHANGE_LINE_LIMIT + 1];
    formatLessonChange(&change, value, sizeof value);
    return writeLesson(week, day, period, value);
}

int removeLessonChange(int week, int day, int period) { return writeLesson(week, day, period, NULL); }

struct ChangeVisit {
    void (*each)(int week, int day, int period, const LessonChange* change, void* context);
    void* context;
    LessonChange change;
};

static int visitChange(char* piece, int, void* context) {
    ChangeVisit* visit = (ChangeVisit*)context;
    int week, day, period;
    if (!parseNoteKey(piece, &week, &day, &period)) return 0;
    const char* value = strchr(piece, '=');
    if (value != NULL && parseLessonChange(value + 1, &visit->change))
        visit->each(week, day, period, &visit->change, visit->context);
    return 0;
}

int readAllLessonChanges(void (*each)(int week, int day, int period, const LessonChange* change, void* context),
                         void* context) {
    ChangeVisit visit = {each, context, {}};
    return keptScanLines(dataFilePath(CHANGES_FILE), CHANGE_LINE_LIMIT, visitChange, &visit) == KEPT_READ_FAILED;
}
