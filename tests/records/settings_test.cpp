// Settings file: exact bytes, lookups, rewrites, options, and writes that fail.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "core/diary_state.h"
#include "platform/faults.h"
#include "records/settings.h"
#include "records/store_version.h"
#include "store/data_folder.h"
#include "support/diary_fixture.h"

static const std::string kHeader =
    "##################################################################\n"
    "#        RC for WKB. Please, do not edit manually!\n"
    "##################################################################\n";

class SettingsTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        makeDataFolder();
    }
};

TEST_F(SettingsTest, NewFileHoldsHeaderAndDefaultsInOrder) {
    ASSERT_EQ(0, createSettingsFile());
    EXPECT_EQ(188u, crlf(kHeader).size());
    EXPECT_EQ(crlf(kHeader + "version=" CURRENT_VERSION "\ninfo=yes\nbip=yes\n"), dataBytes(".wkb.rc"));
    EXPECT_STREQ(CURRENT_VERSION, readSetting("version"));
    EXPECT_FALSE(fileExists(data(".tmp.rc")));
}

TEST_F(SettingsTest, WriteReplacesInPlaceAppendsNewKeysAndDropsShortLines) {
    writeData(".wkb.rc", kHeader + "version=" CURRENT_VERSION "\n\nx\nab\ninfo=yes\nbip=yes\n");
    ASSERT_EQ(1, writeSetting("info", "no"));
    ASSERT_EQ(1, writeSetting("title", "My diary"));
    // "ab\n" has three characters with its line break and stays; "\n" and "x\n" go.
    EXPECT_EQ(crlf(kHeader + "version=" CURRENT_VERSION "\nab\ninfo=no\nbip=yes\ntitle=My diary\n"), dataBytes(".wkb.rc"));
}

TEST_F(SettingsTest, KeyLookupNeedsTheEqualsSignButWriteReplacesEveryLineStartingWithTheKey) {
    writeData(".wkb.rc", kHeader + "bipx=1\nbip=first\nbip=second\nname=a=b=c\n");
    EXPECT_STREQ("first", readSetting("bip"));
    EXPECT_STREQ("a=b=c", readSetting("name"));
    EXPECT_STREQ("", readSetting("bi"));
    EXPECT_STREQ("", readSetting("missing"));
    ASSERT_EQ(1, writeSetting("bip", "no"));
    EXPECT_EQ(crlf(kHeader + "bip=no\nbip=no\nbip=no\nname=a=b=c\n"), dataBytes(".wkb.rc"));
}

TEST_F(SettingsTest, SettingsAccessKeepsTheCallersPath) {
    createSettingsFile();
    dataFilePath("wkb_hd.data");
    std::string before = filePath;
    readSetting("bip");
    writeSetting("bip", "no");
    EXPECT_EQ(before, filePath);
}

TEST_F(SettingsTest, NoFileReadsEmptyAndIsNeverCreatedByAWrite) {
    EXPECT_STREQ("", readSetting("version"));
    EXPECT_EQ(0, writeSetting("bip", "no"));
    EXPECT_FALSE(fileExists(data(".wkb.rc")));
}

TEST_F(SettingsTest, LoadOptionsFollowsTheExactValues) {
    writeData(".wkb.rc", kHeader + "bip=No\ninfo=no\nteacher=yes \ndefault=yes\n");
    loadOptions();
    EXPECT_EQ(1, diaryState.beepOn);
    EXPECT_EQ(0, diaryState.infoOn);
    EXPECT_EQ(0, diaryState.teacherMode);
    EXPECT_EQ(1, diaryState.useDefaults);
    // Restored settings switch teacher mode and the fall-back off again.
    diaryState.teacherMode = 1;
    writeData(".wkb.rc", kHeader + "teacher=no\n");
    loadOptions();
    EXPECT_EQ(0, diaryState.teacherMode);
    EXPECT_EQ(0, diaryState.useDefaults);
    diaryState.useDefaults = 1;
    EXPECT_EQ(1, diaryState.beepOn);
    EXPECT_EQ(1, diaryState.infoOn);
    setUseDefaults(0);
    EXPECT_EQ(0, diaryState.useDefaults);
    EXPECT_EQ("no", std::string(readSetting("default")));
}

TEST_F(SettingsTest, OptionCommandsSetTheStateAndTheFile) {
    createSettingsFile();
    setBeep(0);
    setInfo(0);
    EXPECT_EQ(0, diaryState.beepOn);
    EXPECT_EQ(0, diaryState.infoOn);
    EXPECT_EQ(crlf(kHeader + "version=" CURRENT_VERSION "\ninfo=no\nbip=no\n"), dataBytes(".wkb.rc"));
    setBeep(1);
    EXPECT_STREQ("yes", readSetting("bip"));
}

// The temporary file belongs in the data folder: a current directory that cannot be
// written must not stop settings from being saved (else the version is never recorded).
TEST_F(SettingsTest, WritesWorkWhenTheCurrentDirectoryCannotBeWritten) {
    createSettingsFile();
    char here[1024];
    ASSERT_NE(nullptr, getcwd(here, sizeof here));
    TempFolder gone;
    std::string dead = gone.file("gone");
    ASSERT_EQ(0, mkdir(dead.c_str(), 0700));
    ASSERT_EQ(0, chdir(dead.c_str()));
    ASSERT_EQ(0, rmdir(dead.c_str()));
    int written = writeSetting("title", "x");
    ASSERT_EQ(0, chdir(here));
    EXPECT_EQ(1, written);
    EXPECT_STREQ("x", readSetting("title"));
}

TEST_F(SettingsTest, AFailedWriteReturnsZeroAndLeavesTheOldFileWhole) {
    createSettingsFile();
    const std::string before = dataBytes(".wkb.rc");
    for (FaultOp op : {FAULT_OPEN_WRITE, FAULT_WRITE, FAULT_FLUSH, FAULT_CLOSE, FAULT_RENAME}) {
        faultReset();
        faultArm(op, 1);
        EXPECT_EQ(0, writeSetting("bip", "no")) << op;
        EXPECT_EQ(before, dataBytes(".wkb.rc")) << op;
        EXPECT_FALSE(fileExists(data(".tmp.rc"))) << op;
    }
    faultReset();
    faultFailAll(FAULT_RENAME, 1, PLATFORM_ERROR_FULL);
    setBeep(0);
    ASSERT_EQ(1u, frontCalls("box|Stop|error|The disk is full: the settings were not saved. Nothing was lost; "
                             "the previous version is kept.")
                      .size());
    EXPECT_EQ(before, dataBytes(".wkb.rc"));
}

TEST_F(SettingsTest, LongAndDamagedLinesAreKeptWholeAndNeverOverflow) {
    std::string title(1500, 't');
    std::string nul("z\0z=1", 5);
    writeData(".wkb.rc", kHeader + "title=" + title + "\n" + nul + "\nbare\rcr=1\nlast=no-line-end");
    // The value is cut to the buffer, and the rest of the line is not a line of its own.
    EXPECT_EQ(std::string(319, 't'), readSetting("title"));
    EXPECT_STREQ("", readSetting("ttttt"));
    EXPECT_STREQ("no-line-end", readSetting("last"));
    ASSERT_EQ(1, writeSetting("bip", "no"));
    // A bare CR ends a line like CR LF: an editor that saves old Mac line ends lost nothing.
    EXPECT_STREQ("1", readSetting("cr"));
    EXPECT_EQ(crlf(kHeader + "title=" + title + "\n" + nul + "\nbare\ncr=1\nlast=no-line-end\nbip=no\n"),
              dataBytes(".wkb.rc"));
    // A value with a line break cannot split the setting.
    ASSERT_EQ(1, writeSetting("title", "a\nb"));
    EXPECT_STREQ("a b", readSetting("title"));
}

TEST_F(SettingsTest, BareLineFeedsAreReadLikeCrLf) {
    writeBytes(data(".wkb.rc"), kHeader + "bip=no\ninfo=no\n");
    EXPECT_STREQ("no", readSetting("bip"));
    ASSERT_EQ(1, writeSetting("info", "yes"));
    EXPECT_EQ(crlf(kHeader + "bip=no\ninfo=yes\n"), dataBytes(".wkb.rc"));
}

// Several keys in one rewrite: each line of a key replaced where it stands, a missing key
// added at the end, the other lines kept; all of them or none reach the file.
TEST_F(SettingsTest, SeveralKeysAreWrittenInOneRewrite) {
    writeData(".wkb.rc", kHeader + "rotation_first=36\nbip=no\nrotation_cycle=1,2\n");
    const char* const keys[] = {"rotation_cycle", "rotation_first", "rotation_holidays"};
    const char* const values[] = {"3,4", "35", "44"};
    ASSERT_EQ(1, writeSettings(keys, values, 3));
    EXPECT_EQ(crlf(kHeader + "rotation_first=35\nbip=no\nrotation_cycle=3,4\nrotation_holidays=44\n"),
              dataBytes(".wkb.rc"));
    faultArm(FAULT_RENAME, 1);
    const char* const again[] = {"1", "2", "3"};
    EXPECT_EQ(0, writeSettings(keys, again, 3));
    EXPECT_EQ(crlf(kHeader + "rotation_first=35\nbip=no\nrotation_cycle=3,4\nrotation_holidays=44\n"),
              dataBytes(".wkb.rc"));
}
