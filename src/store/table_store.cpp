// The keyed table store: one text file of key=value lines per table. A get looks the key up in
// the table's copy kept in memory (kept_files);
// a set keeps the old file as "<table>.tmp", writes the new one beside it and replaces the
// table in one step; a create empties the table the same way.
#include "store/table_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/kept_files.h"
#include "store/save_report.h"
#include "store/text_file.h"

char valueBuffer[512];

#define LINE_LIMIT 1023

// The table store's own state beside valueBuffer: whether the last get found its table but
// could not read it.
struct TableStore {
    int getFailed;
};

static TableStore tableStore;

struct TablePaths {
    char data[sizeof filePath];      // "<table>.data"
    char previous[sizeof filePath];  // "<table>.tmp": the table before its last set
    char fresh[sizeof filePath];     // "<table>.new": the new version while it is written
};

static void tablePaths(const char* table, TablePaths* p) {
    char name[128];
    snprintf(name, sizeof name, "%s.data", table);
    copyText(p->data, sizeof p->data, dataFilePath(name));
    snprintf(name, sizeof name, "%s.new", table);
    copyText(p->fresh, sizeof p->fresh, dataFilePath(name));
    snprintf(name, sizeof name, "%s.tmp", table);
    copyText(p->previous, sizeof p->previous, dataFilePath(name));
}

// The value of a record's first piece into out (cut to size), without its line break.
static void takeRecordValue(const char* line, const char* key, char* out, size_t size) {
    copyText(out, size < sizeof valueBuffer ? size : sizeof valueBuffer, line + strlen(key) + 1);
    size_t len = strlen(out);
    if (len > 0 && out[len - 1] == '\n') out[len - 1] = '\0';
}

// A key with a line feed, or too long for a line's first piece, is never found.
static int tableGet(const char* table, const char* key) {
    valueBuffer[0] = '\0';
    tableStore.getFailed = 0;
    if (strchr(key, '\n') != NULL || strlen(key) + 1 > LINE_LIMIT) return 0;
    TablePaths p;
    tablePaths(table, &p);
    char line[LINE_LIMIT + 1];
    KeptRead read = keptFindLine(p.data, key, line, LINE_LIMIT);
    if (read == KEPT_NOT_OPENED) {
        tableStore.getFailed = p.data[0] != '\0' && platformExists(p.data);
        return 0;
    }
    tableStore.getFailed = read == KEPT_READ_FAILED;
    if (line[0] != '\0') takeRecordValue(line, key, valueBuffer, sizeof valueBuffer);
    return 0;
}

void tableGetMany(const char* table, const char* const keys[], int count, char* const values[], const size_t sizes[]) {
    if (count > TABLE_GET_MANY) count = TABLE_GET_MANY;
    const char* asked[TABLE_GET_MANY];
    char lines[TABLE_GET_MANY][LINE_LIMIT + 1];
    char* pieces[TABLE_GET_MANY];
    int slot[TABLE_GET_MANY], n = 0;
    for (int i = 0; i < count; i++) {
        if (sizes[i] == 0) continue;
        values[i][0] = '\0';
        // A key that a single get would refuse stays absent.
        if (strchr(keys[i], '\n') != NULL || strlen(keys[i]) + 1 > LINE_LIMIT) continue;
        asked[n] = keys[i];
        pieces[n] = lines[n];
        slot[n++] = i;
    }
    if (n == 0) return;
    TablePaths p;
    tablePaths(table, &p);
    keptFindLines(p.data, asked, n, pieces, LINE_LIMIT);
    for (int k = 0; k < n; k++)
        if (lines[k][0] != '\0') takeRecordValue(lines[k], asked[k], values[slot[k]], sizes[slot[k]]);
}

int tableGetFailed() { return tableStore.getFailed; }

static int tableSet(const char* table, const char* key, const char* value) {
    TablePaths p;
    tablePaths(table, &p);
    int exists = p.data[0] != '\0' && platformExists(p.data);
    Rewrite r;
    if (rewriteBegin(&r, p.data, p.fresh) != 0) {
        reportRecordSaveFailure(table, key);
        return 1;
    }
    // The previous version is kept when the new table is whole; without it, nothing changes.
    if (exists) rewriteKeepOld(&r, p.previous);
    FILE* in = exists ? openToRead(p.data) : NULL;
    if (exists && in == NULL) {
        rewriteAbandon(&r);
        reportRecordSaveFailure(table, key);
        return 1;
    }
    int found = in != NULL && rewriteReplacingKey(in, &r, LINE_LIMIT, key, value);
    if (in != NULL) fclose(in);
    if (!found) rewriteRecord(&r, key, value);
    if (rewriteCommit(&r) != 0) {
        reportRecordSaveFailure(table, key);
        return 1;
    }
    return 0;
}

// The keys of a batch, sorted so that each line's key is found by a binary search; equal keys
// stay in their given order, and the last of them gives the value.
struct BatchKey {
    const char* key;
    size_t length;
    int index;
};

struct Batch {
    BatchKey* sorted;
    int count;
    const char* const* values;
    unsigned char* done;  // per sorted place: the key's record is written
};

static int byKeyThenIndex(const void* a, const void* b) {
    const BatchKey* x = (const BatchKey*)a;
    const BatchKey* y = (const BatchKey*)b;
    int c = strcmp(x->key, y->key);
    return c != 0 ? c : x->index - y->index;
}

// A key against the n bytes at text, in the order of strcmp.
static int compareKey(const BatchKey* k, const char* text, size_t n) {
    int c = memcmp(k->key, text, k->length < n ? k->length : n);
    if (c != 0) return c;
    return k->length < n ? -1 : k->length > n ? 1 : 0;
}

// The first sorted place of the key of n bytes at text, or -1.
static int findBatchKey(const Batch* b, const char* text, size_t n) {
    int lo = 0, hi = b->count;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (compareKey(&b->sorted[mid], text, n) < 0) lo = mid + 1;
        else hi = mid;
    }
    return lo < b->count && compareKey(&b->sorted[lo], text, n) == 0 ? lo : -1;
}

// Writes the record of the key at sorted place first with the value of its last copy.
static void writeBatchRecord(Batch* b, int first, Rewrite* r) {
    int last = first;
    while (last + 1 < b->count && strcmp(b->sorted[last + 1].key, b->sorted[first].key) == 0) last++;
    rewriteRecord(r, b->sorted[first].key, b->values[b->sorted[last].index]);
    b->done[first] = 1;
}

// A line whose key (the text before its first "=") is in the batch gets its new record.
static int replaceBatchLine(const char* piece, int n, Rewrite* r, void* context) {
    Batch* b = (Batch*)context;
    const char* eq = (const char*)memchr(piece, '=', (size_t)n);
    int place = eq == NULL ? -1 : findBatchKey(b, piece, (size_t)(eq - piece));
    if (place < 0) return 1;
    writeBatchRecord(b, place, r);
    return 0;
}

// The rewrite of a batch; 0, or 1 when the table was left as it was.
static int rewriteBatch(const TablePaths* p, Batch* b, const char* const keys[]) {
    int exists = p->data[0] != '\0' && platformExists(p->data);
    Rewrite r;
    if (rewriteBegin(&r, p->data, p->fresh) != 0) return 1;
    if (exists) rewriteKeepOld(&r, p->previous);
    FILE* in = exists ? openToRead(p->data) : NULL;
    if (exists && in == NULL) {
        rewriteAbandon(&r);
        return 1;
    }
    if (in != NULL) {
        rewriteLines(in, &r, LINE_LIMIT, replaceBatchLine, b);
        fclose(in);
    }
    // New keys at the end, in the order of their first copy.
    for (int i = 0; i < b->count; i++) {
        int place = findBatchKey(b, keys[i], strlen(keys[i]));
        if (place >= 0 && !b->done[place]) writeBatchRecord(b, place, &r);
    }
    return rewriteCommit(&r);
}

int tableSetMany(const char* table, const char* const keys[], const char* const values[], int count) {
    if (count <= 0) return 0;
    Batch b = {(BatchKey*)malloc((size_t)count * sizeof(BatchKey)), count, values,
               (unsigned char*)calloc((size_t)count, 1)};
    int failed = b.sorted == NULL || b.done == NULL;
    if (!failed) {
        for (int i = 0; i < count; i++) b.sorted[i] = {keys[i], strlen(keys[i]), i};
        qsort(b.sorted, (size_t)count, sizeof(BatchKey), byKeyThenIndex);
        TablePaths p;
        tablePaths(table, &p);
        failed = rewriteBatch(&p, &b, keys);
    }
    free(b.sorted);
    free(b.done);
    if (failed) reportRecordSaveFailure(table, "");
    return failed;
}

static int tableCreate(const char* table) {
    TablePaths p;
    tablePaths(table, &p);
    Rewrite r;
    if (rewriteBegin(&r, p.data, p.fresh) != 0 || rewriteCommit(&r) != 0) {
        saveReportShow("Create DB file failed.");
        return 1;
    }
    return 0;
}

int tableOp(int mode, const char* table, const char* key, const char* value) {
    switch (mode) {
        case TABLE_SET: return tableSet(table, key, value);
        case TABLE_GET: return tableGet(table, key);
        case TABLE_CREATE: return tableCreate(table);
        case TABLE_NONE: return 0;
        default: return 1;
    }
}

int initialiseStore() {
    if (writesHeld()) {
        saveReportShow("The tables were not emptied: the diary could not read its files when it started, so it "
                       "changes nothing until it is started again.");
        return 1;
    }
    platformDeleteFile(dataFilePath("wkb.db"));
    tableOp(TABLE_CREATE, TIMETABLE_TABLE, "", "(key charvar(16), txt charvar(64), flag integer)");
    return tableOp(TABLE_CREATE, NOTES_TABLE, "", "(key charvar(16), txt charvar(1024), flags integer)");
}
