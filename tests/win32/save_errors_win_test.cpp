// Saves that Windows refuses, for real: a read-only table, a table another program holds open,
// and a device that is always full. The message must name the cause, and the table stay whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/store_prep.h"
#include "store/data_folder.h"
#include "store/table_store.h"
#include "support/temp_folder.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "save_fixture.h"

namespace {

class SaveErrorsWin : public SaveFixture {
protected:
    void TearDown() override { SetFileAttributesA(table.c_str(), FILE_ATTRIBUTE_NORMAL); }

    // Sets the course again; the set must fail with one box.
    std::string refusedSave() {
        EXPECT_EQ(1, tableOp(TABLE_SET, TIMETABLE_TABLE, "D1P0C", "Art"));
        EXPECT_EQ(1, frontBoxCount());
        return frontBoxText(0);
    }
};

}  // namespace

TEST_F(SaveErrorsWin, AReadOnlyTableIsToldAsRefused) {
    ASSERT_TRUE(SetFileAttributesA(table.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(kDenied, refusedSave());
    EXPECT_EQ(before, readBytes(table));
    EXPECT_EQ(PLATFORM_ERROR_DENIED, platformLastError()->kind);
    EXPECT_EQ(ERROR_ACCESS_DENIED, platformLastError()->code);
    EXPECT_EQ(table, platformLastError()->path);
}

TEST_F(SaveErrorsWin, ATableHeldOpenByAnotherProgramIsToldAsRefused) {
    HANDLE held = CreateFileA(table.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string told = refusedSave();
    CloseHandle(held);
    EXPECT_EQ(kDenied, told);
    EXPECT_EQ(before, readBytes(table));
}

// No folder of the test can be made full from inside Wine; the system's always-full device
// gives the same error to the platform's write and flush.
TEST(PlatformErrorsWin, AFullDeviceIsToldAsAFullDisk) {
    FILE* full = platformOpen("Z:\\dev\\full", "w");
    if (full == NULL) GTEST_SKIP() << "no Z:\\dev\\full here";
    static char block[65536];
    int failed = platformWrite(full, block, sizeof block) != 0 || platformFlush(full) != 0;
    platformClose(full);
    ASSERT_TRUE(failed);
    EXPECT_EQ(PLATFORM_ERROR_FULL, platformLastError()->kind)
        << platformLastError()->op << " " << platformLastError()->code;
}

// A real full disk: tests/win32/full-disk-run gives a tiny file system of its own as
// WKB_FULL_DISK (its Windows path) in a private mount namespace; elsewhere the test is skipped.
TEST(FullDiskWin, ASaveOnAFullDiskIsToldAsAFullDisk) {
    const char* full = getenv("WKB_FULL_DISK");
    if (full == NULL || full[0] == '\0') GTEST_SKIP() << "run through tests/win32/full-disk-run";
    copyText(baseFolder, sizeof baseFolder, full);
    diaryState = DiaryState{};
    ASSERT_EQ(STORE_CREATED, prepareStore());
    ASSERT_EQ(0, tableOp(TABLE_SET, TIMETABLE_TABLE, "D1P0C", "Math"));
    std::string table = std::string(full) + "\\wkb_db\\wkb_hd.data";
    std::string before = readBytes(table);
    // Fill the disk to its last byte.
    std::string fillerPath = std::string(full) + "\\filler";
    HANDLE filler = CreateFileA(fillerPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, filler);
    static char block[4096];
    DWORD written = 0;
    for (DWORD size = sizeof block; size > 0; size /= 2)
        while (WriteFile(filler, block, size, &written, NULL) && written == size) {}
    CloseHandle(filler);
    frontClearBoxes();
    EXPECT_EQ(1, tableOp(TABLE_SET, TIMETABLE_TABLE, "D1P0C", "Art"));
    ASSERT_EQ(1, frontBoxCount());
    EXPECT_STREQ("The disk is full: the course of Monday, Period 1 was not saved. Nothing was lost; the previous "
                 "version is kept.",
                 frontBoxText(0));
    EXPECT_EQ(before, readBytes(table));
    DeleteFileA(fillerPath.c_str());
}
