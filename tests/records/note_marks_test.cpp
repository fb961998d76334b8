// The marks file as other editors and damage leave it: every line end, lines that do not read,
// a key given twice, a stale hash, a very long line; a set keeps every line that reads.
#include <gtest/gtest.h>

#include <string>

#include "records/note_marks.h"
#include "store/kept_files.h"
#include "support/diary_fixture.h"

namespace {

class NoteMarksTest : public DiaryTest {};

// FNV-1a of "a" and of "": the hashes a hand-written line carries.
#define HASH_A "e40c292c"
#define HASH_EMPTY "811c9dc5"

TEST_F(NoteMarksTest, TheHashIsFnv1a) {
    EXPECT_EQ(0xe40c292cu, noteTextHash("a"));
    EXPECT_EQ(0x811c9dc5u, noteTextHash(""));
}

TEST_F(NoteMarksTest, DamagedFilesShowTheMarksTheyCanRead) {
    const std::string longLine(5000, 'x');
    const struct {
        const char* what;
        std::string bytes;
        const char* key;
        const char* text;
        int marks;
    } cases[] = {
        {"CR LF", "W1D1P0=d " HASH_A "\r\n", "W1D1P0", "a", MARK_DONE},
        {"bare LF", "W2D1P0=t " HASH_A "\nW1D1P0=dt " HASH_A "\n", "W1D1P0", "a", MARK_DONE | MARK_TEST},
        {"bare CR", "W2D1P0=t " HASH_A "\rW1D1P0=t " HASH_A "\r", "W1D1P0", "a", MARK_TEST},
        {"no last line end", "W1D1P0=d " HASH_A, "W1D1P0", "a", MARK_DONE},
        {"capital hex, trailing blanks", "W1D1P0=d E40C292C  \r\n", "W1D1P0", "a", MARK_DONE},
        {"the last line of a key wins", "W1D1P0=d " HASH_A "\r\nW1D1P0=t " HASH_A "\r\n", "W1D1P0", "a", MARK_TEST},
        {"rewritten note", "W1D1P0=d " HASH_A "\r\n", "W1D1P0", "b", 0},
        {"after a long line", longLine + "\r\nW1D1P0=d " HASH_A "\r\n", "W1D1P0", "a", MARK_DONE},
        {"unknown letter", "W1D1P0=x " HASH_A "\r\n", "W1D1P0", "a", 0},
        {"no letter", "W1D1P0= " HASH_A "\r\n", "W1D1P0", "a", 0},
        {"short hash", "W1D1P0=d e40c292\r\n", "W1D1P0", "a", 0},
        {"more after the hash", "W1D1P0=d " HASH_A "0\r\n", "W1D1P0", "a", 0},
        {"no blank", "W1D1P0=d" HASH_A "\r\n", "W1D1P0", "a", 0},
        {"key not as the diary writes it", "W01D1P0=d " HASH_A "\r\n", "W1D1P0", "a", 0},
        {"a NUL in the line", std::string("W1D1P0=d " HASH_A "\0\r\n", 20), "W1D1P0", "a", 0},
        {"a bad line wins nothing", "W1D1P0=d " HASH_A "\r\nW1D1P0=t junk\r\n", "W1D1P0", "a", MARK_DONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        makeDataFolder();
        std::FILE* f = std::fopen(data("marks.dat").c_str(), "wb");
        ASSERT_NE(nullptr, f);
        std::fwrite(c.bytes.data(), 1, c.bytes.size(), f);
        std::fclose(f);
        keptFilesOutOfDate();  // a file of the same size may keep its stamp
        EXPECT_EQ(c.marks, noteMarks(c.key, c.text));
    }
}

TEST_F(NoteMarksTest, ASetKeepsEveryLineThatReadsAndDropsTheRest) {
    writeData("marks.dat", "W53D6P9=t " HASH_EMPTY "\n"  // a note that may be gone: kept
                           "garbage\n"
                           "W1D1P0=d " HASH_A "\n"
                           "W2D1P0=dt 00000000\n"
                           "W1D1P0=dt " HASH_A "\n"
                           "W1D1P0=x 1\n");
    ASSERT_EQ(0, setNoteMark("W1D1P0", "a", MARK_DONE, 0));
    EXPECT_EQ("W53D6P9=t " HASH_EMPTY "\r\nW1D1P0=t " HASH_A "\r\nW2D1P0=dt 00000000\r\n", dataBytes("marks.dat"));
    // A mark set on a rewritten note starts afresh; the last mark cleared leaves no line.
    ASSERT_EQ(0, setNoteMark("W2D1P0", "", MARK_DONE, 1));
    ASSERT_EQ(0, setNoteMark("W1D1P0", "a", MARK_TEST, 0));
    EXPECT_EQ("W53D6P9=t " HASH_EMPTY "\r\nW2D1P0=d " HASH_EMPTY "\r\n", dataBytes("marks.dat"));
    ASSERT_EQ(0, setNoteMark("W9D3P2", "a", MARK_TEST, 1));
    EXPECT_EQ(MARK_TEST, noteMarks("W9D3P2", "a"));
}

}  // namespace
