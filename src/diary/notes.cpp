// Period notes: the editor's text of the selected week, day and period, stored in the notes
// table with CR as a space and LF as "|". A changed text is kept under the slot it was typed
// for before the view leaves it. Offers loadNotes, saveNotes, keepTypedNote, encodeNotes and
// decodeNotes.
#include "diary/notes.h"

#include <cstdio>
#include <cstring>

#include "calendar/day_table.h"
#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/actions.h"
#include "diary/notify.h"
#include "diary/search.h"
#include "platform/bounded_text.h"
#include "records/note_text.h"
#include "records/record_keys.h"
#include "store/table_store.h"

// The slot whose notes the editor was last filled with: what is typed there belongs to it.
struct LoadedNote {
    int valid;
    int week, day, period;
};
static LoadedNote loadedNote;

// Notes that could not be read are shown empty: Save must not write that over them.
struct NotesState {
    int unread;
};
static NotesState notesState;

static void notesKey(char* key, size_t size) {
    formatNoteKey(key, (size_t)size, diaryState.selectedWeek, diaryState.selectedDay, diaryState.selectedPeriod);
}

// The editor's text into text (NOTES_LIMIT + 2 bytes); 1, after "The text is too long!", when
// it is over the limit.
static int readEditor(char* text, int size) {
    // One more than the limit tells a text that is too long from one that fits.
    int length = frontNotesLength();
    int got = frontGetNotesText(text, size);
    if (length > NOTES_LIMIT || got > NOTES_LIMIT) {
        // The refusal says the limit and where the text stands, so the user knows what to cut.
        char message[200];
        snprintf(message, sizeof message,
                 "The text is too long!\n The notes of one period hold at most %d characters (a line break "
                 "counts as two); this text has %d.",
                 NOTES_LIMIT, length > got ? length : got);
        notify(message, NOTIFY_ERROR);
        return 1;
    }
    return 0;
}

// A text with characters that the code page cannot hold would be stored changed: that happens
// only when the user agrees, after being told which they are. 1 when the text may be stored
// as it is, 2 when the user agreed to the stand-ins, 0 when it must not be stored.
static int foreignCharactersAgreed() {
    char list[200];
    int count = frontNotesForeignCharacters(list, sizeof list);
    if (count == 0) return 1;
    char question[400];
    snprintf(question, sizeof question,
             "The note holds %d character(s) that this computer's character set cannot store:\n%s\n\n"
             "Yes stores the note with a stand-in for each of them. No goes back to the text.",
             count, list);
    // The list holds the characters themselves, which only a Unicode box can show.
    return frontAskYesNoUtf8(question) ? 2 : 0;
}

// Stores text under key as the notes table holds it; 0, or 1 when it was not written.
static int storeNote(const char* key, char* text) {
    encodeNotes(text);
    copyText(valueBuffer, sizeof valueBuffer, text);
    // An open search file would keep the table from being replaced.
    int paused = pauseSearchFile();
    int failed = tableOp(TABLE_SET, NOTES_TABLE, key, valueBuffer);
    if (paused) resumeSearchFile();
    if (failed == 0) {
        frontClearNotesModified();
        frontNotesChanged();
    }
    return failed;
}

void encodeNotes(char* text) {
    for (char* p = text; *p != '\0'; p++) {
        if (*p == '\r') *p = ' ';
        else if (*p == '\n') *p = '|';
    }
}

void decodeNotes(const char* stored, char* out, int size) {
    if (size <= 0) return;
    // A text too long for out is cut at the first character that does not fit.
    size_t room = (size_t)size - 1, o = 0;
    for (size_t i = 0; stored[i] != '\0' && o < room; i++) {
        if (noteLineBreakAt(stored, i)) {
            // " |" is a stored line break: its blank turns back into the CR.
            out[o - 1] = '\r';
            out[o++] = '\n';
        } else {
            out[o++] = stored[i];
        }
    }
    out[o] = '\0';
}

void loadNotes() {
    char key[48];
    notesKey(key, sizeof key);
    valueBuffer[0] = '\0';
    tableOp(TABLE_GET, NOTES_TABLE, key, "");
    notesState.unread = tableGetFailed();
    if (notesState.unread)
        notify("The notes could not be read: another program may have the notes file open.\n"
               "Select the period again to show them.",
               NOTIFY_ERROR);
    // The editor is set once: each change of its text costs a redraw of its scroll bar.
    char text[sizeof valueBuffer];
    text[0] = '\0';
    if (valueBuffer[0] != '\0')
        decodeNotes(valueBuffer, text, sizeof text);
    frontSetNotesText(text);
    frontClearNotesModified();
    loadedNote.valid = 1;
    loadedNote.week = diaryState.selectedWeek;
    loadedNote.day = diaryState.selectedDay;
    loadedNote.period = diaryState.selectedPeriod;
    locateSelectedDay();
}

void saveNotes() {
    if (refuseWhileBusy()) return;
    char text[NOTES_LIMIT + 2];
    if (readEditor(text, sizeof text) != 0) return;
    int agreed = foreignCharactersAgreed();
    if (agreed == 0) return;
    char stored[NOTES_LIMIT + 2];
    copyText(stored, sizeof stored, text);
    if (notesState.unread) {
        notify("These notes could not be read, so saving would overwrite them.\n"
               "Select the period again, then save.",
               NOTIFY_ERROR);
        return;
    }
    char key[48];
    notesKey(key, sizeof key);
    // With stand-ins, the editor shows the text as it was stored.
    if (storeNote(key, text) == 0 && agreed == 2) frontSetNotesText(stored);
}

int keepTypedNote() {
    if (!frontNotesModified()) return 1;
    char text[NOTES_LIMIT + 2];
    if (readEditor(text, sizeof text) != 0 || !foreignCharactersAgreed()) return 0;
    char key[48];
    if (loadedNote.valid) formatNoteKey(key, sizeof key, loadedNote.week, loadedNote.day, loadedNote.period);
    else notesKey(key, sizeof key);
    return storeNote(key, text) == 0;
}

int keepTypedNoteForClose() {
    int length = frontNotesLength();
    if (!frontNotesModified() || length <= NOTES_LIMIT) return keepTypedNote();
    // Too long to keep: the user may still quit, but only after saying so.
    char question[400];
    snprintf(question, sizeof question,
             "The note being typed has %d characters, and the notes of one period hold at most %d (a line "
             "break counts as two), so it cannot be kept.\n\n"
             "Yes closes the diary without the changes to this note. No goes back to the note.",
             length, NOTES_LIMIT);
    return frontAskYesNo(question);
}

void forgetLoadedNote() { loadedNote = LoadedNote(); }
