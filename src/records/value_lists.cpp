// The value lists file: "[C]", "[T]" or "[L]" followed by a value, one per line. Adding and
// removing both write "hdvalues.tmp" and then put it in the place of "hdvalues.dat".
#include "records/value_lists.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/diary_state.h"
#include "core/pending_actions.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/save_report.h"
#include "store/table_store.h"
#include "store/text_file.h"

// Values are at most 254 characters; longer lines are still read whole, never split.
#define LINE_LIMIT 1023

const char* listPrefix(int action) { return pendingAction(action)->list; }

// Tells the user which list of the pending action was not saved, and why.
static void reportListFailure() {
    const char* prefix = listPrefix(diaryState.action);
    const char* what = "the list of values";
    if (strcmp(prefix, "[C]") == 0) what = "the list of courses";
    else if (strcmp(prefix, "[T]") == 0) what = diaryState.teacherMode ? "the list of classes" : "the list of teachers";
    else if (strcmp(prefix, "[L]") == 0) what = "the list of classrooms";
    reportSaveFailure(what, 0);
}

struct ListPaths {
    char data[sizeof filePath];
    char temp[sizeof filePath];
};

static void listPaths(ListPaths* p) {
    copyText(p->data, sizeof p->data, dataFilePath(LISTS_FILE));
    copyText(p->temp, sizeof p->temp, dataFilePath(LISTS_TEMP));
}

// Keeps every line but those whose value, after the three-character prefix, equals value.
// Only a whole line is compared; a line too long to read at once is kept.
static int keepOtherValues(const char* line, int n, Rewrite*, void* value) {
    int ends = line[n - 1] == '\n';
    if (!ends && n >= LINE_LIMIT) return 1;
    size_t len = (size_t)(ends ? n - 1 : n);
    if (len < 3 || strnlen(line, len) != len) return 1;
    return len - 3 != strlen((const char*)value) || memcmp(line + 3, value, len - 3) != 0;
}

int addListValue() {
    ListPaths p;
    listPaths(&p);
    Rewrite r;
    if (rewriteBegin(&r, p.data, p.temp) != 0) {
        reportListFailure();
        return 1;
    }
    FILE* in = openToRead(p.data);
    // A list that is there but cannot be read must not be replaced by the new value alone.
    if (in == NULL && platformExists(p.data)) r.failed = 1;
    if (in != NULL) {
        rewriteLines(in, &r, LINE_LIMIT, NULL, NULL);
        fclose(in);
    }
    rewriteString(&r, listPrefix(diaryState.action));
    rewriteString(&r, valueBuffer);
    rewriteString(&r, "\n");
    if (rewriteCommit(&r) != 0) {
        reportListFailure();
        return 1;
    }
    return 0;
}

// The values a batch may add: held[i] is set when the file (or an earlier value) holds i.
struct NewValues {
    const char* const* prefixes;
    const char* const* values;
    int count;
    unsigned char* held;
};

static int sameListLine(const char* line, size_t len, const char* prefix, const char* value) {
    size_t k = strlen(prefix);
    return len == k + strlen(value) && memcmp(line, prefix, k) == 0 && memcmp(line + k, value, len - k) == 0;
}

// Notes the values of the batch that the list holds already.
static int noteHeldValues(char* line, int n, void* context) {
    NewValues* batch = (NewValues*)context;
    size_t len = (size_t)(line[n - 1] == '\n' ? n - 1 : n);
    for (int i = 0; i < batch->count; i++)
        if (!batch->held[i] && sameListLine(line, len, batch->prefixes[i], batch->values[i])) batch->held[i] = 1;
    return 0;
}

// Marks empty values and the later copies of a value as held; 1 when any value is left to add.
static int keepFirstNewValues(NewValues* batch) {
    int left = 0;
    for (int i = 0; i < batch->count; i++) {
        for (int j = 0; j < i && !batch->held[i]; j++)
            batch->held[i] = strcmp(batch->prefixes[i], batch->prefixes[j]) == 0 &&
                             strcmp(batch->values[i], batch->values[j]) == 0;
        if (batch->values[i][0] == '\0') batch->held[i] = 1;
        left |= !batch->held[i];
    }
    return left;
}

// Reads the list once to find what is new, then rewrites it only when something is.
static int rewriteWithNewValues(const ListPaths* p, NewValues* batch) {
    FILE* in = openToRead(p->data);
    if (in == NULL && platformExists(p->data)) return 1;
    int failed = in != NULL && scanLines(in, LINE_LIMIT, noteHeldValues, batch) != 0;
    if (failed || !keepFirstNewValues(batch)) {
        if (in != NULL) fclose(in);
        return failed;
    }
    Rewrite r;
    if (rewriteBegin(&r, p->data, p->temp) != 0) {
        if (in != NULL) fclose(in);
        return 1;
    }
    if (in != NULL) {
        rewind(in);
        rewriteLines(in, &r, LINE_LIMIT, NULL, NULL);
        fclose(in);
    }
    for (int i = 0; i < batch->count; i++) {
        if (batch->held[i]) continue;
        rewriteString(&r, batch->prefixes[i]);
        rewriteString(&r, batch->values[i]);
        rewriteString(&r, "\n");
    }
    return rewriteCommit(&r);
}

int addNewListValues(const char* const prefixes[], const char* const values[], int count) {
    if (count <= 0) return 0;
    NewValues batch = {prefixes, values, count, (unsigned char*)calloc((size_t)count, 1)};
    ListPaths p;
    listPaths(&p);
    int failed = batch.held == NULL || rewriteWithNewValues(&p, &batch) != 0;
    free(batch.held);
    if (failed) reportSaveFailure("the value lists", 1);
    return failed;
}

int removeListValue() {
    ListPaths p;
    listPaths(&p);
    FILE* in = openToRead(p.data);
    if (in == NULL) {
        // Removing from a missing list does nothing; a list that cannot be read is told.
        if (platformExists(p.data)) reportListFailure();
        return 0;
    }
    Rewrite r;
    if (rewriteBegin(&r, p.data, p.temp) != 0) {
        fclose(in);
        reportListFailure();
        return 0;
    }
    rewriteLines(in, &r, LINE_LIMIT, keepOtherValues, valueBuffer);
    fclose(in);
    if (rewriteCommit(&r) != 0) {
        reportListFailure();
        return 0;
    }
    return 1;
}

struct ListReading {
    const char* prefix;
    void (*add)(const char* value, void* context);
    void* context;
};

static int addIfListed(char* line, int n, void* context) {
    ListReading* list = (ListReading*)context;
    size_t k = strlen(list->prefix);
    if (strncmp(line, list->prefix, k) != 0) return 0;
    if (line[n - 1] == '\n') line[n - 1] = '\0';
    list->add(line + k, list->context);
    return 0;
}

int readListValues(const char* prefix, void (*add)(const char* value, void* context), void* context) {
    FILE* in = openToRead(dataFilePath(LISTS_FILE));
    if (in == NULL) return 1;
    ListReading list = {prefix, add, context};
    scanLines(in, LINE_LIMIT, addIfListed, &list);
    fclose(in);
    return 0;
}
