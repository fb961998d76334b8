// A few whole files in memory, each with the stamp it had before it was read, this process's
// change count at that time, and an index of its lines by key (the text before the first "=").
// A file too large to keep is read from the disk at every use, as before.
#include "storage/kept_files.h"

#include <cstdlib>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"

// The notes table, the timetable, the settings and the week colours.
#define KEPT_FILES 4
// A table a user can fill is about 2 MB.
#define KEPT_SIZE_LIMIT ((size_t)32 << 20)

struct KeptLine {
    size_t start, length;  // length with the "\n" at its end, when it has one
    size_t keyLength;      // characters before the first "=" of the first piece; NO_KEY when none
};
#define NO_KEY ((size_t)-1)

struct KeptFile {
    char path[260];
    PlatformFileStamp stamp;
    unsigned long changeCount;
    char* text;
    size_t length;
    KeptLine* lines;
    size_t lineCount;
    size_t* slots;  // open addressing: 1 + the first line of a key, 0 for a free slot
    size_t slotCount;
    unsigned long lastUse;
};

struct KeptFiles {
    KeptFile files[KEPT_FILES];
    unsigned long uses;
    PieceReader reader;
};

static KeptFiles kept;

static void drop(KeptFile* k) {
    free(k->text);
    free(k->lines);
    free(k->slots);
    *k = KeptFile();
}

void forgetKeptFiles() {
    for (KeptFile& k : kept.files) drop(&k);
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

// Splits the text into lines and indexes each key's first line. 0, or 1 when memory runs out.
static int indexLines(KeptFile* k) {
    size_t count = 0;
    for (size_t i = 0; i < k->length; i++) count += k->text[i] == '\n';
    count += k->length > 0 && k->text[k->length - 1] != '\n';
    size_t slots = 16;
    while (slots < 2 * count) slots *= 2;
    k->lines = (KeptLine*)malloc((count > 0 ? count : 1) * sizeof *k->lines);
    k->slots = (size_t*)calloc(slots, sizeof *k->slots);
    if (k->lines == NULL || k->slots == NULL) return 1;
    k->slotCount = slots;
    for (size_t start = 0; start < k->length; k->lineCount++) {
        const char* lf = (const char*)memchr(k->text + start, '\n', k->length - start);
        size_t length = lf != NULL ? (size_t)(lf - (k->text + start)) + 1 : k->length - start;
        size_t piece = length < TEXT_LINE_LIMIT ? length : TEXT_LINE_LIMIT;
        const char* equals = (const char*)memchr(k->text + start, '=', piece);
        KeptLine line = {start, length, equals != NULL ? (size_t)(equals - (k->text + start)) : NO_KEY};
        k->lines[k->lineCount] = line;
        if (line.keyLength != NO_KEY && lineOfKey(k, k->text + start, line.keyLength) == NO_KEY) {
            size_t s = hashKey(k->text + start, line.keyLength) & (slots - 1);
            while (k->slots[s] != 0) s = (s + 1) & (slots - 1);
            k->slots[s] = k->lineCount + 1;
        }
        start += length;
    }
    return 0;
}

// The text of the open file f as the line readers give it. KEPT_READ; KEPT_READ_FAILED when a
// read broke off; KEPT_NOT_OPENED when it is too large or memory ran out (read it directly).
static KeptRead readWhole(KeptFile* k, FILE* f) {
    PieceReader* r = &kept.reader;
    pieceReaderStart(r, f);
    size_t capacity = 1 << 16;
    k->text = (char*)malloc(capacity);
    char piece[TEXT_LINE_LIMIT + 1];
    int n;
    while (k->text != NULL && (n = pieceRead(r, piece, TEXT_LINE_LIMIT)) > 0) {
        if (k->length + (size_t)n > capacity) {
            char* bigger = capacity * 2 > KEPT_SIZE_LIMIT ? NULL : (char*)realloc(k->text, capacity * 2);
            if (bigger == NULL) return KEPT_NOT_OPENED;
            k->text = bigger;
            capacity *= 2;
        }
        memcpy(k->text + k->length, piece, (size_t)n);
        k->length += (size_t)n;
    }
    if (k->text == NULL) return KEPT_NOT_OPENED;
    return r->failed ? KEPT_READ_FAILED : KEPT_READ;
}

static KeptFile* placeForCopy() {
    KeptFile* oldest = &kept.files[0];
    for (KeptFile& k : kept.files) {
        if (k.text == NULL) return &k;
        if (k.lastUse < oldest->lastUse) oldest = &k;
    }
    drop(oldest);
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
        if (each.text != NULL && strcmp(each.path, path) == 0) k = &each;
    if (k != NULL && stamped && platformSameStamp(&k->stamp, &stamp) && k->changeCount == platformChangeCount()) {
        k->lastUse = ++kept.uses;
        return k;
    }
    if (k != NULL) drop(k);
    unsigned long changeCount = platformChangeCount();
    FILE* file = openToRead(path);
    if (file == NULL) {
        *read = KEPT_NOT_OPENED;
        return NULL;
    }
    int keepable = stamped && (size_t)stamp.size <= KEPT_SIZE_LIMIT && strlen(path) < sizeof k->path;
    k = keepable ? placeForCopy() : NULL;
    KeptRead text = k != NULL ? readWhole(k, file) : KEPT_NOT_OPENED;
    if (text == KEPT_READ && indexLines(k) != 0) text = KEPT_NOT_OPENED;
    if (text != KEPT_READ && k != NULL) drop(k);
    if (text == KEPT_READ_FAILED) {
        fclose(file);
        *read = KEPT_READ_FAILED;
        return NULL;
    }
    if (text == KEPT_NOT_OPENED) {
        rewind(file);
        *f = file;
        return NULL;
    }
    fclose(file);
    copyText(k->path, sizeof k->path, path);
    k->stamp = stamp;
    k->changeCount = changeCount;
    k->lastUse = ++kept.uses;
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

KeptRead keptFindLine(const char* path, const char* key, char* piece, int limit) {
    piece[0] = '\0';
    size_t length = strlen(key);
    // A key with "=" in it is never the text before a line's first "=": every line is tried.
    if (memchr(key, '=', length) != NULL) {
        KeyLookup lookup = {key, piece, limit};
        return keptScanLines(path, limit, takeKeyLine, &lookup);
    }
    KeptRead read;
    FILE* f;
    KeptFile* k = keptCopy(path, &read, &f);
    if (k != NULL) {
        size_t i = lineOfKey(k, key, length);
        if (i != NO_KEY && pieceOf(k, i, piece, limit) > 0 && !lineHasKey(piece, key)) piece[0] = '\0';
        return KEPT_READ;
    }
    if (f == NULL) return read;
    KeyLookup lookup = {key, piece, limit};
    int brokeOff = scanLines(f, limit, takeKeyLine, &lookup);
    fclose(f);
    return brokeOff ? KEPT_READ_FAILED : KEPT_READ;
}

KeptRead keptScanLines(const char* path, int limit, LineVisitor visit, void* context) {
    if (limit > TEXT_LINE_LIMIT) limit = TEXT_LINE_LIMIT;
    KeptRead read;
    FILE* f;
    KeptFile* k = keptCopy(path, &read, &f);
    if (k != NULL) {
        char piece[TEXT_LINE_LIMIT + 1];
        for (size_t i = 0; i < k->lineCount; i++) {
            int n = pieceOf(k, i, piece, limit);
            if (visit(piece, n, context)) break;
        }
        return KEPT_READ;
    }
    if (f == NULL) return read;
    int brokeOff = scanLines(f, limit, visit, context);
    fclose(f);
    return brokeOff ? KEPT_READ_FAILED : KEPT_READ;
}
