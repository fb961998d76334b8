// Line reading with text-stream semantics over binary files, and the crash-safe rewrite:
// write a new file, flush it to disk, then replace the old one in one step.
#include "storage/text_file.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "diary/notify.h"
#include "platform/platform.h"

int readPiece(FILE* f, char* buf, int limit) {
    int n = 0;
    while (n < limit) {
        int c = getc(f);
        if (c == EOF) break;
        if (c == '\r') {
            int next = getc(f);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                ungetc(next, f);  // a bare CR is an ordinary character
            }
        }
        buf[n++] = (char)c;
        if (c == '\n') break;
    }
    buf[n] = '\0';
    return n == 0 ? -1 : n;
}

int rewriteBegin(Rewrite* r, const char* targetPath, const char* tempPath) {
    r->failed = 0;
    r->out = NULL;
    if (targetPath[0] == '\0' || tempPath[0] == '\0') return 1;
    copyText(r->targetPath, sizeof r->targetPath, targetPath);
    copyText(r->tempPath, sizeof r->tempPath, tempPath);
    r->out = platformOpen(r->tempPath, "w");
    return r->out == NULL ? 1 : 0;
}

void rewriteText(Rewrite* r, const char* text, size_t n) {
    if (r->failed || r->out == NULL) return;
    size_t start = 0;
    for (size_t i = 0; i < n; i++) {
        if (text[i] != '\n') continue;
        if (platformWrite(r->out, text + start, i - start) != 0 || platformWrite(r->out, "\r\n", 2) != 0) {
            r->failed = 1;
            return;
        }
        start = i + 1;
    }
    if (start < n && platformWrite(r->out, text + start, n - start) != 0) r->failed = 1;
}

void rewriteString(Rewrite* r, const char* text) { rewriteText(r, text, strlen(text)); }

int rewriteCommit(Rewrite* r) {
    if (r->out == NULL) return 1;
    if (platformFlush(r->out) != 0) r->failed = 1;
    if (platformClose(r->out) != 0) r->failed = 1;
    r->out = NULL;
    if (!r->failed && platformReplaceFile(r->tempPath, r->targetPath) != 0) r->failed = 1;
    if (r->failed) {
        platformDeleteFile(r->tempPath);
        return 1;
    }
    return 0;
}

void rewriteAbandon(Rewrite* r) {
    if (r->out != NULL) {
        platformClose(r->out);
        r->out = NULL;
    }
    platformDeleteFile(r->tempPath);
}

void reportSaveFailure(const char* what) {
    char text[200];
    snprintf(text, sizeof text,
             "Could not save %s.\nThe disk may be full or write-protected.\nThe file was left as it was.", what);
    notify(text, NOTIFY_ERROR);
}
