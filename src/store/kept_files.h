// Files kept in memory between reads while they stay as they were. Every week move and tab
// click refreshes from the notes table (up to 2 MB), the timetable, the settings and the week
// colours; opening, reading and scanning them again cost more than the rest of the refresh,
// most of all under Wine, where every open is a round trip to its server. A kept copy serves a
// read while the file's stamp is the one it had before it was read and this process has
// changed no file since; anything else reads the file again. A copy holds the text as the
// line readers give it (see PieceReader) and an index of its lines by key.
// Offers keptFindLine, keptFindLines, keptScanLines, forgetKeptFiles and keptFilesOutOfDate.
#pragma once

#include "store/text_file.h"

enum KeptRead { KEPT_READ, KEPT_NOT_OPENED, KEPT_READ_FAILED };

// The first piece of the first line of the file at path that begins with key and "=", as
// pieceRead(limit) gives it, into piece (limit + 1 bytes, limit <= TEXT_LINE_LIMIT); "" when
// no line has the key. KEPT_NOT_OPENED: missing, or it could not be opened (counted as a
// failed read when it is there, as openToRead counts); KEPT_READ_FAILED: a read broke off
// (counted); piece is "" then.
KeptRead keptFindLine(const char* path, const char* key, char* piece, int limit);
// The same for count keys at once, from one look at the file: pieces[i] for keys[i].
KeptRead keptFindLines(const char* path, const char* const keys[], int count, char* const pieces[], int limit);
// scanLines over the file at path (the visitor must not read files meanwhile): KEPT_NOT_OPENED or KEPT_READ_FAILED as above (nothing is
// visited when the file is kept, what was read when it is too large to keep), else KEPT_READ.
KeptRead keptScanLines(const char* path, int limit, LineVisitor visit, void* context);
// Lets every kept copy go, with its memory.
void forgetKeptFiles();
// Has every file read again at its next use, as after a change by another program.
void keptFilesOutOfDate();
