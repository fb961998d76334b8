// Period notes: the line-break encoding both ways (a typed "|" keeps every letter), the
// 511-character limit, and Save refused while an action is pending.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "core_fixture.h"
#include "diary/actions.h"
#include "diary/notes.h"

class DiaryNotesTest : public DiaryCoreTest {
protected:
    std::string decoded(const std::string& stored, int size = 1024) {
        char out[1024];
        decodeNotes(stored.c_str(), out, size);
        return out;
    }
    void saveText(const std::string& text) {
        frontLog.notes = text;
        saveNotes();
    }
};

TEST_F(DiaryNotesTest, DecodingTurnsEveryPipeIntoALineBreakWithoutLosingACharacter) {
    EXPECT_EQ("a\r\nb", decoded("a |b"));
    EXPECT_EQ("5\r\n6 pages", decoded("5|6 pages"));
    EXPECT_EQ("\r\nfirst", decoded("|first"));
    EXPECT_EQ("x\r\n\r\ny", decoded("x||y"));
    EXPECT_EQ("x \r\ny", decoded("x  |y"));
    EXPECT_EQ("end\r\n", decoded("end|"));
    // A small output is filled but never overrun, and never ends inside a line break.
    EXPECT_EQ("ab", decoded("ab|cd", 4));
    EXPECT_EQ("ab\r\nc", decoded("ab|cd", 6));
}

TEST_F(DiaryNotesTest, TwoLinesRoundTripThroughTheStoredForm) {
    startThursday();
    diaryState.selectedPeriod = 2;
    saveText("Read chapter 4\r\nExercise 7");
    EXPECT_EQ("W3D4P2=Read chapter 4 |Exercise 7\r\n", dataBytes("wkb_txt.data"));
    EXPECT_TRUE(frontLog.calls.empty()) << "a save shows nothing";
    frontLog.notes = "unsaved";
    loadNotes();
    EXPECT_EQ("Read chapter 4\r\nExercise 7", frontLog.notes);
    EXPECT_EQ("notes|", frontLog.calls.front()) << "the editor is cleared first";
}

TEST_F(DiaryNotesTest, ATypedPipeSurvivesLoadAndSaveWithEveryLetterKept) {
    startThursday();
    saveText("5|6 pages|x");
    EXPECT_EQ("W3D4P0=5|6 pages|x\r\n", dataBytes("wkb_txt.data"));
    loadNotes();
    EXPECT_EQ("5\r\n6 pages\r\nx", frontLog.notes);
    // Saved again, each pipe is a line break for good and nothing changes any more.
    saveNotes();
    EXPECT_EQ("W3D4P0=5 |6 pages |x\r\n", dataBytes("wkb_txt.data"));
    loadNotes();
    EXPECT_EQ("5\r\n6 pages\r\nx", frontLog.notes);
}

TEST_F(DiaryNotesTest, LimitIs511CharactersWithLineBreaksCountingTwo) {
    startThursday();
    std::string fits = std::string(509, 'a') + "\r\n";
    saveText(fits);
    EXPECT_EQ("W3D4P0=" + std::string(509, 'a') + " |\r\n", dataBytes("wkb_txt.data"));
    saveText(fits + "b");
    EXPECT_EQ("box|Stop|error|The text is too long!\n ", frontLog.calls.back());
    EXPECT_EQ(fits + "b", frontLog.notes) << "the editor keeps the text";
    saveText(std::string(5000, 'c'));
    EXPECT_EQ("W3D4P0=" + std::string(509, 'a') + " |\r\n", dataBytes("wkb_txt.data"));
}

TEST_F(DiaryNotesTest, EmptyAndMissingNotesShowAnEmptyEditorAndFindTheDate) {
    startThursday();
    saveText("");
    EXPECT_EQ("W3D4P0=\r\n", dataBytes("wkb_txt.data"));
    diaryState.selectedDay = 5;
    frontLog.notes = "old";
    loadNotes();
    EXPECT_EQ("", frontLog.notes);
    EXPECT_STREQ("(1/16/2026)", diaryState.dateLabel);
}

TEST_F(DiaryNotesTest, SaveIsRefusedWhileAnActionIsPending) {
    startThursday();
    diaryState.action = ACTION_SEARCH;
    saveText("lost?");
    EXPECT_EQ("box|Stop|error|" ANOTHER_FUNCTION_RUNNING, frontLog.calls.back());
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
    EXPECT_EQ("lost?", frontLog.notes);
}
