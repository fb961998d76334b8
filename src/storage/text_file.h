// Reading and crash-safe rewriting of the diary's text files.
// Files are binary on disk with CR LF line ends; in memory a line ends in "\n".
// readPiece reads like a text stream's fgets; Rewrite writes a new file beside the old one
// and replaces it in one step, so a crash or a full disk never leaves a file half written.
#pragma once
#include <cstddef>
#include <cstdio>

// Reads at most `limit` characters of the next line into buf (size limit + 1 or more),
// stopping after "\n"; CR LF counts as the one character "\n". Returns the number of
// characters stored (a NUL byte of the file is stored too), or -1 at the end of the file.
int readPiece(FILE* f, char* buf, int limit);

// A buffered reader that gives exactly the pieces readPiece gives, without a library call per
// character: the tables and the search read a whole file of up to 2 MB at every use.
// The reader reads ahead, so a file it reads must not be read otherwise meanwhile.
#define PIECE_READER_SIZE 32768
struct PieceReader {
    FILE* f;
    size_t pos, len;
    char buf[PIECE_READER_SIZE];
};

// Starts reading f from its current position; again after every rewind of f.
void pieceReaderStart(PieceReader* r, FILE* f);
// The next piece, as readPiece(f, buf, limit) would give it.
int pieceRead(PieceReader* r, char* buf, int limit);
// From a line start, moves to the next line start whose bytes begin with prefix (at most
// PIECE_READER_SIZE bytes, no line feed in it); the next pieceRead then reads that line.
// 1 when found, 0 at the end of the file.
int pieceFindLine(PieceReader* r, const char* prefix);

struct Rewrite {
    FILE* out;
    int failed;
    int bigBuffer;  // writes through the one shared large buffer (see rewriteBegin)
    char tempPath[260];
    char targetPath[260];
    char keepPath[260];  // where the old version is kept on commit ("" keeps none)
};

// Creates tempPath for writing the new version of targetPath. 0, or 1 when it cannot.
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

// Tells the user that `what` ("the notes", "the week colours", ...) could not be saved and
// that the file on disk was left as it was.
void reportSaveFailure(const char* what);
