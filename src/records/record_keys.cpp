// Formatting and reading of the table keys; see record_keys.h for the formats.
#include "records/record_keys.h"

#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"

char slotFieldLetter(SlotField field) {
    static const char letters[3] = {'C', 'T', 'L'};
    return letters[field];
}

void formatNoteKey(char* out, size_t size, int week, int day, int period) {
    snprintf(out, size, "W%dD%dP%d", week, day, period);
}

void formatSlotKey(char* out, size_t size, int day, int period, SlotField field, int colour) {
    // A colour outside 0..4 (a hand-edited week colours file) is a plain week, for the
    // reader and the writer alike.
    if (colour >= 1 && colour <= 4) snprintf(out, size, "D%dP%d%c|%d", day, period, slotFieldLetter(field), colour);
    else snprintf(out, size, "D%dP%d%c", day, period, slotFieldLetter(field));
}

// A bounded decimal number at *p (kept below 10000); -1 when there is no digit.
static int readNumber(const char** p) {
    if (**p < '0' || **p > '9') return -1;
    int value = 0;
    while (**p >= '0' && **p <= '9') {
        if (value < 1000) value = value * 10 + (**p - '0');
        (*p)++;
    }
    return value;
}

int parseNoteKey(const char* line, int* week, int* day, int* period) {
    const char* p = line;
    if (*p++ != 'W') return 0;
    *week = readNumber(&p);
    if (*p++ != 'D') return 0;
    *day = readNumber(&p);
    if (*p++ != 'P') return 0;
    *period = readNumber(&p);
    if (*p != '=') return 0;
    return *week >= 1 && *week <= 53 && *day >= 1 && *day <= 6 && *period >= 0 && *period <= 9;
}

int parseSlotKey(const char* key, int* day, int* period, SlotField* field) {
    const char* p = key;
    if (*p++ != 'D') return 0;
    *day = readNumber(&p);
    if (*p++ != 'P') return 0;
    *period = readNumber(&p);
    if (*p == 'C') *field = SLOT_COURSE;
    else if (*p == 'T') *field = SLOT_TEACHER;
    else if (*p == 'L') *field = SLOT_CLASSROOM;
    else return 0;
    p++;
    if (*p == '|') {
        p++;
        int colour = readNumber(&p);
        if (colour < 1 || colour > 4) return 0;
    }
    if (*p != '\0' && *p != '=') return 0;
    return *day >= 1 && *day <= 6 && *period >= 0 && *period <= 9;
}

int parseSlotRecord(const char* line, int* day, int* period, SlotField* field, int* colour) {
    *colour = 0;
    if (!parseSlotKey(line, day, period, field)) return 0;
    const char* p = strchr(line, '=');
    const char* bar = strchr(line, '|');
    if (p == NULL) return 0;  // a record line always has its "="
    if (bar != NULL && bar < p) {
        // The suffix is written "%u": a leading zero names no key of the table.
        if (bar[1] == '0') return 0;
        *colour = leadingNumber(bar + 1);
    }
    return 1;
}
