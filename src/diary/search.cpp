// The step-by-step keyword search through the notes table file, which stays open between
// steps. A record line longer than one read comes in pieces; every piece counts for the
// record whose key began the line. A note kept while the search runs rewrites the file: the
// search then closes it and reopens it at the same line. Offers searchStep, closeSearchFile,
// pauseSearchFile and resumeSearchFile.
#include "diary/search.h"

#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/navigation.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/record_keys.h"
#include "store/data_folder.h"
#include "store/table_store.h"
#include "store/text_file.h"

#define SEARCH_PIECE 510

SearchState searchState;

// Reads one piece, keeping count of the lines; -1 at the end of the file.
static int readCounted(SearchState* s, char* buf, int limit) {
    int n = pieceRead(&s->reader, buf, limit);
    if (n < 0) s->atEnd = 1;
    s->atLineStart = n < 0 || (n > 0 && buf[n - 1] == '\n');
    if (n > 0 && buf[n - 1] == '\n') s->linesDone++;
    return n;
}

void closeSearchFile() {
    if (searchState.file != NULL) fclose(searchState.file);
    searchState.file = NULL;
    searchState.paused = 0;
}

static void rewindSearch(SearchState* s) {
    rewind(s->file);
    pieceReaderStart(&s->reader, s->file);
    s->atLineStart = 1;
    s->linesDone = s->recordLine = 0;
    s->atEnd = 0;
}

// From the start of the file, reads past `lines` lines, or to the end when toEnd is set.
static void skipToLine(SearchState* s, long lines, int toEnd) {
    char scratch[SEARCH_PIECE + 1];
    long recordLine = s->recordLine;
    rewindSearch(s);
    while ((toEnd || s->linesDone < lines) && readCounted(s, scratch, SEARCH_PIECE) >= 0) {
    }
    s->atLineStart = 1;
    // The hit's line stays known, so that a step that could not show it can offer it again.
    s->recordLine = recordLine;
}

// Whether the piece in valueBuffer, joined to the end of the record's previous piece, holds
// the keyword; then keeps this piece's end for the next one.
static int pieceHolds(SearchState* s, const char* keyword) {
    size_t k = strlen(keyword);
    int found = strstr(valueBuffer, keyword) != NULL;
    if (!found && s->pieceTail[0] != '\0') {
        char joined[2 * (SEARCH_KEYWORD_MAX + 1)];
        copyText(joined, sizeof joined, s->pieceTail);
        size_t used = strlen(joined);
        size_t take = strnlen(valueBuffer, k - 1);
        memcpy(joined + used, valueBuffer, take);
        joined[used + take] = '\0';
        found = strstr(joined, keyword) != NULL;
    }
    size_t n = strlen(valueBuffer);
    size_t keep = n < k - 1 ? n : k - 1;
    copyText(s->pieceTail, sizeof s->pieceTail, valueBuffer + n - keep);
    return found;
}

// Reads past the rest of the current line, so that the next step starts at the next record.
static void skipRestOfLine(SearchState* s) {
    char scratch[SEARCH_PIECE + 1];
    while (!s->atLineStart) readCounted(s, scratch, SEARCH_PIECE);
}

static void showHit(const SearchState* s) { showLesson(s->record.week, s->record.day, s->record.period); }

// Whether a record's week is not before the start week. In a school year the weeks count in
// its own order, so that a search from week 36 finds the spring's week 5.
static int fromStartWeek(int week, int startWeek) {
    int at = weekPlaceInYear(week), start = weekPlaceInYear(startWeek);
    if (at >= 0 && start >= 0) return at >= start;
    return week >= startWeek;
}

// Reads records from the current position to the next hit; 0 at the end of the file.
static int findNext(SearchState* s, const char* keyword) {
    for (;;) {
        int startsLine = s->atLineStart;
        long line = s->linesDone;
        int n = readCounted(s, valueBuffer, SEARCH_PIECE);
        if (n < 0) return 0;
        if (startsLine) {
            s->recordLine = line;
            s->record.valid = parseNoteKey(valueBuffer, &s->record.week, &s->record.day, &s->record.period);
            s->pieceTail[0] = '\0';
        }
        if (pieceHolds(s, keyword) && s->record.valid && fromStartWeek(s->record.week, s->startWeek)) return 1;
    }
}

static int openSearchFile(SearchState* s) {
    if (s->file != NULL) return 0;
    s->file = openToRead(dataFilePath(NOTES_TABLE ".data"));
    if (s->file == NULL) {
        notify("The notes file cannot be opened for the search.", NOTIFY_ERROR);
        return 1;
    }
    rewindSearch(s);
    return 0;
}

int pauseSearchFile() {
    SearchState* s = &searchState;
    if (s->file == NULL) return 0;
    fclose(s->file);
    s->file = NULL;
    s->paused = 1;
    return 1;
}

void resumeSearchFile() {
    SearchState* s = &searchState;
    if (!s->paused) return;
    s->paused = 0;
    long lines = s->linesDone;
    int atEnd = s->atEnd;
    s->file = platformOpen(dataFilePath(NOTES_TABLE ".data"), "r");
    // A file that cannot be opened again is opened afresh by the next step.
    if (s->file != NULL) skipToLine(s, lines, atEnd);
}

void searchStep() {
    SearchState* s = &searchState;
    if (openSearchFile(s) != 0) return;
    if (strnlen(inputText, SEARCH_KEYWORD_MAX + 1) > SEARCH_KEYWORD_MAX) inputText[SEARCH_KEYWORD_MAX] = '\0';
    if (inputText[0] == '\0') {
        notify("Please enter the key word.", NOTIFY_ERROR);
        return;
    }
    if (s->startWeek != s->lastStartWeek) {
        s->lastStartWeek = s->startWeek;
        rewindSearch(s);
    }
    // A new keyword only rewinds: its first hit comes with the next OK.
    if (strcmp(inputText, s->lastKeyword) != 0) {
        copyText(s->lastKeyword, sizeof s->lastKeyword, inputText);
        rewindSearch(s);
        return;
    }
    if (!findNext(s, inputText)) {
        shortBeep();
        return;
    }
    skipRestOfLine(s);
    // The note being left is kept first; when it cannot be, the view stays and the next
    // step offers this hit again.
    if (!keepTypedNote()) {
        if (s->file != NULL) skipToLine(s, s->recordLine, 0);
        return;
    }
    showHit(s);
}
