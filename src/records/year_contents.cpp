// One read of each table file: the text is kept whole and every record's value is cut in place
// at its line end, so that a lookup is an array index instead of a file scan.
#include "records/year_contents.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/lesson_changes.h"
#include "records/rotation_rule.h"
#include "records/week_colours.h"
#include "store/data_folder.h"
#include "store/table_store.h"
#include "store/text_file.h"

// A get copies a value into the 512-byte valueBuffer.
#define VALUE_LIMIT 511

// The whole file as a terminated text; "" (allocated) when it is missing. NULL when out of memory.
static char* readWholeFile(const char* name) {
    FILE* f = openToRead(dataFilePath(name));
    size_t size = 0, capacity = 1 << 16;
    char* text = (char*)malloc(capacity + 1);
    if (text == NULL) {
        if (f != NULL) fclose(f);
        return NULL;
    }
    while (f != NULL) {
        if (size == capacity) {
            char* bigger = (char*)realloc(text, capacity * 2 + 1);
            if (bigger == NULL) {
                free(text);
                fclose(f);
                return NULL;
            }
            text = bigger;
            capacity *= 2;
        }
        size_t got = 0;
        // A read that breaks off counts, so that nothing is written from a part of the file.
        if (platformRead(f, text + size, capacity - size, &got) != 0) noteReadFailure();
        if (got == 0) break;
        size += got;
    }
    if (f != NULL) fclose(f);
    text[size] = '\0';
    return text;
}

// Calls take(line) for each line of text with its line end (LF, or CR LF) cut off.
template <typename Take>
static void forEachLine(char* text, Take take) {
    char* line = text;
    while (*line != '\0') {
        char* lf = strchr(line, '\n');
        char* next = lf != NULL ? lf + 1 : line + strlen(line);
        if (lf != NULL) {
            *lf = '\0';
            if (lf > line && lf[-1] == '\r') lf[-1] = '\0';
        }
        take(line);
        line = next;
    }
}

// The value after "key=" of a line whose key is exactly the one formatted back; NULL otherwise.
static char* valueOf(char* line, const char* key) {
    size_t k = strlen(key);
    if (strncmp(line, key, k) != 0 || line[k] != '=') return NULL;
    char* value = line + k + 1;
    if (strlen(value) > VALUE_LIMIT) value[VALUE_LIMIT] = '\0';
    return value;
}

static void indexTimetable(YearContents* s) {
    forEachLine(s->timetableText, [s](char* line) {
        int day, period, colour;
        SlotField field;
        if (!parseSlotRecord(line, &day, &period, &field, &colour)) return;
        char key[32];
        formatSlotKey(key, sizeof key, day, period, field, colour);
        char* value = valueOf(line, key);
        const char** cell = &s->slot[day][period][field][colour];
        if (value != NULL && *cell == NULL) *cell = value;  // the first record wins, as in a get
    });
}

static void indexNotes(YearContents* s) {
    forEachLine(s->notesText, [s](char* line) {
        int week, day, period;
        if (!parseNoteKey(line, &week, &day, &period)) return;
        char key[32];
        formatNoteKey(key, sizeof key, week, day, period);
        char* value = valueOf(line, key);
        const char** cell = &s->note[week][day][period];
        if (value != NULL && *cell == NULL) *cell = value;
    });
}

// Keyed like the notes; a line whose key appears twice: the first wins, as in a lookup.
static void indexChanges(YearContents* s) {
    forEachLine(s->changesText, [s](char* line) {
        int week, day, period;
        if (!parseNoteKey(line, &week, &day, &period)) return;
        char key[32];
        formatNoteKey(key, sizeof key, week, day, period);
        const char* value = strncmp(line, key, strlen(key)) == 0 && line[strlen(key)] == '=' ? line + strlen(key) + 1 : NULL;
        const char** cell = &s->change[week][day][period];
        if (value != NULL && *cell == NULL) *cell = value;
    });
}

// "week=colour" lines after the header; the last line of a week wins, as in readWeekColour.
static int readColours(YearContents* s) {
    char* text = readWholeFile(WEEKS_FILE);
    if (text == NULL) return 1;
    forEachLine(text, [s](char* line) {
        int week = leadingNumber(line);
        if (week < 1 || week > 53) return;
        char pattern[16];
        snprintf(pattern, sizeof pattern, "%d=", week);
        size_t k = strlen(pattern);
        if (strncmp(line, pattern, k) != 0) return;
        // A hand-edited colour outside 0..4 is a plain week, as everywhere.
        int colour = leadingNumber(line + k);
        s->weekColour[week] = colour >= 0 && colour <= WEEK_COLOUR_MAX ? colour : 0;
    });
    free(text);
    return 0;
}

static int loadContents(YearContents* s, int withNotes) {
    memset(s, 0, sizeof *s);
    s->timetableText = readWholeFile(TIMETABLE_TABLE ".data");
    s->notesText = withNotes ? readWholeFile(NOTES_TABLE ".data") : NULL;
    s->changesText = readWholeFile(CHANGES_FILE);
    if (s->timetableText == NULL || (withNotes && s->notesText == NULL) || s->changesText == NULL ||
        readColours(s) != 0) {
        freeYearContents(s);
        return 1;
    }
    indexTimetable(s);
    indexChanges(s);
    if (withNotes) indexNotes(s);
    RotationRule rule;
    loadRotationRule(&rule);
    memcpy(s->holiday, rule.holiday, sizeof s->holiday);
    return 0;
}

int loadYearContents(YearContents* s) { return loadContents(s, 1); }

int loadYearTimetable(YearContents* s) { return loadContents(s, 0); }

void freeYearContents(YearContents* s) {
    free(s->timetableText);
    free(s->notesText);
    free(s->changesText);
    s->timetableText = NULL;
    s->notesText = NULL;
    s->changesText = NULL;
}

static const char* orEmpty(const char* value) { return value != NULL ? value : ""; }

const char* yearSlotField(const YearContents* s, int day, int period, SlotField field, int colour,
                              int useDefaults) {
    if (day < 1 || day > 6 || period < 0 || period > 9) return "";
    const char* const* cells = s->slot[day][period][field];
    // A colour outside 0..4 (a file edited by hand) names keys that are never written.
    const char* value = colour <= 0 ? orEmpty(cells[0]) : colour <= 4 ? orEmpty(cells[colour]) : "";
    if (value[0] == '\0' && useDefaults == 1) value = orEmpty(cells[0]);
    return value;
}

const char* yearChange(const YearContents* s, int week, int day, int period) {
    if (week < 1 || week > 53 || day < 1 || day > 6 || period < 0 || period > 9) return "";
    return orEmpty(s->change[week][day][period]);
}

const char* yearNote(const YearContents* s, int week, int day, int period) {
    if (week < 1 || week > 53 || day < 1 || day > 6 || period < 0 || period > 9) return "";
    return orEmpty(s->note[week][day][period]);
}
