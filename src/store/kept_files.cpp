// A few whole files in memory, each with the stamp it had before it was read, this process's
// change count at that time, and an index of its lines by key (the text before the first "=").
// A file too large to keep is read from the disk at every use, as before.
#include "store/kept_files.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_files.h"

// The notes table, the timetable, the settings and the week colours.
// A table a user can fill is about 2 MB with 3,180 lines; a larger file (a damaged or
// hand-made one) is read from the disk at each use rather than held with an index of its lines.
#define KEPT_SIZE_LIMIT ((size_t)8 << 20)
#define KEPT_LINE_LIMIT ((size_t)1 << 18)

struct KeptLine {
    size_t start, length;  // length with the "\n" at its end, when it has one
    size_t keyLength;      // characters before the first "=" of the first piece; NO_KEY when none
};
#define NO_KEY ((size_t)-1)

struct KeptFile {
    int valid;
    char path[260];
    PlatformFileStamp stamp;
    unsigned long changeCount;
    char* text;       // in textBlock, at a 64-byte boundary
    char* textBlock;
    size_t length, textCapacity;
    KeptLine* lines;
    size_t lineCount, lineCapacity;
    size_t* slots;  // open addressing: 1 + the first line of a key, 0 for a free slot
    size_t slotCount, slotCapacity;
    unsigned long lastUse;
};

struct KeptFiles {
    KeptFile files[KEPT_FILE_COUNT];
    unsigned long uses;
    PieceReader reader;
};

static KeptFiles kept;

// A copy read again reuses its memory, in its own place: a fresh 2 MB would cost a page fault
// per 4 kB, and each place would grow to the largest file it ever held.
static void invalidate(KeptFile* k) {
    k->valid = 0;
    k->length = k->lineCount = k->slotCount = 0;
}

void forgetKeptFiles() {
    for (KeptFile& k : kept.files) {
        free(k.textBlock);
        free(k.lines);
        free(k.slots);
        k = KeptFile();
    }
}

void keptFilesOutOfDate() {
    for (KeptFile& k : kept.files) invalidate(&k);
}

// Makes room for need items of unit bytes at *buffer; 0, or 1 when memory runs out.
static int reserve(void** buffer, size_t* capacity, size_t need, size_t unit) {
    if (need <= *capacity) return 0;
    size_t grown = *capacity * 2 > need ? *capacity * 2 : need;
    void* bigger = realloc(*buffer, grown * unit);
    if (bigger == NULL) return 1;
    *buffer = bigger;
    *capacity = grown;
    return 0;
}

// Room for need bytes of text, keeping what it holds. The text starts at a 64-byte boundary:
// the system's copy of a file into memory 16 bytes past a page boundary (where a large block
// from malloc starts) runs eight times slower on the processors measured.
static int reserveText(KeptFile* k, size_t need) {
    if (need <= k->textCapacity) return 0;
    size_t grown = k->textCapacity * 2 > need ? k->textCapacity * 2 : need;
    char* block = (char*)malloc(grown + 64);
    if (block == NULL) return 1;
    char* text = block + ((64 - (uintptr_t)block % 64) % 64);
    if (k->length > 0) memcpy(text, k->text, k->length);
    free(k->textBlock);
    k->textBlock = block;
    k->text = text;
    k->textCapacity = grown;
    return 0;
}

static size_t hashKey(const char* key, size_t length) {
    size_t h = 2166136261u;
    for (size_t i = 0; i < length; i++) h = (h ^ (unsigned char)key[i]) * 16777619u;
    return h;
}

// The first line of the key, or NO_KEY.
static size_t lineOfKey(const KeptFile* k, const char* key, size_t length) {
    for (size_t s = hashKey(key, length) & (k->slotCount - 1);; s = (s + 1) & (k->slotCount - 1)) {
        if (k->slots[s] == 0) return NO_KEY;
        const KeptLine& line = k->lines[k->slots[s] - 1];
        if (line.keyLength == length && memcmp(k->text + line.start, key, length) == 0) return k->slots[s] - 1;
    }
}

// Splits the text into lines, then indexes each key's first line. 0, or 1 when memory runs out
// or the file has more lines than a copy keeps.
static int indexLines(KeptFile* k) {
    for (size_t start = 0; start < k->length;) {
        if (k->lineCount == KEPT_LINE_LIMIT) return 1;
        if (reserve((void**)&k->lines, &k->lineCapacity, k->lineCount + 1, sizeof *k->lines)) return 1;
        const char* lf = (const char*)memchr(k->text + start, '\n', k->length - start);
        size_t length = lf != NULL ? (size_t)(lf - (k->text + start)) + 1 : k->length - start;
        size_t piece = length < TEXT_LINE_LIMIT ? length : TEXT_LINE_LIMIT;
        const char* equals = (const char*)memchr(k->text + start, '=', piece);
        KeptLine line = {start, length, equals != NULL ? (size_t)(equals - (k->text + start)) : NO_KEY};
        k->lines[k->lineCount++] = line;
        start += length;
    }
    size_t slots = 16;
    while (slots < 2 * k->lineCount) slots *= 2;
    if (reserve((void**)&k->slots, &k->slotCapacity, slots, sizeof *k->slots)) return 1;
    k->slotCount = slots;
    memset(k->slots, 0, slots * sizeof *k->slots);
    for (size_t i = 0; i < k->lineCount; i++) {
        const KeptLine& line = k->lines[i];
        if (line.keyLength == NO_KEY || lineOfKey(k, k->text + line.start, line.keyLength) != NO_KEY) continue;
        size_t s = hashKey(k->text + line.start, line.keyLength) & (slots - 1);
        while (k->slots[s] != 0) s = (s + 1) & (slots - 1);
        k->slots[s] = i + 1;
    }
    return 0;
}


// Plain bytes become text in place as the line readers give it: CR LF and a bare CR end a
// line as "\n". Returns the new length.
static size_t joinLineEnds(char* text, size_t n) {
    char* cr = (char*)memchr(text, '\r', n);
    if (cr == NULL) return n;
    size_t o = (size_t)(cr - text), i = o;
    while (i < n) {
        // text[i] is a CR: one "\n" for it and a LF right after it.
        text[o++] = '\n';
        i += i + 1 < n && text[i + 1] == '\n' ? 2 : 1;
        const char* next = (const char*)memchr(text + i, '\r', n - i);
        size_t span = (next != NULL ? (size_t)(next - text) : n) - i;
        memmove(text + o, text + i, span);
        o += span;
        i += span;
    }
    return o;
}

// The text of a file with a byte-order mark, through the line reader from its start.
static KeptRead readMarked(KeptFile* k, FILE* f) {
    rewind(f);
    PieceReader* r = &kept.reader;
    pieceReaderStart(r, f);
    k->length = 0;
    char piece[TEXT_LINE_LIMIT + 1];
    int n;
    while ((n = pieceRead(r, piece, TEXT_LINE_LIMIT)) > 0) {
        if (reserveText(k, k->length + (size_t)n)) return KEPT_NOT_OPENED;
        memcpy(k->text + k->length, piece, (size_t)n);
        k->length += (size_t)n;
    }
    return r->failed ? KEPT_READ_FAILED : KEPT_READ;
}

// The text of the open file f as the line readers give it. KEPT_READ; KEPT_READ_FAILED when a
// read broke off (counted); KEPT_NOT_OPENED when it is too large or memory ran out.
static KeptRead readWhole(KeptFile* k, FILE* f, long long expected) {
    k->length = 0;
    if (reserveText(k, (size_t)expected + 4096)) return KEPT_NOT_OPENED;
    for (;;) {
        if (k->length == k->textCapacity &&
            (k->textCapacity * 2 > KEPT_SIZE_LIMIT || reserveText(k, k->length + 1)))
            return KEPT_NOT_OPENED;
        size_t got = 0;
        if (platformRead(f, k->text + k->length, k->textCapacity - k->length, &got) != 0) {
            noteReadFailure();
            return KEPT_READ_FAILED;
        }
        if (got == 0) break;
        k->length += got;
    }
    if (textHasByteOrderMark(k->text, k->length)) return readMarked(k, f);
    k->length = joinLineEnds(k->text, k->length);
    return KEPT_READ;
}

// The place that held path last, else a place never used, else the one used longest ago.
static KeptFile* placeForCopy(const char* path) {
    KeptFile* oldest = &kept.files[0];
    for (KeptFile& k : kept.files)
        if (strcmp(k.path, path) == 0) return &k;
    for (KeptFile& k : kept.files) {
        if (k.path[0] == '\0') return &k;
        if (k.lastUse < oldest->lastUse) oldest = &k;
    }
    invalidate(oldest);
    return oldest;
}

// The kept copy of the file at path, read again when it may have changed; NULL with *read
// telling why when there is none (KEPT_READ: read it directly, through *f, which is open).
static KeptFile* keptCopy(const char* path, KeptRead* read, FILE** f) {
    *f = NULL;
    *read = KEPT_READ;
    PlatformFileStamp stamp;
    int stamped = platformFileStamp(path, &stamp) == 0;
    KeptFile* k = NULL;
    for (KeptFile& each : kept.files)
        if (each.valid && strcmp(each.path, path) == 0) k = &each;
    if (k != NULL && stamped && platformSameStamp(&k->stamp, &stamp) && k->changeCount == platformChangeCount()) {
        k->lastUse = ++kept.uses;
        return k;
    }
    if (k != NULL) invalidate(k);
    // A file that is not there (an optional one, as the lesson changes) is looked at without an
    // open: a failed open would take the place of the error that a write under way reports.
    if (!stamped && !platformExists(path)) {
        *read = KEPT_NOT_OPENED;
        return NULL;
    }
    unsigned long changeCount = platformChangeCount();
    FILE* file = openToRead(path);
    if (file == NULL) {
        *read = KEPT_NOT_OPENED;
        return NULL;
    }
    int keepable = stamped && (size_t)stamp.size <= KEPT_SIZE_LIMIT && strlen(path) < sizeof k->path;
    k = keepable ? placeForCopy(path) : NULL;
    KeptRead text = k != NULL ? readWhole(k, file, stamp.size) : KEPT_NOT_OPENED;
    if (text == KEPT_READ && indexLines(k) != 0) text = KEPT_NOT_OPENED;
    if (text != KEPT_READ && k != NULL) invalidate(k);
    if (text == KEPT_READ_FAILED) {
        fclose(file);
        *read = KEPT_READ_FAILED;
        return NULL;
    }
    if (text == KEPT_NOT_OPENED) {
        // Too large to keep, or no memory for it: the file itself, from its start.
        rewind(file);
        *f = file;
        return NULL;
    }
    fclose(file);
    copyText(k->path, sizeof k->path, path);
    k->stamp = stamp;
    k->changeCount = changeCount;
    k->lastUse = ++kept.uses;
    k->valid = 1;
    return k;
}

// The first piece of line i, as pieceRead(limit) gives it.
static int pieceOf(const KeptFile* k, size_t i, char* piece, int limit) {
    size_t n = k->lines[i].length < (size_t)limit ? k->lines[i].length : (size_t)limit;
    memcpy(piece, k->text + k->lines[i].start, n);
    piece[n] = '\0';
    return (int)n;
}

struct KeyLookup {
    const char* key;
    char* piece;
    int limit;
};

static int takeKeyLine(char* piece, int n, void* context) {
    KeyLookup* lookup = (KeyLookup*)context;
    if (!lineHasKey(piece, lookup->key)) return 0;
    memcpy(lookup->piece, piece, (size_t)n + 1);
    return 1;
}

// Hands each line's first piece in the copy to visit, until it returns nonzero.
static void visitCopy(const KeptFile* k, int limit, LineVisitor visit, void* context) {
    char piece[TEXT_LINE_LIMIT + 1];
    for (size_t i = 0; i < k->lineCount; i++) {
        int n = pieceOf(k, i, piece, limit);
        if (visit(piece, n, context)) return;
    }
}

KeptRead keptFindLines(const char* path, const char* const keys[], int count, char* const pieces[], int limit) {
    if (limit > TEXT_LINE_LIMIT) limit = TEXT_LINE_LIMIT;
    for (int i = 0; i < count; i++) pieces[i][0] = '\0';
    KeptRead read;
    FILE* f;
    KeptFile* k = keptCopy(path, &read, &f);
    if (k == NULL && f == NULL) return read;
    for (int i = 0; i < count && read == KEPT_READ; i++) {
        size_t length = strlen(keys[i]);
        // A key with "=" in it is never the text before a line's first "=": every line is tried,
        // as every line of a file too large to keep.
        if (k != NULL && memchr(keys[i], '=', length) == NULL) {
            size_t line = lineOfKey(k, keys[i], length);
            if (line != NO_KEY && pieceOf(k, line, pieces[i], limit) > 0 && !lineHasKey(pieces[i], keys[i]))
                pieces[i][0] = '\0';
            continue;
        }
        KeyLookup lookup = {keys[i], pieces[i], limit};
        if (k != NULL) {
            visitCopy(k, limit, takeKeyLine, &lookup);
        } else {
            rewind(f);
            if (scanLines(f, limit, takeKeyLine, &lookup)) read = KEPT_READ_FAILED;
        }
    }
    if (f != NULL) fclose(f);
    return read;
}

KeptRead keptFindLine(const char* path, const char* key, char* piece, int limit) {
    return keptFindLines(path, &key, 1, &piece, limit);
}

KeptRead keptScanLines(const char* path, int limit, LineVisitor visit, void* context) {
    if (limit > TEXT_LINE_LIMIT) limit = TEXT_LINE_LIMIT;
    KeptRead read;
    FILE* f;
    KeptFile* k = keptCopy(path, &read, &f);
    if (k != NULL) {
        visitCopy(k, limit, visit, context);
        return KEPT_READ;
    }
    if (f == NULL) return read;
    int brokeOff = scanLines(f, limit, visit, context);
    fclose(f);
    return brokeOff ? KEPT_READ_FAILED : KEPT_READ;
}
