// Value lists file: add, remove, read, and failed rewrites.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "records/value_lists.h"
#include "store/table_store.h"
#include "support/diary_fixture.h"

class ValueListsTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        makeDataFolder();
    }
    int add(int action, const std::string& value) {
        diaryState.action = action;
        copyText(valueBuffer, sizeof valueBuffer, value.c_str());
        return addListValue();
    }
    int remove(const std::string& value) {
        copyText(valueBuffer, sizeof valueBuffer, value.c_str());
        return removeListValue();
    }
    static void collect(const char* value, void* context) {
        static_cast<std::vector<std::string>*>(context)->push_back(value);
    }
    std::vector<std::string> list(const char* prefix) {
        std::vector<std::string> out;
        readListValues(prefix, collect, &out);
        return out;
    }
};

TEST_F(ValueListsTest, AddCreatesTheFileAndKeepsDuplicates) {
    ASSERT_EQ(0, add(10, "Math"));
    EXPECT_EQ("[C]Math\r\n", dataBytes("hdvalues.dat"));
    ASSERT_EQ(0, add(10, "Math"));
    ASSERT_EQ(0, add(12, "Smith"));
    ASSERT_EQ(0, add(14, "B12"));
    EXPECT_EQ(crlf("[C]Math\n[C]Math\n[T]Smith\n[L]B12\n"), dataBytes("hdvalues.dat"));
    EXPECT_EQ((std::vector<std::string>{"Math", "Math"}), list("[C]"));
    EXPECT_EQ((std::vector<std::string>{"Smith"}), list("[T]"));
    EXPECT_FALSE(fileExists(data("hdvalues.tmp")));
}

TEST_F(ValueListsTest, RemoveTakesEveryEqualValueFromEveryListAndKeepsTheOrder) {
    writeData("hdvalues.dat", "[C]Math\n[T]Smith\n[C]Smith\n[L]Smith \n[L]smith\nx\n[C]Math\n");
    EXPECT_NE(0, remove("Smith"));
    EXPECT_EQ(crlf("[C]Math\n[L]Smith \n[L]smith\nx\n[C]Math\n"), dataBytes("hdvalues.dat"));
    EXPECT_FALSE(fileExists(data("hdvalues.tmp")));
    EXPECT_NE(0, remove("Math"));
    EXPECT_EQ(crlf("[L]Smith \n[L]smith\nx\n"), dataBytes("hdvalues.dat"));
}

TEST_F(ValueListsTest, RemoveFromAMissingFileDoesNothing) {
    EXPECT_EQ(0, remove("Math"));
    EXPECT_FALSE(fileExists(data("hdvalues.dat")));
    EXPECT_EQ(1, readListValues("[C]", collect, nullptr));
}

// The dialog accepts 254 characters: such a value must round-trip whole.
TEST_F(ValueListsTest, LongValuesAreAddedListedAndRemovedWhole) {
    std::string longValue(254, 'v');
    ASSERT_EQ(0, add(14, longValue));
    ASSERT_EQ(0, add(14, "short"));
    EXPECT_EQ((std::vector<std::string>{longValue, "short"}), list("[L]"));
    EXPECT_NE(0, remove(longValue));
    EXPECT_EQ("[L]short\r\n", dataBytes("hdvalues.dat"));
}

TEST_F(ValueListsTest, ALastLineWithoutLineEndIsComparedAndNotJoined) {
    writeBytes(data("hdvalues.dat"), "[C]Art\r\n[C]Math");
    EXPECT_EQ((std::vector<std::string>{"Art", "Math"}), list("[C]"));
    ASSERT_EQ(0, add(10, "Bio"));
    EXPECT_EQ(crlf("[C]Art\n[C]Math\n[C]Bio\n"), dataBytes("hdvalues.dat"));
    writeBytes(data("hdvalues.dat"), "[C]Art\r\n[C]Math");
    EXPECT_NE(0, remove("Math"));
    EXPECT_EQ("[C]Art\r\n", dataBytes("hdvalues.dat"));
}

TEST_F(ValueListsTest, FailedRewritesLeaveTheListWhole) {
    writeData("hdvalues.dat", "[C]Math\n[L]B12\n");
    const std::string before = dataBytes("hdvalues.dat");
    for (FaultOp op : {FAULT_OPEN_WRITE, FAULT_WRITE, FAULT_FLUSH, FAULT_CLOSE, FAULT_RENAME}) {
        faultReset();
        resetFrontLog();
        faultArm(op, 1, PLATFORM_ERROR_DENIED);
        EXPECT_EQ(1, add(10, "Art")) << op;
        EXPECT_EQ(before, dataBytes("hdvalues.dat")) << op;
        faultArm(op, 1, PLATFORM_ERROR_DENIED);
        EXPECT_EQ(0, remove("Math")) << op;
        EXPECT_EQ(before, dataBytes("hdvalues.dat")) << op;
        EXPECT_EQ(2u, frontCalls("box|Stop|error|The file is read-only or in use by another program: the list of courses "
                                 "was not saved.")
                          .size())
            << op;
        EXPECT_FALSE(fileExists(data("hdvalues.tmp"))) << op;
    }
}
