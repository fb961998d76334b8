// Line reading with text-stream semantics over binary files, the line scanner, and the
// crash-safe rewrite: write a new file, flush it to disk, then replace the old one in one
// step; rewriteLines copies a file into a rewrite line by line.
#include "store/text_file.h"

#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/code_page.h"

// What the text files keep between calls. A table of 2 MB is written line by line: through
// a large buffer it takes a quarter less time. One rewrite at a time has it; another one open
// meanwhile keeps the stream's own. The copy of rewriteLines reads through copyReader.
struct TextFileBuffers {
    char writeBuffer[1 << 16];
    int writeBufferTaken;
    PieceReader copyReader;
    PieceReader scanReader;
    unsigned readFailures;
};

static TextFileBuffers textFiles;

FILE* openToRead(const char* path) {
    FILE* f = platformOpen(path, "r");
    if (f == NULL && path[0] != '\0' && platformExists(path)) textFiles.readFailures++;
    return f;
}

unsigned readFailureCount() { return textFiles.readFailures; }

void noteReadFailure() { textFiles.readFailures++; }

int readPiece(FILE* f, char* buf, int limit) {
    int n = 0;
    while (n < limit) {
        int c = getc(f);
        if (c == EOF) break;
        if (c == '\r') {
            // CR LF and a bare CR both end the line.
            int next = getc(f);
            if (next != '\n' && next != EOF) ungetc(next, f);
            c = '\n';
        }
        buf[n++] = (char)c;
        if (c == '\n') break;
    }
    buf[n] = '\0';
    return n == 0 ? -1 : n;
}

enum TextEncoding { TEXT_PLAIN, TEXT_UTF8, TEXT_UTF16LE, TEXT_UTF16BE };

void pieceReaderStart(PieceReader* r, FILE* f) {
    r->f = f;
    r->pos = 0;
    r->len = 0;
    r->encoding = TEXT_PLAIN;
    r->started = 0;
    r->afterCR = 0;
    r->failed = 0;
    r->carried = 0;
}

// Puts one character of text into out; line ends become "\n". Returns the bytes added (0 or 1).
static size_t putChar(PieceReader* r, char* out, unsigned char c) {
    int wasCR = r->afterCR;
    r->afterCR = c == '\r';
    if (c == '\n' && wasCR) return 0;
    *out = c == '\r' ? '\n' : (char)c;
    return 1;
}

// The byte-order mark at the start of the file: sets the encoding, returns its length.
static size_t readMark(PieceReader* r, const unsigned char* b, size_t n) {
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        r->encoding = TEXT_UTF8;
        return 3;
    }
    if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        r->encoding = TEXT_UTF16LE;
        return 2;
    }
    if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        r->encoding = TEXT_UTF16BE;
        return 2;
    }
    return 0;
}

// Length of the UTF-8 character at b (1 for a byte that starts none: it is taken as it is),
// and its code point; 0 when the character runs past end.
static size_t utf8Char(const unsigned char* b, const unsigned char* end, unsigned long* cp) {
    size_t len = b[0] < 0x80 ? 1 : (b[0] & 0xE0) == 0xC0 ? 2 : (b[0] & 0xF0) == 0xE0 ? 3 : (b[0] & 0xF8) == 0xF0 ? 4 : 1;
    *cp = len == 1 ? b[0] : b[0] & (0x7F >> len);
    if ((size_t)(end - b) < len) return 0;
    for (size_t i = 1; i < len; i++) {
        if ((b[i] & 0xC0) != 0x80) {
            *cp = b[0];
            return 1;
        }
        *cp = (*cp << 6) | (b[i] & 0x3F);
    }
    // A byte that starts no character is taken as a byte of the code page.
    if (len == 1 && b[0] >= 0x80) *cp = 0x100;
    return len;
}

// Length of the UTF-16 character at b (2, or 4 for a surrogate pair) and its code point;
// 0 when the character runs past end.
static size_t utf16Char(const unsigned char* b, const unsigned char* end, int bigEndian, unsigned long* cp) {
    if (end - b < 2) return 0;
    unsigned long u = bigEndian ? (unsigned long)(b[0] << 8 | b[1]) : (unsigned long)(b[1] << 8 | b[0]);
    *cp = u;
    if (u < 0xD800 || u > 0xDBFF) return 2;
    if (end - b < 4) return 0;
    unsigned long low = bigEndian ? (unsigned long)(b[2] << 8 | b[3]) : (unsigned long)(b[3] << 8 | b[2]);
    if (low < 0xDC00 || low > 0xDFFF) return 2;
    *cp = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
    return 4;
}

// Bytes taken as they are, with every CR LF and bare CR as "\n": spans without a CR are
// copied whole, so that a table of 2 MB reads at the speed of a copy.
static size_t decodePlain(PieceReader* r, const unsigned char* b, size_t n, char* out) {
    const unsigned char* end = b + n;
    size_t o = 0;
    // The LF of a CR LF that the last read cut in two.
    if (r->afterCR && b < end && *b == '\n') b++;
    r->afterCR = 0;
    while (b < end) {
        const unsigned char* cr = (const unsigned char*)memchr(b, '\r', (size_t)(end - b));
        size_t plain = (size_t)((cr != NULL ? cr : end) - b);
        memcpy(out + o, b, plain);
        o += plain;
        b += plain;
        if (cr == NULL) break;
        out[o++] = '\n';
        if (++b == end) r->afterCR = 1;
        else if (*b == '\n') b++;
    }
    r->carried = 0;
    return o;
}

// Turns n raw bytes into text at out; the bytes of a character cut by the end are carried
// to the next read. Never gives more bytes than it was given.
static size_t decode(PieceReader* r, const unsigned char* b, size_t n, char* out) {
    if (r->encoding == TEXT_PLAIN) return decodePlain(r, b, n, out);
    const unsigned char* end = b + n;
    size_t o = 0;
    while (b < end) {
        unsigned long cp = 0;
        size_t len = r->encoding == TEXT_UTF8 ? utf8Char(b, end, &cp) : utf16Char(b, end, r->encoding == TEXT_UTF16BE, &cp);
        if (len == 0) break;
        o += putChar(r, out + o, cp == 0x100 ? *b : codePageByte(cp));
        b += len;
    }
    r->carried = (size_t)(end - b);
    memcpy(r->carry, b, r->carried);
    return o;
}

// Reads the next text into dst (room bytes, at least 1). Returns the bytes given, 0 at the end
// of the file or when a read fails (then `failed` is set).
static size_t readText(PieceReader* r, char* dst, size_t room) {
    for (;;) {
        size_t have = r->carried;
        memcpy(r->raw, r->carry, have);
        size_t want = room < PIECE_READER_SIZE ? room : PIECE_READER_SIZE;
        size_t got = 0;
        if (platformRead(r->f, r->raw + have, want, &got) != 0) {
            r->failed = 1;
            textFiles.readFailures++;
            r->carried = 0;
            return 0;
        }
        if (got == 0) {
            r->carried = 0;
            // A character cut by the end of the file: one sign that something was there.
            if (have == 0) return 0;
            dst[0] = '?';
            return 1;
        }
        const unsigned char* b = r->raw;
        size_t n = have + got;
        if (!r->started) {
            r->started = 1;
            size_t mark = readMark(r, b, n);
            b += mark;
            n -= mark;
        }
        size_t out = decode(r, b, n, dst);
        if (out > 0) return out;
    }
}

// 1 when at least one unread byte is in the buffer, 0 at the end of the file.
static int pieceFill(PieceReader* r) {
    if (r->pos < r->len) return 1;
    r->pos = 0;
    r->len = readText(r, r->buf, sizeof r->buf);
    return r->len > 0;
}

int pieceRead(PieceReader* r, char* buf, int limit) {
    int n = 0;
    while (n < limit && pieceFill(r)) {
        // The text in the buffer has "\n" for every line end: copy up to it in one go.
        const char* start = r->buf + r->pos;
        size_t avail = r->len - r->pos, room = (size_t)(limit - n);
        size_t span = avail < room ? avail : room;
        const char* lf = (const char*)memchr(start, '\n', span);
        size_t take = lf != NULL ? (size_t)(lf - start) + 1 : span;
        memcpy(buf + n, start, take);
        n += (int)take;
        r->pos += take;
        if (lf != NULL) break;
    }
    buf[n] = '\0';
    return n == 0 ? -1 : n;
}

int lineHasKey(const char* line, const char* key) {
    size_t k = strlen(key);
    return strncmp(line, key, k) == 0 && line[k] == '=';
}

int scanLines(FILE* f, int limit, LineVisitor visit, void* context) {
    PieceReader* reader = &textFiles.scanReader;
    pieceReaderStart(reader, f);
    char line[TEXT_LINE_LIMIT + 1];
    if (limit > TEXT_LINE_LIMIT) limit = TEXT_LINE_LIMIT;
    int lineStart = 1, n;
    while ((n = pieceRead(reader, line, limit)) > 0) {
        int starts = lineStart;
        lineStart = line[n - 1] == '\n';
        if (starts && visit(line, n, context)) return 0;
    }
    return reader->failed;
}

static void releaseBigBuffer(Rewrite* r) {
    if (r->bigBuffer) textFiles.writeBufferTaken = 0;
    r->bigBuffer = 0;
}

void holdWrites(int on) { platformHoldChanges(on); }
int writesHeld() { return platformChangesHeld(); }

int rewriteBegin(Rewrite* r, const char* targetPath, const char* tempPath) {
    r->failed = 0;
    r->out = NULL;
    r->bigBuffer = 0;
    r->wroteAny = 0;
    r->keepPath[0] = '\0';
    // A failure of this save is reported with its own cause, never an older one.
    platformClearError();
    r->readFailures = textFiles.readFailures;
    if (writesHeld() || targetPath[0] == '\0' || tempPath[0] == '\0') return 1;
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

int textHasByteOrderMark(const char* bytes, size_t n) {
    return (n >= 3 && memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) ||
           (n >= 2 && (memcmp(bytes, "\xFF\xFE", 2) == 0 || memcmp(bytes, "\xFE\xFF", 2) == 0));
}

void rewriteText(Rewrite* r, const char* text, size_t n) {
    if (r->failed || r->out == NULL) return;
    if (!r->wroteAny && n > 0) {
        r->wroteAny = 1;
        // A file that begins with the bytes of a byte-order mark is read back in another
        // encoding (a hand-edited first line read as UTF-8 can begin with the bytes FE FF): an
        // empty first line keeps it in the code page.
        if (textHasByteOrderMark(text, n) && platformWrite(r->out, "\r\n", 2) != 0) {
            r->failed = 1;
            return;
        }
    }
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
    if (textFiles.readFailures != r->readFailures) r->failed = 1;
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
    // A read that broke off must never replace a file by a part of it.
    if (reader->failed) r->failed = 1;
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

int rewriteFileThrough(const char* path, const char* tempPath, const char* header, int limit, LineRule rule,
                       void* context, Rewrite* r) {
    FILE* in = NULL;
    if (platformExists(path) && (in = openToRead(path)) == NULL) return 1;
    if (rewriteBegin(r, path, tempPath) != 0) {
        if (in != NULL) fclose(in);
        return 1;
    }
    if (in != NULL) {
        rewriteLines(in, r, limit, rule, context);
        // The old file must be closed before it can be replaced on Windows.
        fclose(in);
    } else if (header != NULL) {
        rewriteString(r, header);
    }
    return 0;
}

int filesHoldSameBytes(const char* a, const char* b) {
    FILE* fa = platformOpen(a, "r");
    FILE* fb = platformOpen(b, "r");
    int same = (fa == NULL) == (fb == NULL);
    if (fa != NULL && fb != NULL) {
        static char bufA[32768], bufB[32768];
        size_t na, nb;
        do {
            // A read that fails is no proof of sameness.
            if (platformRead(fa, bufA, sizeof bufA, &na) != 0 || platformRead(fb, bufB, sizeof bufB, &nb) != 0) {
                same = 0;
                break;
            }
            same = na == nb && memcmp(bufA, bufB, na) == 0;
        } while (same && na > 0);
    }
    if (fa != NULL) fclose(fa);
    if (fb != NULL) fclose(fb);
    return same;
}
