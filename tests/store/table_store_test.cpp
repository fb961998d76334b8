// Keyed table store: get, set, create, the previous version, failures and damaged files.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/table_store.h"
#include "support/diary_fixture.h"

class TableStoreTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        makeDataFolder();
    }
    std::string get(const char* key, const char* table = "wkb_hd") {
        EXPECT_EQ(0, tableOp(TABLE_GET, table, key, ""));
        return valueBuffer;
    }
};

TEST_F(TableStoreTest, SetCreatesReplacesAndKeepsThePreviousVersion) {
    ASSERT_EQ(0, tableOp(TABLE_CREATE, "wkb_hd", "", "(key charvar(16), txt charvar(64), flag integer)"));
    EXPECT_EQ("", dataBytes("wkb_hd.data"));
    EXPECT_TRUE(fileExists(data("wkb_hd.data")));
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_hd", "D1P0C", "Math"));
    EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.data"));
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_hd", "D1P0C", "Art"));
    EXPECT_EQ("D1P0C=Art\r\n", dataBytes("wkb_hd.data"));
    EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.tmp"));
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_hd", "D2P0C", "Bio"));
    EXPECT_EQ("D1P0C=Art\r\nD2P0C=Bio\r\n", dataBytes("wkb_hd.data"));
    EXPECT_FALSE(fileExists(data("wkb_hd.new")));
    // A set on a missing table creates it with the one record.
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_txt", "W1D1P1", "x"));
    EXPECT_EQ("W1D1P1=x\r\n", dataBytes("wkb_txt.data"));
}

// The previous version is a second name of the old table where links work, a copy where they
// do not; either way it keeps the old bytes once the table is replaced.
TEST_F(TableStoreTest, PreviousVersionSurvivesWithOrWithoutLinks) {
    writeData("wkb_hd.data", "D1P0C=Math\n");
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_hd", "D1P0C", "Art"));
    EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.tmp"));
    ASSERT_EQ(0, platformMakeFolder(data("wkb_hd.tmp.link").c_str()));  // no link can be made
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_hd", "D1P0C", "Bio"));
    EXPECT_EQ("D1P0C=Art\r\n", dataBytes("wkb_hd.tmp"));
    EXPECT_EQ("D1P0C=Bio\r\n", dataBytes("wkb_hd.data"));
}

TEST_F(TableStoreTest, KeysMatchOnlyWhole) {
    writeData("wkb_hd.data", "D1P0C|2=Bio\nW11D1P1=eleven\nD1P0Cx=no\n");
    EXPECT_EQ("", get("D1P0C"));
    EXPECT_EQ("Bio", get("D1P0C|2"));
    EXPECT_EQ("", get("W1D1P1"));
    EXPECT_EQ("eleven", get("W11D1P1"));
}

TEST_F(TableStoreTest, ValuesReadBackWholeAndEmptyMeansAbsent) {
    writeData("wkb_hd.data", "k=a=b\nk2=first\nk2=second\nempty=\n");
    EXPECT_EQ("a=b", get("k"));
    EXPECT_EQ("first", get("k2"));
    EXPECT_EQ("", get("empty"));
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_hd", "k2", ""));
    EXPECT_EQ(crlf("k=a=b\nk2=\nk2=\nempty=\n"), dataBytes("wkb_hd.data"));
    EXPECT_EQ("", get("k2"));
}

TEST_F(TableStoreTest, NotesLineBreaksAreStoredInTheirEncodedForm) {
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_txt", "W37D2P4", "a |b"));
    EXPECT_EQ("W37D2P4=a |b\r\n", dataBytes("wkb_txt.data"));
    EXPECT_EQ("a |b", get("W37D2P4", "wkb_txt"));
    // A raw line break can never split a record.
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_txt", "W1D1P0", "x\r\ny"));
    EXPECT_EQ("x  y", get("W1D1P0", "wkb_txt"));
}

TEST_F(TableStoreTest, OtherModesAndMissingFiles) {
    EXPECT_EQ(0, tableOp(TABLE_NONE, "wkb_hd", "k", "v"));
    EXPECT_EQ(1, tableOp(0, "wkb_hd", "k", "v"));
    EXPECT_EQ(1, tableOp(5, "wkb_hd", "k", "v"));
    copyText(valueBuffer, sizeof valueBuffer, "stale");
    EXPECT_EQ("", get("D1P0C"));
    EXPECT_TRUE(frontLog.calls.empty());
}

TEST_F(TableStoreTest, InitialiseEmptiesBothTablesAndDeletesTheOldFile) {
    writeData("wkb_hd.data", "D1P0C=Math\n");
    writeData("wkb_txt.data", "W1D1P0=n\n");
    writeData("wkb.db", "old");
    writeData(".wkb.rc", "keep\n");
    EXPECT_EQ(0, initialiseStore());
    EXPECT_EQ("", dataBytes("wkb_hd.data"));
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
    EXPECT_FALSE(fileExists(data("wkb.db")));
    EXPECT_EQ("keep\r\n", dataBytes(".wkb.rc"));
    EXPECT_EQ(0, initialiseStore());  // without "wkb.db" too
}

TEST_F(TableStoreTest, ACreateThatFailsSaysSoForEachTable) {
    faultFailAll(FAULT_OPEN_WRITE, 1);
    EXPECT_EQ(1, initialiseStore());
    EXPECT_EQ(2u, frontCalls("box|Stop|error|Create DB file failed.").size());
}

// Every step of a set can fail; the table must stay whole and the user must be told.
TEST_F(TableStoreTest, ASetThatFailsAtAnyStepLeavesTheTableWhole) {
    writeData("wkb_txt.data", "W1D1P0=homework\nW2D1P0=more\n");
    const std::string before = dataBytes("wkb_txt.data");
    for (FaultOp op : {FAULT_COPY, FAULT_OPEN_WRITE, FAULT_WRITE, FAULT_FLUSH, FAULT_CLOSE, FAULT_RENAME}) {
        faultReset();
        resetFrontLog();
        faultArm(op, 1);
        EXPECT_EQ(1, tableOp(TABLE_SET, "wkb_txt", "W1D1P0", "lost?")) << op;
        EXPECT_EQ(before, dataBytes("wkb_txt.data")) << op;
        EXPECT_FALSE(fileExists(data("wkb_txt.new"))) << op;
        EXPECT_EQ(1u, frontCalls("box|Stop|error|The file could not be written (error " + std::to_string(EIO) +
                                 "): the notes of Monday, Period 1 were not saved.")
                          .size())
            << op;
    }
    faultReset();
    EXPECT_EQ(0, tableOp(TABLE_SET, "wkb_txt", "W1D1P0", "done"));
    EXPECT_EQ(crlf("W1D1P0=done\nW2D1P0=more\n"), dataBytes("wkb_txt.data"));
}

// A failed set names the slot it was for, in the words of the mode: the class in teacher mode.
TEST_F(TableStoreTest, AFailedSetNamesItsSlotField) {
    struct Case {
        const char* key;
        int teacherMode;
        const char* told;
    } cases[] = {
        {"D6P9L|2", 0, "the classroom of Saturday, Period 10 was"},
        {"D1P0T", 0, "the teacher of Monday, Period 1 was"},
        {"D1P0T|4", 1, "the class of Monday, Period 1 was"},
        {"D3P4C", 1, "the course of Wednesday, Period 5 was"},
        {"D9P0C", 0, "the timetable was"},
    };
    for (const Case& c : cases) {
        resetFrontLog();
        diaryState.teacherMode = c.teacherMode;
        faultArm(FAULT_WRITE, 1, PLATFORM_ERROR_FULL);
        EXPECT_EQ(1, tableOp(TABLE_SET, "wkb_hd", c.key, "x")) << c.key;
        EXPECT_EQ(1u, frontCalls(std::string("box|Stop|error|The disk is full: ") + c.told + " not saved.").size()) << c.key;
    }
    faultReset();
}

TEST_F(TableStoreTest, LongLinesAreNeverSplitIntoRecords) {
    // A hand-edited line of 2000 characters whose second piece looks like a record.
    std::string longValue = std::string(1017, 'a') + "D1P0C=fake" + std::string(970, 'b');
    writeData("wkb_hd.data", "X=" + longValue + "\nD1P0C=real\n");
    EXPECT_EQ("real", get("D1P0C"));
    EXPECT_EQ(std::string(511, 'a'), get("X"));
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_hd", "D1P0C", "new"));
    EXPECT_EQ(crlf("X=" + longValue + "\nD1P0C=new\n"), dataBytes("wkb_hd.data"));
}

TEST_F(TableStoreTest, DamagedBytesAreReadSafelyAndKept) {
    static const char raw[] = "A=1\r\nB=x\0y\r\nC=bare\rcr\nD=last";
    std::string damaged(raw, sizeof raw - 1);
    writeBytes(data("wkb_hd.data"), damaged);
    EXPECT_EQ("1", get("A"));
    EXPECT_EQ("x", get("B"));
    EXPECT_EQ("bare", get("C")) << "a bare CR ends a line";
    EXPECT_EQ("last", get("D"));
    ASSERT_EQ(0, tableOp(TABLE_SET, "wkb_hd", "E", "5"));
    // Bytes are kept; a bare line feed or CR is written back as CR LF like every line end.
    static const char kept[] = "A=1\r\nB=x\0y\r\nC=bare\r\ncr\r\nD=last\r\nE=5\r\n";
    EXPECT_EQ(std::string(kept, sizeof kept - 1), dataBytes("wkb_hd.data"));
}
