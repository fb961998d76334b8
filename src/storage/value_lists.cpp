// The value lists file: "[C]", "[T]" or "[L]" followed by a value, one per line. Adding and
// removing both write "hdvalues.tmp" and then put it in the place of "hdvalues.dat".
#include "storage/value_lists.h"

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "storage/data_folder.h"
#include "storage/table_store.h"
#include "storage/text_file.h"

// Values are at most 254 characters; longer lines are still read whole, never split.
#define LINE_LIMIT 1023

const char* listPrefix(int action) {
    switch (action) {
        case 2: case 10: case 11: return "[C]";
        case 3: case 12: case 13: return "[T]";
        case 4: case 14: case 15: return "[L]";
        default: return "";
    }
}

struct ListPaths {
    char data[sizeof filePath];
    char temp[sizeof filePath];
};

static void listPaths(ListPaths* p) {
    copyText(p->data, sizeof p->data, dataFilePath(LISTS_FILE));
    copyText(p->temp, sizeof p->temp, dataFilePath(LISTS_TEMP));
}

// Copies in to r; with dropValue, the lines whose value equals it are left out.
static void copyLines(FILE* in, Rewrite* r, const char* dropValue) {
    char line[LINE_LIMIT + 1];
    int lineStart = 1, keep = 1, n;
    while ((n = readPiece(in, line, LINE_LIMIT)) > 0) {
        int ends = line[n - 1] == '\n';
        if (lineStart) {
            // Only a whole line is compared; a line too long to read at once is kept.
            int whole = ends || feof(in);
            int len = ends ? n - 1 : n;
            keep = 1;
            if (dropValue != NULL && whole && len >= 3 && (int)strnlen(line, (size_t)len) == len) {
                char saved = line[len];
                line[len] = '\0';
                keep = strcmp(line + 3, dropValue) != 0;
                line[len] = saved;
            }
        }
        if (keep) rewriteText(r, line, (size_t)n);
        lineStart = ends;
    }
    if (!lineStart && keep) rewriteString(r, "\n");
}

int addListValue() {
    ListPaths p;
    listPaths(&p);
    Rewrite r;
    if (rewriteBegin(&r, p.data, p.temp) != 0) {
        reportSaveFailure("the value list");
        return 1;
    }
    FILE* in = platformOpen(p.data, "r");
    if (in != NULL) {
        copyLines(in, &r, NULL);
        fclose(in);
    }
    rewriteString(&r, listPrefix(diaryState.action));
    rewriteString(&r, valueBuffer);
    rewriteString(&r, "\n");
    if (rewriteCommit(&r) != 0) {
        reportSaveFailure("the value list");
        return 1;
    }
    return 0;
}

int removeListValue() {
    ListPaths p;
    listPaths(&p);
    FILE* in = platformOpen(p.data, "r");
    if (in == NULL) return 0;
    Rewrite r;
    if (rewriteBegin(&r, p.data, p.temp) != 0) {
        fclose(in);
        reportSaveFailure("the value list");
        return 0;
    }
    copyLines(in, &r, valueBuffer);
    fclose(in);
    if (rewriteCommit(&r) != 0) {
        reportSaveFailure("the value list");
        return 0;
    }
    return 1;
}

int readListValues(const char* prefix, void (*add)(const char* value, void* context), void* context) {
    FILE* in = platformOpen(dataFilePath(LISTS_FILE), "r");
    if (in == NULL) return 1;
    size_t k = strlen(prefix);
    char line[LINE_LIMIT + 1];
    int lineStart = 1, n;
    while ((n = readPiece(in, line, LINE_LIMIT)) > 0) {
        int ends = line[n - 1] == '\n';
        if (lineStart && strncmp(line, prefix, k) == 0) {
            if (ends) line[n - 1] = '\0';
            add(line + k, context);
        }
        lineStart = ends;
    }
    fclose(in);
    return 0;
}
