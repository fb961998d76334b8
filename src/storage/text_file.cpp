// Line reading with text-stream semantics over binary files, the line scanner, and the
// crash-safe rewrite: write a new file, flush it to disk, then replace the old one in one
// step; rewriteLines copies a file into a rewrite line by line.
#include "storage/text_file.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"

// What the text files keep between calls. A table of 2 MB is written line by line: through
// a large buffer it takes a quarter less time. One rewrite at a time has it; another one open
// meanwhile keeps the stream's own. The copy of rewriteLines reads through copyReader.
struct TextFileBuffers {
    char writeBuffer[1 << 16];
    int writeBufferTaken;
    PieceReader copyReader;
};

static TextFileBuffers textFiles;

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

void pieceReaderStart(PieceReader* r, FILE* f) {
    r->f = f;
    r->pos = 0;
    r->len = 0;
}

// 1 when at least one unread byte is in the buffer, 0 at the end of the file.
static int pieceFill(PieceReader* r) {
    if (r->pos < r->len) return 1;
    r->pos = 0;
    r->len = fread(r->buf, 1, sizeof r->buf, r->f);
    return r->len > 0;
}

// Keeps the unread bytes and reads more behind them until need bytes are there; 0 when the
// file ends first.
static int pieceEnsure(PieceReader* r, size_t need) {
    if (r->len - r->pos >= need) return 1;
    if (need > sizeof r->buf) return 0;
    size_t kept = r->len - r->pos;
    memmove(r->buf, r->buf + r->pos, kept);
    r->pos = 0;
    r->len = kept;
    while (r->len < need) {
        size_t got = fread(r->buf + r->len, 1, sizeof r->buf - r->len, r->f);
        if (got == 0) return 0;
        r->len += got;
    }
    return 1;
}

int pieceRead(PieceReader* r, char* buf, int limit) {
    int n = 0;
    while (n < limit && pieceFill(r)) {
        // Plain bytes up to the first CR or LF are copied in one go.
        const char* start = r->buf + r->pos;
        size_t avail = r->len - r->pos, room = (size_t)(limit - n);
        size_t span = avail < room ? avail : room;
        const char* lf = (const char*)memchr(start, '\n', span);
        size_t plain = lf != NULL ? (size_t)(lf - start) : span;
        const char* cr = (const char*)memchr(start, '\r', plain);
        if (cr != NULL) plain = (size_t)(cr - start);
        memcpy(buf + n, start, plain);
        n += (int)plain;
        r->pos += plain;
        if (cr == NULL && lf == NULL) continue;
        r->pos++;
        if (cr == NULL) {
            buf[n++] = '\n';
            break;
        }
        // CR LF is the one character "\n"; a bare CR is an ordinary character.
        if (pieceFill(r) && r->buf[r->pos] == '\n') {
            r->pos++;
            buf[n++] = '\n';
            break;
        }
        buf[n++] = '\r';
    }
    buf[n] = '\0';
    return n == 0 ? -1 : n;
}

int pieceFindLine(PieceReader* r, const char* prefix) {
    size_t k = strlen(prefix);
    for (;;) {
        if (!pieceEnsure(r, k > 0 ? k : 1)) return 0;
        if (memcmp(r->buf + r->pos, prefix, k) == 0) return 1;
        // On to the byte after the next line feed.
        for (;;) {
            const char* start = r->buf + r->pos;
            const char* lf = (const char*)memchr(start, '\n', r->len - r->pos);
            if (lf != NULL) {
                r->pos += (size_t)(lf - start) + 1;
                break;
            }
            r->pos = r->len;
            if (!pieceFill(r)) return 0;
        }
    }
}

int lineHasKey(const char* line, const char* key) {
    size_t k = strlen(key);
    return strncmp(line, key, k) == 0 && line[k] == '=';
}

void scanLines(FILE* f, int limit, LineVisitor visit, void* context) {
    char line[TEXT_LINE_LIMIT + 1];
    if (limit > TEXT_LINE_LIMIT) limit = TEXT_LINE_LIMIT;
    int lineStart = 1, n;
    while ((n = readPiece(f, line, limit)) > 0) {
        int starts = lineStart;
        lineStart = line[n - 1] == '\n';
        if (starts && visit(line, n, context)) return;
    }
}

static void releaseBigBuffer(Rewrite* r) {
    if (r->bigBuffer) textFiles.writeBufferTaken = 0;
    r->bigBuffer = 0;
}

int rewriteBegin(Rewrite* r, const char* targetPath, const char* tempPath) {
    r->failed = 0;
    r->out = NULL;
    r->bigBuffer = 0;
    r->keepPath[0] = '\0';
    // A failure of this save is reported with its own cause, never an older one.
    platformClearError();
    if (targetPath[0] == '\0' || tempPath[0] == '\0') return 1;
    copyText(r->targetPath, sizeof r->targetPath, targetPath);
    copyText(r->tempPath, sizeof r->tempPath, tempPath);
    r->out = platformOpen(r->tempPath, "w");
    if (r->out == NULL) return 1;
    if (!textFiles.writeBufferTaken &&
        setvbuf(r->out, textFiles.writeBuffer, _IOFBF, sizeof textFiles.writeBuffer) == 0) {
        textFiles.writeBufferTaken = 1;
        r->bigBuffer = 1;
    }
    return 0;
}

void rewriteText(Rewrite* r, const char* text, size_t n) {
    if (r->failed || r->out == NULL) return;
    const char* end = text + n;
    const char* p = text;
    const char* lf;
    while (p < end && (lf = (const char*)memchr(p, '\n', (size_t)(end - p))) != NULL) {
        if (platformWrite(r->out, p, (size_t)(lf - p)) != 0 || platformWrite(r->out, "\r\n", 2) != 0) {
            r->failed = 1;
            return;
        }
        p = lf + 1;
    }
    if (p < end && platformWrite(r->out, p, (size_t)(end - p)) != 0) r->failed = 1;
}

void rewriteString(Rewrite* r, const char* text) { rewriteText(r, text, strlen(text)); }

void rewriteKeepOld(Rewrite* r, const char* path) { copyText(r->keepPath, sizeof r->keepPath, path); }

int rewriteCommit(Rewrite* r) {
    if (r->out == NULL) return 1;
    if (platformFlush(r->out) != 0) r->failed = 1;
    if (platformClose(r->out) != 0) r->failed = 1;
    r->out = NULL;
    releaseBigBuffer(r);
    if (!r->failed && r->keepPath[0] != '\0' && platformKeepCopy(r->targetPath, r->keepPath) != 0) r->failed = 1;
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
    releaseBigBuffer(r);
    platformDeleteFile(r->tempPath);
}

void rewriteRecord(Rewrite* r, const char* key, const char* value) {
    rewriteString(r, key);
    rewriteString(r, "=");
    size_t start = 0, i = 0;
    for (; value[i] != '\0'; i++) {
        if (value[i] != '\n' && value[i] != '\r') continue;
        rewriteText(r, value + start, i - start);
        rewriteString(r, " ");
        start = i + 1;
    }
    rewriteText(r, value + start, i - start);
    rewriteString(r, "\n");
}

// The copy of rewriteLines. Always inlined, so that rewriteReplacingKey is compiled with its
// rule in place: a table set copies tens of thousands of lines, and a call per line through
// the rule's pointer cost more than the old loop of its own.
__attribute__((always_inline)) static inline void copyLines(FILE* in, Rewrite* r, int limit, LineRule rule,
                                                            void* context) {
    PieceReader* reader = &textFiles.copyReader;
    pieceReaderStart(reader, in);
    char line[TEXT_LINE_LIMIT + 1];
    if (limit > TEXT_LINE_LIMIT) limit = TEXT_LINE_LIMIT;
    int lineStart = 1, keep = 1, n;
    while ((n = pieceRead(reader, line, limit)) > 0) {
        if (lineStart) keep = rule == NULL || rule(line, n, r, context);
        if (keep) rewriteText(r, line, (size_t)n);
        lineStart = line[n - 1] == '\n';
    }
    if (!lineStart && keep) rewriteString(r, "\n");
}

void rewriteLines(FILE* in, Rewrite* r, int limit, LineRule rule, void* context) {
    copyLines(in, r, limit, rule, context);
}

struct KeyRecord {
    const char* key;
    size_t keyLength;
    const char* value;
    int found;
};

// The key's length is measured once, not at every line.
static inline int replaceKeyLine(const char* piece, int, Rewrite* r, void* context) {
    KeyRecord* record = (KeyRecord*)context;
    size_t k = record->keyLength;
    if (strncmp(piece, record->key, k) != 0 || piece[k] != '=') return 1;
    rewriteRecord(r, record->key, record->value);
    record->found = 1;
    return 0;
}

int rewriteReplacingKey(FILE* in, Rewrite* r, int limit, const char* key, const char* value) {
    KeyRecord record = {key, strlen(key), value, 0};
    copyLines(in, r, limit, replaceKeyLine, &record);
    return record.found;
}
