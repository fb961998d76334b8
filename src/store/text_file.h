// Reading and crash-safe rewriting of the diary's text files.
// Files are binary on disk with CR LF line ends; in memory a line ends in "\n".
// readPiece reads like a text stream's fgets and scanLines visits the lines; Rewrite writes a
// new file beside the old one and replaces it in one step, so a crash or a full disk never
// leaves a file half written; rewriteLines and rewriteReplacingKey copy a file into a Rewrite.
#pragma once
#include <cstddef>
#include <cstdio>

// Reads at most `limit` characters of the next line into buf (size limit + 1 or more),
// stopping after the line end, which is stored as "\n": CR LF, a bare LF and a bare CR each end
// a line. Returns the number of characters stored (a NUL byte of the file is stored too), or
// -1 at the end of the file. Bytes are taken as they are (see PieceReader for other encodings).
int readPiece(FILE* f, char* buf, int limit);

// A buffered reader that gives the pieces readPiece gives, without a library call per
// character: the tables and the search read a whole file of up to 2 MB at every use.
// It also reads what other editors save: a file that starts with a byte-order mark is read as
// UTF-8 or UTF-16 and turned into the diary's code page. `failed` tells a read that broke off
// from the end of the file. The reader reads ahead, so a file it reads must not be read
// otherwise meanwhile.
#define PIECE_READER_SIZE 32768
struct PieceReader {
    FILE* f;
    size_t pos, len;
    int encoding;     // how the bytes become text, found at the start of the file
    int started;      // the start of the file (and its byte-order mark) has been read
    int afterCR;      // the last character was a CR: a LF right after it ends the same line
    int failed;       // a read failed before the end of the file
    size_t carried;   // bytes of a character that the last read cut in two
    unsigned char carry[4];
    char buf[PIECE_READER_SIZE];
    unsigned char raw[PIECE_READER_SIZE + 4];
};

// Opens path for reading; NULL when it cannot. A file that is there but cannot be opened counts
// as a failed read, like a read that breaks off (readFailureCount).
FILE* openToRead(const char* path);
// How many reads of a file that is there have failed since the program started. A rewrite
// during which one failed is not committed: the new file could lack what was not read.
unsigned readFailureCount();
// Counts a failed read made outside the readers here.
void noteReadFailure();

// Starts reading f from its beginning; again after every rewind of f.
void pieceReaderStart(PieceReader* r, FILE* f);
// The next piece, as readPiece(f, buf, limit) would give it for a file without a byte-order mark.
int pieceRead(PieceReader* r, char* buf, int limit);

// 1 when bytes begin with a byte-order mark (UTF-8, UTF-16 little or big endian).
int textHasByteOrderMark(const char* bytes, size_t n);

// The longest piece of a line the scanner and the copy read at once.
#define TEXT_LINE_LIMIT 1023

// 1 when line begins with key and the character right after the key is "=".
int lineHasKey(const char* line, const char* key);

// Called with the first piece of each line: n characters (n >= 1), terminated, with "\n" at
// its end when the whole line fitted. Nonzero stops the scan.
typedef int (*LineVisitor)(char* piece, int n, void* context);
// Reads f in pieces of at most limit (<= TEXT_LINE_LIMIT) characters and hands each line's
// first piece to visit; the rest of a longer line is passed over, never taken for a line.
// Reads what other editors save, as PieceReader does. 1 when a read broke off before the end
// (or the visitor's stop), else 0. One scan at a time: a visitor must not start another.
int scanLines(FILE* f, int limit, LineVisitor visit, void* context);

struct Rewrite {
    FILE* out;
    int failed;
    unsigned readFailures;  // readFailureCount when the rewrite began
    int bigBuffer;  // writes through the one shared large buffer (see rewriteBegin)
    int wroteAny;   // the first bytes have been written
    char tempPath[260];
    char targetPath[260];
    char keepPath[260];  // where the old version is kept on commit ("" keeps none)
};

// A session that could not read its store at start-up writes nothing until the next start:
// from holdWrites on, every change of a file is refused at the platform's file calls
// (platformHoldChanges), whichever writer asks.
void holdWrites(int on);
int writesHeld();

// Creates tempPath for writing the new version of targetPath. 0, or 1 when it cannot (or
// when writes are held).
int rewriteBegin(Rewrite* r, const char* targetPath, const char* tempPath);
// Writes n bytes of text, each "\n" as CR LF. A failure is remembered for rewriteCommit.
void rewriteText(Rewrite* r, const char* text, size_t n);
// Writes a terminated text.
void rewriteString(Rewrite* r, const char* text);
// Keeps the old version of targetPath as path when the commit replaces it: only once the new
// file is whole, so that a failed save changes no file at all.
void rewriteKeepOld(Rewrite* r, const char* path);
// Flushes and closes the new file, keeps the old version if asked, then puts the new file in
// the place of targetPath.
// 0 on success; 1 after any failure, with the old file whole and the new one deleted.
int rewriteCommit(Rewrite* r);
// Gives up: closes and deletes the new file.
void rewriteAbandon(Rewrite* r);

// Writes the record "key=value\n"; a CR or LF inside the value would split the record, so
// each becomes a blank.
void rewriteRecord(Rewrite* r, const char* key, const char* value);

// Decides a line from its first piece (as LineVisitor gets it): 1 copies the whole line
// unchanged, 0 drops all of it. A rule that drops a line may write its replacement into r.
typedef int (*LineRule)(const char* piece, int n, Rewrite* r, void* context);
// Copies in, from its current position, into r line by line, reading pieces of at most
// limit (<= TEXT_LINE_LIMIT) characters; rule NULL copies every line. A copied line keeps its
// bytes, its line end written as CR LF; a copied last line without a line end gets one, so
// that a record appended after it stays a line of its own. One copy at a time: a rule must not start another.
void rewriteLines(FILE* in, Rewrite* r, int limit, LineRule rule, void* context);

// rewriteLines with every line that has key (lineHasKey) replaced by the record of key and
// value; the rest of a long line goes with it. 1 when some line was replaced; else the
// caller appends the record.
int rewriteReplacingKey(FILE* in, Rewrite* r, int limit, const char* key, const char* value);

// Begins the rewrite of the file at path through tempPath and copies its lines into r through
// rule (NULL copies all); a file that is not there starts anew with header (NULL for none). The
// old file is closed again, so the caller adds its records and commits. 0, or 1 when nothing
// can be written (the old file stays; r is not begun).
int rewriteFileThrough(const char* path, const char* tempPath, const char* header, int limit, LineRule rule,
                       void* context, Rewrite* r);

// 1 when the two files hold the same bytes, or are both missing; 0 also when a read fails.
int filesHoldSameBytes(const char* a, const char* b);
