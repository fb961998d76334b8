// Period notes: the line-break encoding both ways (a typed "|" stays a "|"), the
// 511-character limit, and Save refused while an action is pending.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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

TEST_F(DiaryNotesTest, OnlyABlankAndAPipeIsALineBreakAndATypedPipeStaysAPipe) {
    EXPECT_EQ("a\r\nb", decoded("a |b"));
    EXPECT_EQ("5|6 pages", decoded("5|6 pages"));
    EXPECT_EQ("|first", decoded("|first"));
    EXPECT_EQ("x||y", decoded("x||y"));
    EXPECT_EQ("x \r\ny", decoded("x  |y"));
    EXPECT_EQ("end\r\n|", decoded("end ||"));
    // A small output is filled but never overrun.
    EXPECT_EQ("ab|", decoded("ab|cd", 4));
    EXPECT_EQ("ab ", decoded("ab |cd", 4));
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
    EXPECT_EQ(std::vector<std::string>{"notes|Read chapter 4\r\nExercise 7"}, frontLog.calls) << "set once";
    diaryState.selectedPeriod = 3;
    loadNotes();
    EXPECT_EQ("", frontLog.notes) << "a slot without a note empties the editor";
}

// Saving, loading and saving again gives the same bytes for any text the editor can hold,
// and loading never makes a text longer: texts of "|" and blanks next to line breaks and
// the limit, and a seeded random walk over the characters that matter.
TEST_F(DiaryNotesTest, AnyTextUpTo511CharactersSavesLoadsAndSavesToTheSameBytes) {
    startThursday();
    std::vector<std::string> texts = {"5|6 pages|x", "|", "||", " |", "a \r\n|b", "\r\n|\r\n", "x|\r\ny"};
    std::string pipes;
    while (pipes.size() < 511) pipes += pipes.size() % 2 ? "|" : "a";
    texts.push_back(pipes);
    texts.push_back(std::string(511, '|'));
    std::string breaks;
    while (breaks.size() + 3 <= 511) breaks += "|\r\n";
    texts.push_back(breaks);
    unsigned seed = 12;
    const char alphabet[] = {'a', ' ', '|', '\r', '\n', '\xe9'};
    for (int t = 0; t < 300; t++) {
        std::string text;
        size_t length = (seed = seed * 1103515245u + 12345u) % 512;
        while (text.size() < length) {
            seed = seed * 1103515245u + 12345u;
            char c = alphabet[(seed >> 16) % sizeof alphabet];
            // The editor holds line breaks as CR LF pairs.
            if (c == '\r' || c == '\n') {
                if (text.size() + 2 > length) break;
                text += "\r\n";
            } else {
                text += c;
            }
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        saveText(text);
        std::string first = dataBytes("wkb_txt.data");
        loadNotes();
        ASSERT_LE(frontLog.notes.size(), 511u) << text;
        saveNotes();
        ASSERT_EQ(first, dataBytes("wkb_txt.data")) << text;
        ASSERT_EQ(std::string::npos, frontLog.calls.back().find("too long")) << text;
    }
    EXPECT_EQ("W3D4P0=" + pipes + "\r\n", [&] {
        saveText(pipes);
        loadNotes();
        saveNotes();
        return dataBytes("wkb_txt.data");
    }());
}

TEST_F(DiaryNotesTest, LimitIs511CharactersWithLineBreaksCountingTwo) {
    startThursday();
    std::string fits = std::string(509, 'a') + "\r\n";
    saveText(fits);
    EXPECT_EQ("W3D4P0=" + std::string(509, 'a') + " |\r\n", dataBytes("wkb_txt.data"));
    saveText(fits + "b");
    EXPECT_EQ("box|Stop|error|" "The text is too long!\n The notes of one period hold at most 511 characters (a line break counts as two); this text has 512.", frontLog.calls.back());
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

// Notes that cannot be read (here a folder in the notes table's place, which opens but gives a
// read error) are not an empty note: the user is told, and Save does not write the empty
// editor over them until they have been read.
TEST_F(DiaryNotesTest, NotesThatCouldNotBeReadAreNeverSavedOver) {
    startThursday();
    saveText("kept");
    std::string table = dataBytes("wkb_txt.data");
    std::filesystem::rename(data("wkb_txt.data"), data("held"));
    std::filesystem::create_directory(data("wkb_txt.data"));
    loadNotes();
    EXPECT_EQ("", frontLog.notes);
    EXPECT_EQ(1u, frontCalls("box|Stop|error|The notes could not be read").size());
    saveText("typed over");
    EXPECT_EQ(1u, frontCalls("box|Stop|error|These notes could not be read, so saving would overwrite them.").size());
    std::filesystem::remove(data("wkb_txt.data"));
    std::filesystem::rename(data("held"), data("wkb_txt.data"));
    EXPECT_EQ(table, dataBytes("wkb_txt.data"));
    loadNotes();
    EXPECT_EQ("kept", frontLog.notes);
    saveText("changed");
    EXPECT_EQ("W3D4P0=changed\r\n", dataBytes("wkb_txt.data"));
}
