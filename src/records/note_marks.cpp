// The marks file: a line "W12D4P2=dt 8c1f03a2" per marked note: its key, the letters of its
// marks ("d" done, "t" test) and the FNV-1a hash of the note's stored text in eight hex digits.
// A line that does not read so (a hand edit, a torn copy) is passed over when reading and left
// out at the next set; every line that reads is kept as it was.
#include "records/note_marks.h"

#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/record_keys.h"
#include "store/data_folder.h"
#include "store/kept_files.h"
#include "store/save_report.h"
#include "store/text_file.h"

// Longer than any line that reads ("W53D6P9=dt 0123abcd" with a few blanks after it).
#define MARK_LINE_LIMIT 63

unsigned noteTextHash(const char* storedText) {
    unsigned hash = 2166136261u;
    for (const unsigned char* p = (const unsigned char*)storedText; *p != '\0'; p++) {
        hash ^= *p;
        hash *= 16777619u;
    }
    return hash;
}

static int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct MarkLine {
    char key[16];
    int marks;
    unsigned hash;
};

// Reads the first piece of a line (n characters, as a LineVisitor gets it). 1 when it is a whole
// mark line: a notes key written as the diary writes it, at least one mark letter, one blank,
// eight hex digits, and nothing after them but blanks.
static int parseMarkLine(const char* piece, int n, MarkLine* out) {
    int week, day, period;
    if (!parseNoteKey(piece, &week, &day, &period)) return 0;
    formatNoteKey(out->key, sizeof out->key, week, day, period);
    size_t k = strlen(out->key);
    if (strncmp(piece, out->key, k) != 0 || piece[k] != '=') return 0;
    const char* p = piece + k + 1;
    out->marks = 0;
    for (; *p == 'd' || *p == 't'; p++) out->marks |= *p == 'd' ? MARK_DONE : MARK_TEST;
    if (out->marks == 0 || *p++ != ' ') return 0;
    out->hash = 0;
    for (int i = 0; i < 8; i++, p++) {
        int digit = hexDigit(*p);
        if (digit < 0) return 0;
        out->hash = out->hash << 4 | (unsigned)digit;
    }
    while (*p == ' ' || *p == '\t') p++;
    // The line must end here: its line end, or the end of a last line that fitted the piece.
    const char* end = piece + n;
    return (*p == '\n' && p + 1 == end) || (*p == '\0' && p == end && n < MARK_LINE_LIMIT);
}

struct MarkVisit {
    void (*each)(const char* key, int marks, unsigned hash, void* context);
    void* context;
};

static int visitMarkLine(char* piece, int n, void* context) {
    MarkVisit* visit = (MarkVisit*)context;
    MarkLine line;
    if (parseMarkLine(piece, n, &line)) visit->each(line.key, line.marks, line.hash, visit->context);
    return 0;
}

int readAllMarks(void (*each)(const char* key, int marks, unsigned hash, void* context), void* context) {
    char path[sizeof filePath];
    copyText(path, sizeof path, dataFilePath(MARKS_FILE));
    MarkVisit visit = {each, context};
    KeptRead read = keptScanLines(path, MARK_LINE_LIMIT, visitMarkLine, &visit);
    if (read == KEPT_READ_FAILED) return 1;
    return read == KEPT_NOT_OPENED && platformExists(path);
}

struct MarkLookup {
    const char* key;
    int marks;
    unsigned hash;
};

static void takeMarks(const char* key, int marks, unsigned hash, void* context) {
    MarkLookup* lookup = (MarkLookup*)context;
    if (strcmp(key, lookup->key) != 0) return;
    lookup->marks = marks;
    lookup->hash = hash;
}

int noteMarks(const char* key, const char* storedText) {
    MarkLookup lookup = {key, 0, 0};
    readAllMarks(takeMarks, &lookup);
    return lookup.marks != 0 && lookup.hash == noteTextHash(storedText) ? lookup.marks : 0;
}

struct MarkReplacement {
    const char* key;
    int marks;  // the note's marks after the set; 0 leaves it without a line
    unsigned hash;
    int written;
};

static void writeMarkLine(Rewrite* r, const MarkReplacement* m) {
    char value[24];
    snprintf(value, sizeof value, "%s%s %08x", m->marks & MARK_DONE ? "d" : "", m->marks & MARK_TEST ? "t" : "",
             m->hash);
    rewriteRecord(r, m->key, value);
}

// Keeps each line that reads, but the key's own lines: the first of them gives way to the new
// line, the others go.
static int replaceMarkLine(const char* piece, int n, Rewrite* r, void* context) {
    MarkReplacement* m = (MarkReplacement*)context;
    MarkLine line;
    if (!parseMarkLine(piece, n, &line)) return 0;
    if (strcmp(line.key, m->key) != 0) return 1;
    if (!m->written && m->marks != 0) writeMarkLine(r, m);
    m->written = 1;
    return 0;
}

// Writes the marks file anew with the key's line replaced. 0, or 1 when nothing was written.
static int rewriteMarks(MarkReplacement* m) {
    char data[sizeof filePath], fresh[sizeof filePath];
    copyText(data, sizeof data, dataFilePath(MARKS_FILE));
    copyText(fresh, sizeof fresh, dataFilePath(MARKS_NEW));
    Rewrite r;
    if (rewriteFileThrough(data, fresh, NULL, MARK_LINE_LIMIT, replaceMarkLine, m, &r) != 0) return 1;
    if (!m->written && m->marks != 0) writeMarkLine(&r, m);
    return rewriteCommit(&r);
}

int setNoteMark(const char* key, const char* storedText, int mark, int on) {
    int marks = noteMarks(key, storedText);
    marks = on ? marks | mark : marks & ~mark;
    MarkReplacement m = {key, marks & (MARK_DONE | MARK_TEST), noteTextHash(storedText), 0};
    platformClearError();
    if (rewriteMarks(&m) == 0) return 0;
    reportSaveFailure("the done and test marks", 1);
    return 1;
}
