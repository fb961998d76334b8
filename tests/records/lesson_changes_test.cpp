// The lesson changes file: stored values read back or refused when damaged, the bytes a store
// and a removal leave, lines that cannot be read kept through a write, and a failed write.
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "platform/faults.h"
#include "records/lesson_changes.h"
#include "support/diary_fixture.h"

static const std::string kHeader = "### Lessons that differ on one date. Please do not edit.\n";

class LessonChangesTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        makeDataFolder();
    }
    int store(int week, int cancelled, const char* course, const char* teacher, const char* room) {
        const char* const typed[3] = {course, teacher, room};
        const char* const timetable[3] = {"Math", "Smith", "12"};
        return storeLessonChange(week, 2, 0, cancelled, typed, timetable);
    }
};

// A stored value, and what it reads as: "cancelled|course|teacher|classroom" with "~" for a
// field that is not changed; "damaged" for a value that is no change.
static std::string readBack(const char* value) {
    LessonChange c;
    if (!parseLessonChange(value, &c)) return "damaged";
    std::string s = c.cancelled ? "X" : "-";
    for (int k = 0; k < 3; k++) s += std::string("|") + (c.changed[k] ? c.field[k] : "~");
    return s;
}

TEST(LessonChangeValue, ReadsWholeValuesAndRefusesDamagedOnes) {
    const struct {
        const char* value;
        const char* expected;
    } cases[] = {
        {"X", "X|~|~|~"},
        {"-", "-|~|~|~"},
        {"- L3:204", "-|~|~|204"},
        {"X C7:Physics T0:", "X|Physics||~"},
        {"- T5:a b c L1:=", "-|~|a b c|="},
        {"- C3:a:b\n", "-|a:b|~|~"},  // the line end the readers leave
        {"", "damaged"},
        {"Y", "damaged"},
        {"- L5:204", "damaged"},        // shorter than its length
        {"- L3:2045", "damaged"},       // longer
        {"- L3:204 L3:205", "damaged"}, // a field twice
        {"- Q3:abc", "damaged"},
        {"- L255:x", "damaged"},        // over the limit (and short)
        {"- L1234:x", "damaged"},
        {"- L:", "damaged"},
        {"X ", "damaged"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, readBack(c.value)) << c.value;
}

TEST_F(LessonChangesTest, ChangesStackInOneRecordAndRemovingLeavesTheOthers) {
    ASSERT_EQ(0, store(12, 1, "Math", "Smith", "12"));
    EXPECT_EQ(crlf(kHeader + "W12D2P0=X\n"), dataBytes("changes.dat"));
    ASSERT_EQ(0, store(13, 0, "Math", "Jones", "12"));
    // Uncancelled with another room: the same record, only what differs from the timetable.
    ASSERT_EQ(0, store(12, 0, "Math", "Smith", "Gym"));
    EXPECT_EQ(crlf(kHeader + "W12D2P0=- L3:Gym\nW13D2P0=- T5:Jones\n"), dataBytes("changes.dat"));
    EXPECT_EQ(0, lessonIsCancelled(12, 2, 0));
    // Everything as the timetable says: the record goes.
    ASSERT_EQ(0, store(13, 0, "Math", "Smith", "12"));
    EXPECT_EQ(crlf(kHeader + "W12D2P0=- L3:Gym\n"), dataBytes("changes.dat"));
    ASSERT_EQ(0, removeLessonChange(12, 2, 0));
    EXPECT_EQ(crlf(kHeader), dataBytes("changes.dat"));
}

TEST_F(LessonChangesTest, DamagedLinesAreKeptAndTheReadableOnesShow) {
    writeData("changes.dat", kHeader + "W5D2P0=- L99:cut\nW6D2P0=X\ngarbage\nW7D2P0=- C4:Bio\nW8D2P0=- C3:Bio\n");
    EXPECT_EQ(0, lessonIsCancelled(5, 2, 0));
    EXPECT_EQ(1, lessonIsCancelled(6, 2, 0));
    LessonChange c;
    EXPECT_EQ(0, readLessonChange(7, 2, 0, &c)) << "the line end is no part of the text";
    ASSERT_EQ(1, readLessonChange(8, 2, 0, &c));
    EXPECT_STREQ("Bio", c.field[SLOT_COURSE]);
    ASSERT_EQ(0, store(6, 0, "Math", "Smith", "Lab"));
    EXPECT_EQ(crlf(kHeader + "W5D2P0=- L99:cut\nW6D2P0=- L3:Lab\ngarbage\nW7D2P0=- C4:Bio\nW8D2P0=- C3:Bio\n"),
              dataBytes("changes.dat"));
}

TEST_F(LessonChangesTest, AFailedWriteLeavesTheFileWholeAndIsTold) {
    writeData("changes.dat", kHeader + "W6D2P0=X\n");
    const std::string before = dataBytes("changes.dat");
    for (FaultOp op : {FAULT_OPEN_READ, FAULT_OPEN_WRITE, FAULT_WRITE, FAULT_FLUSH, FAULT_RENAME}) {
        faultReset();
        faultArm(op, 1, PLATFORM_ERROR_FULL);
        EXPECT_EQ(1, store(6, 0, "Math", "Smith", "Lab")) << op;
        EXPECT_EQ(before, dataBytes("changes.dat")) << op;
    }
    faultReset();
}
