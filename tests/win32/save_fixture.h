// A store made anew with one course (Monday, Period 1: "Math") for the tests of saves that
// Windows refuses or delays, and the message a refused save of that course shows.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "records/store_prep.h"
#include "store/data_folder.h"
#include "store/table_store.h"
#include "support/temp_folder.h"
#include "support/win32/front_recorder.h"

inline const char kDenied[] =
    "The file is read-only or in use by another program: the course of Monday, Period 1 was not saved. "
    "Nothing was lost; the previous version is kept.";

class SaveFixture : public ::testing::Test {
protected:
    void SetUp() override {
        copyText(baseFolder, sizeof baseFolder, temp.path().c_str());
        diaryState = DiaryState{};
        ASSERT_EQ(STORE_CREATED, prepareStore());
        ASSERT_EQ(0, tableOp(TABLE_SET, TIMETABLE_TABLE, "D1P0C", "Math"));
        table = temp.file("wkb_db\\wkb_hd.data");
        settings = temp.file("wkb_db\\.wkb.rc");
        before = readBytes(table);
        frontClearBoxes();
    }

    TempFolder temp;
    std::string table, settings, before;
};
