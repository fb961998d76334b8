// The step-by-step keyword search through the notes table file, which stays open between
// steps. A record line longer than one read comes in pieces; every piece counts for the
// record whose key began the line. Offers searchStep and closeSearchFile.
#include "diary/search.h"

#include <cstring>

#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/actions.h"
#include "diary/notes.h"
#include "diary/notify.h"
#include "diary/slot.h"
#include "diary/status_line.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "storage/data_folder.h"
#include "storage/record_keys.h"
#include "storage/table_store.h"
#include "storage/text_file.h"

#define SEARCH_PIECE 510
#define KEYWORD_MAX 127

FILE* searchFile = NULL;
// Every read of searchFile goes through this reader, which reads ahead.
static PieceReader searchReader;
int searchStartWeek = 1;
int lastStartWeek = 1;
char lastKeyword[128] = "";

// Where the reading stands: whether the next piece begins a line, the key of the record whose
// pieces are being read (valid 0 for a line without a record key), and the end of its previous
// piece, so that a keyword split across two pieces is still found.
static int atLineStart = 1;
static int recordValid, recordWeek, recordDay, recordPeriod;
static char pieceTail[KEYWORD_MAX + 1];

void closeSearchFile() {
    if (searchFile != NULL) fclose(searchFile);
    searchFile = NULL;
}

static void rewindSearch() {
    rewind(searchFile);
    pieceReaderStart(&searchReader, searchFile);
    atLineStart = 1;
}

// Whether the piece in valueBuffer, joined to the end of the record's previous piece, holds
// the keyword; then keeps this piece's end for the next one.
static int pieceHolds(const char* keyword) {
    size_t k = strlen(keyword);
    int found = strstr(valueBuffer, keyword) != NULL;
    if (!found && pieceTail[0] != '\0') {
        char joined[2 * (KEYWORD_MAX + 1)];
        copyText(joined, sizeof joined, pieceTail);
        size_t used = strlen(joined);
        size_t take = strnlen(valueBuffer, k - 1);
        memcpy(joined + used, valueBuffer, take);
        joined[used + take] = '\0';
        found = strstr(joined, keyword) != NULL;
    }
    size_t n = strlen(valueBuffer);
    size_t keep = n < k - 1 ? n : k - 1;
    copyText(pieceTail, sizeof pieceTail, valueBuffer + n - keep);
    return found;
}

// Reads past the rest of the current line, so that the next step starts at the next record.
static void skipRestOfLine() {
    char scratch[SEARCH_PIECE + 1];
    while (!atLineStart) {
        int n = pieceRead(&searchReader, scratch, SEARCH_PIECE);
        atLineStart = n < 0 || (n > 0 && scratch[n - 1] == '\n');
    }
}

static void showHit() {
    diaryState.selectedDay = recordDay;
    diaryState.selectedWeek = recordWeek;
    diaryState.selectedPeriod = recordPeriod;
    frontSelectTabs(recordDay - 1, recordPeriod);
    refreshStatusLine();
    refreshSlotLine();
    loadNotes();
}

// Reads records from the current position to the next hit; 0 at the end of the file.
static int findNext(const char* keyword) {
    for (;;) {
        int startsLine = atLineStart;
        int n = pieceRead(&searchReader, valueBuffer, SEARCH_PIECE);
        if (n < 0) return 0;
        atLineStart = n > 0 && valueBuffer[n - 1] == '\n';
        if (startsLine) {
            recordValid = parseNoteKey(valueBuffer, &recordWeek, &recordDay, &recordPeriod);
            pieceTail[0] = '\0';
        }
        if (pieceHolds(keyword) && recordValid && recordWeek >= searchStartWeek) return 1;
    }
}

static int openSearchFile() {
    if (searchFile != NULL) return 0;
    searchFile = platformOpen(dataFilePath(NOTES_TABLE ".data"), "r");
    if (searchFile == NULL) {
        notify("The notes file cannot be opened for the search.", NOTIFY_ERROR);
        return 1;
    }
    pieceReaderStart(&searchReader, searchFile);
    atLineStart = 1;
    return 0;
}

void searchStep() {
    if (openSearchFile() != 0) return;
    if (strnlen(inputText, KEYWORD_MAX + 1) > KEYWORD_MAX) inputText[KEYWORD_MAX] = '\0';
    if (inputText[0] == '\0') {
        notify("Please enter the key word.", NOTIFY_ERROR);
        return;
    }
    if (searchStartWeek != lastStartWeek) {
        lastStartWeek = searchStartWeek;
        rewindSearch();
    }
    // A new keyword only rewinds: its first hit comes with the next OK.
    if (strcmp(inputText, lastKeyword) != 0) {
        copyText(lastKeyword, sizeof lastKeyword, inputText);
        rewindSearch();
        return;
    }
    if (!findNext(inputText)) {
        shortBeep();
        return;
    }
    skipRestOfLine();
    showHit();
}
