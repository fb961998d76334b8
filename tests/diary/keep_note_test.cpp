// Keeping a typed note: every way of leaving the note in the editor (tab, week, search hit,
// current week, quit) stores a changed text under the slot it was typed for, with or without
// a pending action; an unchanged text is not rewritten; a text that cannot be stored keeps
// the user where they are with the text intact. Also: a select prompt's value goes to the slot
// it named.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/navigation.h"
#include "diary/notes.h"
#include "diary/search.h"
#include "platform/faults.h"

class DiaryKeepNoteTest : public DiaryCoreTest {
protected:
    // Starts on Thursday of week 3, period 1, with its (empty) notes loaded.
    void start() {
        startThursday();
        loadNotes();
    }
    void type(const std::string& text) {
        frontLog.notes = text;
        frontLog.notesModified = 1;
    }
    std::string notesFile() { return dataBytes("wkb_txt.data"); }
    std::string shown() {
        return std::to_string(diaryState.selectedWeek) + "/" + std::to_string(diaryState.selectedDay) + "/" +
               std::to_string(diaryState.selectedPeriod);
    }
};

TEST_F(DiaryKeepNoteTest, LeavingByTabOrQuitStoresTheChangedNoteWhateverIsPending) {
    start();
    type("Read chapter 4\r\nExercise 7");
    EXPECT_EQ(1, keepTypedNote());
    EXPECT_EQ("W3D4P0=Read chapter 4 |Exercise 7\r\n", notesFile());
    EXPECT_EQ(0, frontLog.notesModified) << "a kept text counts as stored";

    // A search and a select prompt are open: keeping is no Save and is not refused.
    for (int pending : {0, 1}) {
        if (pending == 0) promptSearch();
        else promptSelect(0);
        type(pending == 0 ? "during search" : "during select");
        EXPECT_EQ(1, keepTypedNote());
        EXPECT_EQ("W3D4P0=" + std::string(pending == 0 ? "during search" : "during select") + "\r\n", notesFile());
        EXPECT_TRUE(frontCalls("box|").empty());
        cancelInput();
    }
}

TEST_F(DiaryKeepNoteTest, TheNoteGoesToTheSlotItWasLoadedFor) {
    start();
    type("typed on Thursday");
    // The tab control has already moved the selection when the note is kept.
    diaryState.selectedDay = 5;
    diaryState.selectedPeriod = 3;
    EXPECT_EQ(1, keepTypedNote());
    EXPECT_EQ("W3D4P0=typed on Thursday\r\n", notesFile());
}

TEST_F(DiaryKeepNoteTest, AnUnchangedNoteIsNotRewritten) {
    start();
    writeData("wkb_txt.data", "W3D4P0=as stored\n");
    loadNotes();
    faultReset();
    EXPECT_EQ(1, keepTypedNote());
    nextWeek();
    previousWeek();
    showCurrentWeek();
    EXPECT_EQ(0, faultCalls(FAULT_OPEN_WRITE)) << "no file was written";
    EXPECT_EQ("W3D4P0=as stored\r\n", notesFile());
}

TEST_F(DiaryKeepNoteTest, AWeekMoveStoresTheNoteOfTheWeekItLeaves) {
    start();
    type("week 3 homework");
    nextWeek();
    EXPECT_EQ("4/4/0", shown());
    EXPECT_EQ("W3D4P0=week 3 homework\r\n", notesFile());
    EXPECT_EQ("", frontLog.notes);
    // With a select prompt open, and backwards.
    promptSelect(1);
    type("week 4 homework");
    previousWeek();
    EXPECT_EQ("3/4/0", shown());
    EXPECT_EQ("W3D4P0=week 3 homework\r\nW4D4P0=week 4 homework\r\n", notesFile());
    EXPECT_EQ("week 3 homework", frontLog.notes);
    EXPECT_EQ(ACTION_SELECT_TEACHER, diaryState.action);
}

TEST_F(DiaryKeepNoteTest, CurrentWeekStoresTheNoteAndShowsTodaysWeekDayAndFirstPeriod) {
    start();
    nextWeek();
    nextWeek();
    diaryState.selectedDay = 2;
    diaryState.selectedPeriod = 6;
    loadNotes();
    type("later");
    size_t mark = frontLog.calls.size();
    showCurrentWeek();
    EXPECT_EQ("3/4/0", shown());
    EXPECT_EQ("W5D2P6=later\r\n", notesFile());
    EXPECT_EQ("tabs|3|0", frontLog.calls[mark]);
    // The same refreshes as a week arrow: status line, notes, slot line.
    EXPECT_EQ((std::vector<std::string>{"tabs", "colour", "status", "notes", "slot", "slot"}), callKinds(mark));
    EXPECT_EQ("(1/15/2026)", std::string(diaryState.dateLabel));
}

TEST_F(DiaryKeepNoteTest, ASearchHitKeepsTheNoteItLeavesAndTheSearchGoesOn) {
    start();
    writeData("wkb_txt.data", "W5D1P0=Homework one\nW6D2P1=nothing\nW7D3P2=Homework two\nW8D4P3=Homework three\n");
    promptSearch();
    typeAndOk("Homework", 1);
    typeAndOk("Homework", 1);
    EXPECT_EQ("5/1/0", shown());
    type("Homework one, done");
    typeAndOk("Homework", 1);
    EXPECT_EQ("7/3/2", shown());
    // The note of week 3 is stored under its own key in its own line; the search goes on.
    type("third");
    typeAndOk("Homework", 1);
    EXPECT_EQ("8/4/3", shown());
    EXPECT_EQ("W5D1P0=Homework one, done\r\nW6D2P1=nothing\r\nW7D3P2=third\r\nW8D4P3=Homework three\r\n",
              notesFile());
    EXPECT_EQ(ACTION_SEARCH, diaryState.action);
    newBeeps();
    typeAndOk("Homework", 1);
    EXPECT_EQ(1, newBeeps()) << "after the last hit, a beep";
    // A note kept at the end of the file leaves the search at its end.
    type("Homework again");
    EXPECT_EQ(1, keepTypedNote());
    typeAndOk("Homework", 1);
    EXPECT_EQ(1, newBeeps());
}

TEST_F(DiaryKeepNoteTest, ATextTooLongKeepsTheUserWhereTheyAreWithTheTextIntact) {
    start();
    std::string tooLong(512, 'x');
    type(tooLong);
    nextWeek();
    EXPECT_EQ("3/4/0", shown());
    EXPECT_EQ("box|Stop|error|" "The text is too long!\n The notes of one period hold at most 511 characters (a line break counts as two); this text has 512.", frontLog.calls.back());
    previousWeek();
    showCurrentWeek();
    EXPECT_EQ(0, keepTypedNote());
    EXPECT_EQ("3/4/0", shown());
    EXPECT_EQ(tooLong, frontLog.notes);
    EXPECT_EQ(1, frontLog.notesModified);
    EXPECT_EQ("", notesFile());
    // Closing asks whether to leave the note behind: No stays, Yes closes; nothing is stored.
    frontLog.answers = {0, 1};
    EXPECT_EQ(0, keepTypedNoteForClose());
    EXPECT_EQ(1, keepTypedNoteForClose());
    EXPECT_EQ(2u, frontCalls("ask|The note being typed has 512 characters").size());
    EXPECT_EQ("", notesFile());
}

TEST_F(DiaryKeepNoteTest, AFailedWriteKeepsTheUserWhereTheyAreWithTheTextIntact) {
    start();
    writeData("wkb_txt.data", "W3D4P0=old\nW9D1P0=Homework\n");
    loadNotes();
    type("new text");
    faultFailAll(FAULT_OPEN_WRITE, 1);
    nextWeek();
    EXPECT_EQ("3/4/0", shown());
    EXPECT_EQ("new text", frontLog.notes);
    EXPECT_NE(std::string::npos, frontLog.calls.back().find("box|Stop|error|")) << frontLog.calls.back();
    EXPECT_EQ(0, keepTypedNote());

    // A search step that cannot keep the note stays, and offers the same hit again.
    faultFailAll(FAULT_OPEN_WRITE, 0);
    writeData("wkb_txt.data", "W3D4P0=old\nW5D2P1=Homework a\nW9D1P0=Homework b\n");
    loadNotes();
    promptSearch();
    typeAndOk("Homework", 1);
    typeAndOk("Homework", 1);
    EXPECT_EQ("5/2/1", shown());
    type("new text");
    faultFailAll(FAULT_OPEN_WRITE, 1);
    typeAndOk("Homework", 1);
    EXPECT_EQ("5/2/1", shown());
    EXPECT_EQ("new text", frontLog.notes);
    faultFailAll(FAULT_OPEN_WRITE, 0);
    typeAndOk("Homework", 1);
    EXPECT_EQ("9/1/0", shown());
    EXPECT_EQ("W3D4P0=old\r\nW5D2P1=new text\r\nW9D1P0=Homework b\r\n", notesFile());
}

TEST_F(DiaryKeepNoteTest, ASelectedValueGoesToTheSlotThePromptNamed) {
    start();
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n4=2\n");
    diaryState.selectedDay = 2;
    loadNotes();
    promptSelect(0);
    ASSERT_NE(std::string::npos, frontCalls("input|").back().find("Tuesday , Course 1"));
    // The user clicks Wednesday, Period 3, then moves a week on, then presses OK.
    diaryState.selectedDay = 3;
    diaryState.selectedPeriod = 2;
    loadNotes();
    nextWeek();
    typeAndOk("Maths");
    EXPECT_EQ("D2P0C=Maths\r\n", dataBytes("wkb_hd.data"));
    // A prompt in a coloured week names that week's slot.
    promptSelect(2);
    previousWeek();
    typeAndOk("Lab");
    EXPECT_EQ("D2P0C=Maths\r\nD3P2L|2=Lab\r\n", dataBytes("wkb_hd.data"));
}

TEST_F(DiaryKeepNoteTest, CharactersTheCodePageCannotHoldAreStoredOnlyWhenTheUserAgrees) {
    start();
    auto typeForeign = [this]() {
        type("l?d? homework");
        frontLog.foreign = "U+0142 U+017A";
        frontLog.foreignCount = 2;
    };
    // No: nothing is stored and the user stays with the text.
    typeForeign();
    nextWeek();
    EXPECT_EQ("3/4/0", shown());
    ASSERT_EQ(1u, frontCalls("ask|").size());
    EXPECT_NE(std::string::npos, frontCalls("ask|")[0].find("2 character(s)"));
    EXPECT_NE(std::string::npos, frontCalls("ask|")[0].find("U+0142 U+017A"));
    saveNotes();
    EXPECT_EQ("", notesFile());
    EXPECT_EQ("l?d? homework", frontLog.notes);
    // Yes: stored with the stand-ins, and Save shows what was stored.
    frontLog.answers = {1};
    saveNotes();
    EXPECT_EQ("W3D4P0=l?d? homework\r\n", notesFile());
    EXPECT_EQ(0, frontLog.foreignCount) << "the editor was set to the stored text";
    typeForeign();
    frontLog.answers = {1};
    nextWeek();
    EXPECT_EQ("4/4/0", shown());
}
