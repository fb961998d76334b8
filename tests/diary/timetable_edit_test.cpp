// The timetable grid's model and its batch: tableSetMany writes the bytes that single sets in
// turn would, in one rewrite; the model loads every colour, cleans what is typed, refuses what
// cannot be stored, and saves the changed fields with their new names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/diary_state.h"
#include "diary/timetable_edit.h"
#include "platform/faults.h"
#include "store/table_store.h"
#include "core_fixture.h"

using Records = std::vector<std::pair<const char*, const char*>>;

class TimetableEditTest : public DiaryCoreTest {
protected:
    void TearDown() override {
        timetableEditFree(edit);
        DiaryCoreTest::TearDown();
    }
    int setMany(const Records& records) {
        std::vector<const char*> keys, values;
        for (const auto& r : records) keys.push_back(r.first), values.push_back(r.second);
        return tableSetMany(TIMETABLE_TABLE, keys.data(), values.data(), (int)records.size());
    }
    void set(int colour, int day, int period, SlotField field, const char* text, const char* foreign = "") {
        timetableEditSet(edit, colour, day, period, field, text, foreign);
    }
    TimetableEdit* edit = nullptr;
};

TEST_F(TimetableEditTest, ABatchWritesWhatSingleSetsInTurnWouldInOneRewrite) {
    struct Case {
        const char* name;
        const char* before;  // nullptr: no table file
        Records records;
        const char* after;
    };
    const Case cases[] = {
        {"no table file", nullptr, {{"D1P0C", "Math"}, {"D1P0T", "Smith"}}, "D1P0C=Math\nD1P0T=Smith\n"},
        {"a changed key keeps its places, a new one goes last", "D1P0C=Latin\nD2P0C=Art\nD1P0C=Old\n",
         {{"D3P0C", "Bio"}, {"D1P0C", "Math"}}, "D1P0C=Math\nD2P0C=Art\nD1P0C=Math\nD3P0C=Bio\n"},
        {"keys match only whole", "D1P0C|2=Bio\nD1P0Cx=no\nD1P0=no\n", {{"D1P0C", "Math"}},
         "D1P0C|2=Bio\nD1P0Cx=no\nD1P0=no\nD1P0C=Math\n"},
        {"a key given twice: its last value at its first place", "", {{"D1P0C", "a"}, {"D2P0C", "b"}, {"D1P0C", "c"}},
         "D1P0C=c\nD2P0C=b\n"},
        {"empty values, a value with = and a line break", "D1P0L=12\n",
         {{"D1P0L", ""}, {"D2P0C", "a=b"}, {"D3P0C", "x\ny"}}, "D1P0L=\nD2P0C=a=b\nD3P0C=x y\n"},
    };
    makeDataFolder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(data("wkb_hd.data").c_str());
        if (c.before) writeData("wkb_hd.data", c.before);
        faultReset();
        ASSERT_EQ(0, setMany(c.records));
        EXPECT_EQ(1, faultCalls(FAULT_RENAME)) << "one rewrite";
        EXPECT_EQ(crlf(c.after), dataBytes("wkb_hd.data"));
        if (c.before) {
            EXPECT_EQ(crlf(c.before), dataBytes("wkb_hd.tmp"));
        }
        std::string batch = dataBytes("wkb_hd.data");
        std::remove(data("wkb_hd.data").c_str());
        if (c.before) writeData("wkb_hd.data", c.before);
        for (const auto& r : c.records) tableOp(TABLE_SET, TIMETABLE_TABLE, r.first, r.second);
        EXPECT_EQ(dataBytes("wkb_hd.data"), batch) << "single sets in turn";
    }
    EXPECT_TRUE(frontCalls("box|").empty());
}

TEST_F(TimetableEditTest, ABatchThatCannotBeWrittenLeavesTheTableAndSaysSo) {
    startThursday();
    writeData("wkb_hd.data", "D1P0C=Latin\n");
    faultArm(FAULT_WRITE, 1, PLATFORM_ERROR_FULL);
    EXPECT_EQ(1, setMany({{"D1P0C", "Math"}, {"D2P0C", "Art"}}));
    EXPECT_EQ(crlf("D1P0C=Latin\n"), dataBytes("wkb_hd.data"));
    ASSERT_EQ(1u, frontCalls("box|").size());
    EXPECT_NE(frontCalls("box|")[0].find("The disk is full: the timetable was not saved."), std::string::npos);
}

TEST_F(TimetableEditTest, LoadsEveryColourAndOffersTheColoursInUse) {
    startThursday();
    writeData("wkb_hd.data", "D1P0C=Math\nD1P0C|2=Bio\nD2P3L|4=\n");
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n5=3\n");
    edit = timetableEditLoad();
    ASSERT_NE(nullptr, edit);
    EXPECT_STREQ("Math", timetableField(edit, 0, 1, 0, SLOT_COURSE)->value);
    EXPECT_STREQ("Bio", timetableField(edit, 2, 1, 0, SLOT_COURSE)->value);
    EXPECT_STREQ("", timetableField(edit, 1, 1, 0, SLOT_COURSE)->value);
    // White always; yellow and green from the rotation's cycle, red from weeks.dat; blue has
    // only an empty record.
    const unsigned char inUse[TIMETABLE_COLOURS] = {1, 1, 1, 1, 0};
    for (int c = 0; c < TIMETABLE_COLOURS; c++) EXPECT_EQ(inUse[c], edit->inUse[c]) << c;
}

TEST_F(TimetableEditTest, SavesTheChangedFieldsOnceAndTheirNewNames) {
    startThursday();
    writeData("wkb_hd.data", "D1P0C=Math\nD1P0C|2=Bio\nD4P0T=D'Arcy\n");
    writeData("hdvalues.dat", "[T]O`Brien\n");
    edit = timetableEditLoad();
    ASSERT_NE(nullptr, edit);
    set(0, 1, 0, SLOT_COURSE, "");           // cleared: stored as a single set of "" stores it
    set(0, 1, 0, SLOT_TEACHER, "O'Brien");   // cleaned as a commit cleans it
    set(2, 1, 0, SLOT_COURSE, "Bio");        // unchanged
    set(0, 4, 0, SLOT_TEACHER, "D'Arcy");    // unchanged as edited by hand
    set(2, 6, 9, SLOT_CLASSROOM, "B12");
    set(0, 2, 0, SLOT_CLASSROOM, "B12");
    resetFrontLog();
    faultReset();
    ASSERT_EQ(0, timetableEditSave(edit));
    EXPECT_EQ(2, faultCalls(FAULT_RENAME)) << "one rewrite of the timetable, one of the lists";
    EXPECT_EQ(crlf("D1P0C=\nD1P0C|2=Bio\nD4P0T=D'Arcy\nD1P0T=O`Brien\nD2P0L=B12\nD6P9L|2=B12\n"),
              dataBytes("wkb_hd.data"));
    EXPECT_EQ(crlf("[T]O`Brien\n[L]B12\n"), dataBytes("hdvalues.dat"));
    std::vector<std::string> kinds = callKinds();
    auto status = std::find(kinds.begin(), kinds.end(), "status");
    EXPECT_NE(kinds.end(), std::find(status, kinds.end(), "slot")) << "the status line, then the slot line";
    // Saved fields count as stored: a second OK writes nothing.
    faultReset();
    ASSERT_EQ(0, timetableEditSave(edit));
    EXPECT_EQ(0, faultCalls(FAULT_RENAME));
}

TEST_F(TimetableEditTest, AFailedSaveChangesNothingAndAFailedListKeepsTheTimetable) {
    startThursday();
    writeData("wkb_hd.data", "D1P0C=Math\n");
    writeData("hdvalues.dat", "[C]Math\n");
    edit = timetableEditLoad();
    ASSERT_NE(nullptr, edit);
    set(0, 1, 0, SLOT_COURSE, "Art");
    resetFrontLog();
    faultArm(FAULT_RENAME, 1, PLATFORM_ERROR_DENIED);
    EXPECT_EQ(1, timetableEditSave(edit));
    EXPECT_EQ(crlf("D1P0C=Math\n"), dataBytes("wkb_hd.data"));
    EXPECT_EQ(crlf("[C]Math\n"), dataBytes("hdvalues.dat"));
    EXPECT_EQ(1u, frontCalls("box|").size());
    resetFrontLog();
    faultArm(FAULT_RENAME, 2, PLATFORM_ERROR_DENIED);
    EXPECT_EQ(0, timetableEditSave(edit));
    EXPECT_EQ(crlf("D1P0C=Art\n"), dataBytes("wkb_hd.data"));
    EXPECT_EQ(crlf("[C]Math\n"), dataBytes("hdvalues.dat"));
    ASSERT_EQ(1u, frontCalls("box|").size());
    EXPECT_NE(frontCalls("box|")[0].find("the value lists were not saved"), std::string::npos);
}

TEST_F(TimetableEditTest, RefusesFieldsThatCannotBeStoredAndNamesTheCell) {
    struct Case {
        int teacherMode;
        SlotField field;
        std::string text;
        const char* foreign;
        const char* message;  // "" when the field may be stored
    };
    const Case cases[] = {
        {0, SLOT_COURSE, std::string(254, 'x'), "", ""},
        {0, SLOT_COURSE, std::string(255, 'x'), "",
         "Tuesday, Period 4 of the Yellow timetable: the course is too long (at most 254 characters)."},
        {1, SLOT_TEACHER, "Ma?gorzata", "U+0142",
         "Tuesday, Period 4 of the Yellow timetable: the class holds characters that this computer's character "
         "set cannot store:\nU+0142\n\nChange them before going on."},
    };
    startThursday();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12));
        timetableEditFree(edit);
        edit = timetableEditLoad();
        diaryState.teacherMode = c.teacherMode;
        set(1, 2, 3, c.field, c.text.c_str(), c.foreign);
        TimetableSpot spot = {};
        char message[400] = "";
        EXPECT_EQ(c.message[0] != '\0', timetableEditCheck(edit, &spot, message, sizeof message));
        EXPECT_STREQ(c.message, message);
        if (c.message[0]) {
            EXPECT_TRUE(spot.colour == 1 && spot.day == 2 && spot.period == 3 && spot.field == c.field);
        }
    }
}

TEST(TimetableStep, EnterGoesToTheNextPeriodThenTheNextDay) {
    const int cases[][5] = {
        // day, period, step, then the day and period reached
        {1, 0, 1, 1, 1}, {1, 9, 1, 2, 0}, {6, 9, 1, 1, 0}, {1, 0, -1, 6, 9}, {3, 0, -1, 2, 9},
    };
    for (const auto& c : cases) {
        int day = c[0], period = c[1];
        timetableStep(&day, &period, c[2]);
        EXPECT_EQ(c[3], day);
        EXPECT_EQ(c[4], period);
    }
}
