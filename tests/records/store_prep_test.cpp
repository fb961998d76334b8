// Store preparation: every status, the files it writes byte for byte, and the copies it
// keeps before emptying a table.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/diary_state.h"
#include "diary/startup_message.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "records/store_version.h"
#include "store/data_folder.h"
#include "support/diary_fixture.h"

static const std::string kHeader =
    "##################################################################\n"
    "#        RC for WKB. Please, do not edit manually!\n"
    "##################################################################\n";
static const std::string kWeeks = "### Weeks colors data. Please do not edit.\n";

class StorePrepTest : public DiaryTest {
protected:
    int prepare() {
        readVersionMajor();
        return prepareStore();
    }
    std::set<std::string> dataFolderEntries() {
        std::set<std::string> names;
        for (auto& e : std::filesystem::directory_iterator(data("")))
            names.insert(e.path().filename().string() + (e.is_directory() ? "/" : ""));
        return names;
    }
    void oldStore(const std::string& version) {
        writeData(".wkb.rc", kHeader + "version=" + version + "\ninfo=yes\nbip=yes\nteacher=yes\n");
        writeData("wkb_hd.data", "D1P0C=Math\n");
        writeData("wkb_txt.data", "W1D1P0=homework\n");
        writeData("weeks.dat", kWeeks + "1=2\n");
    }
};

TEST_F(StorePrepTest, FirstStartCreatesExactlyTheNewStore) {
    EXPECT_EQ(STORE_CREATED, prepare());
    EXPECT_EQ((std::set<std::string>{".tmp/", ".wkb.rc", "wkb_hd.data", "wkb_txt.data", "weeks.dat"}),
              dataFolderEntries());
    EXPECT_EQ(crlf(kHeader + "version=" CURRENT_VERSION "\ninfo=yes\nbip=yes\n"), dataBytes(".wkb.rc"));
    EXPECT_EQ("", dataBytes("wkb_hd.data"));
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
    EXPECT_EQ(crlf(kWeeks), dataBytes("weeks.dat"));
    EXPECT_TRUE(frontLog.calls.empty());
}

TEST_F(StorePrepTest, ACurrentStoreIsLeftAloneAndNothingIsWritten) {
    ASSERT_EQ(STORE_CREATED, prepare());
    faultReset();
    EXPECT_EQ(STORE_OK, prepare());
    EXPECT_EQ(0, faultCalls(FAULT_OPEN_WRITE));
    EXPECT_EQ(0, faultCalls(FAULT_RENAME));
    EXPECT_EQ(2, versionMajor);
}

TEST_F(StorePrepTest, AnUpgradeFromMajorTwoKeepsTablesAndResetsTeacherMode) {
    oldStore("wkb_v2.4.0");
    EXPECT_EQ(STORE_UPGRADED, prepare());
    EXPECT_EQ(crlf(kHeader + "version=" CURRENT_VERSION "\ninfo=yes\nbip=yes\nteacher=no\n"), dataBytes(".wkb.rc"));
    EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.data"));
    EXPECT_EQ("W1D1P0=homework\r\n", dataBytes("wkb_txt.data"));
    EXPECT_EQ(crlf(kWeeks + "1=2\n"), dataBytes("weeks.dat"));
    EXPECT_FALSE(fileExists(data("wkb_hd.bak")));
    // A newer version is handled the same way.
    writeData(".wkb.rc", kHeader + "version=wkb_v2.6.0\n");
    EXPECT_EQ(STORE_UPGRADED, prepare());
    EXPECT_STREQ(CURRENT_VERSION, readSetting("version"));
}

TEST_F(StorePrepTest, AnUpgradeFromMajorOneEmptiesTablesButKeepsACopy) {
    for (const char* version : {"wkb_v1.9.0", "wkb_v0.3"}) {
        oldStore(version);
        std::filesystem::remove(data("wkb_hd.bak"));
        std::filesystem::remove(data("wkb_txt.bak"));
        EXPECT_EQ(STORE_UPGRADED, prepare()) << version;
        EXPECT_EQ("", dataBytes("wkb_hd.data"));
        EXPECT_EQ("", dataBytes("wkb_txt.data"));
        EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.bak"));
        EXPECT_EQ("W1D1P0=homework\r\n", dataBytes("wkb_txt.bak"));
        EXPECT_STREQ("no", readSetting("teacher"));
        EXPECT_EQ(crlf(kWeeks + "1=2\n"), dataBytes("weeks.dat"));
    }
}

TEST_F(StorePrepTest, ALostSettingsFileSetsUpAgainWithoutLosingTheNotes) {
    oldStore(CURRENT_VERSION);
    std::filesystem::remove(data(".wkb.rc"));
    EXPECT_EQ(STORE_UPGRADED, prepare());
    EXPECT_EQ(crlf(kHeader + "version=" CURRENT_VERSION "\ninfo=yes\nbip=yes\nteacher=no\n"), dataBytes(".wkb.rc"));
    EXPECT_EQ("", dataBytes("wkb_txt.data"));
    EXPECT_EQ("W1D1P0=homework\r\n", dataBytes("wkb_txt.bak"));
    EXPECT_EQ(crlf(kWeeks + "1=2\n"), dataBytes("weeks.dat"));
    // A second loss keeps the first copy and makes another.
    writeData("wkb_txt.data", "W2D1P0=later\n");
    std::filesystem::remove(data(".wkb.rc"));
    EXPECT_EQ(STORE_UPGRADED, prepare());
    EXPECT_EQ("W1D1P0=homework\r\n", dataBytes("wkb_txt.bak"));
    EXPECT_EQ("W2D1P0=later\r\n", dataBytes("wkb_txt.bak2"));
    // Empty tables need no copy.
    EXPECT_FALSE(fileExists(data("wkb_hd.bak2")));
}

// The same settings file saved by other editors: "Unicode" and UTF-8 in Notepad, old Mac line
// ends. Each is read as the current store: nothing is emptied and nothing is written.
TEST_F(StorePrepTest, ASettingsFileSavedByAnotherEditorIsTheSameStore) {
    std::u32string text = U"##\r\nversion=" CURRENT_VERSION "\r\ninfo=yes\r\nbip=no\r\nteacher=yes\r\ntitle=\u00c9cole \u20ac\r\n";
    std::string cr = "##\rversion=" CURRENT_VERSION "\rinfo=yes\rbip=no\rteacher=yes\rtitle=\xc9" "cole \x80\r";
    for (const std::string& settings : {utf16WithMark(text, false), utf16WithMark(text, true), utf8WithMark(text), cr}) {
        oldStore(CURRENT_VERSION);
        writeBytes(data(".wkb.rc"), settings);
        EXPECT_EQ(STORE_OK, prepare()) << settings.size();
        EXPECT_EQ(settings, dataBytes(".wkb.rc"));
        EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.data"));
        EXPECT_EQ("W1D1P0=homework\r\n", dataBytes("wkb_txt.data"));
        EXPECT_FALSE(fileExists(data("wkb_txt.bak")));
        EXPECT_STREQ("\xc9" "cole \x80", readSetting("title"));
        EXPECT_STREQ("no", readSetting("bip"));
        // The next change of a setting writes the file in the diary's own form.
        ASSERT_EQ(1, writeSetting("bip", "yes"));
        EXPECT_EQ("##\r\nversion=" CURRENT_VERSION "\r\ninfo=yes\r\nbip=yes\r\nteacher=yes\r\ntitle=\xc9" "cole \x80\r\n",
                  dataBytes(".wkb.rc"));
    }
}

// A settings file emptied to 0 bytes (or without a version line) beside tables that hold data
// is a store in use: the tables stay, the version is written, and the user is told once.
TEST_F(StorePrepTest, ASettingsFileWithoutAVersionBesideDataKeepsTheTables) {
    for (const std::string& settings : {std::string(), std::string("info=no\r\n")}) {
        oldStore(CURRENT_VERSION);
        writeBytes(data(".wkb.rc"), settings);
        EXPECT_EQ(STORE_UPGRADED, prepare());
        EXPECT_EQ(settings + "version=" CURRENT_VERSION "\r\n", dataBytes(".wkb.rc"));
        EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.data"));
        EXPECT_EQ("W1D1P0=homework\r\n", dataBytes("wkb_txt.data"));
        EXPECT_FALSE(fileExists(data("wkb_hd.bak")));
        EXPECT_STREQ("\n\nThe settings file had no version. Your timetable and notes were kept.",
                     storePreparationNote());
        EXPECT_EQ(STORE_OK, prepare()) << "said once";
        EXPECT_STREQ("", storePreparationNote());
    }
    // Beside empty tables there is nothing to keep: the store is set up anew, as before.
    writeData("wkb_hd.data", "");
    writeData("wkb_txt.data", "");
    writeBytes(data(".wkb.rc"), "");
    EXPECT_EQ(STORE_UPGRADED, prepare());
    EXPECT_EQ(crlf(kHeader + "version=" CURRENT_VERSION "\ninfo=yes\nbip=yes\nteacher=no\n"), dataBytes(".wkb.rc"));
    EXPECT_STREQ("", storePreparationNote());
}

// Where tables are still emptied, the start-up message names the copies that hold them.
TEST_F(StorePrepTest, TheStartupMessageNamesTheCopiesOfEmptiedTables) {
    oldStore("wkb_v1.9.0");
    EXPECT_EQ(STORE_UPGRADED, prepare());
    EXPECT_STREQ("\n\nYour old timetable and notes were kept in the data folder as wkb_hd.bak and wkb_txt.bak.",
                 storePreparationNote());
    writeData("wkb_txt.data", "W2D1P0=later\n");
    std::filesystem::remove(data(".wkb.rc"));
    diaryState.storeStatus = prepare();
    EXPECT_EQ(STORE_UPGRADED, diaryState.storeStatus);
    EXPECT_STREQ("\n\nYour old notes were kept in the data folder as wkb_txt.bak2.", storePreparationNote());
    char message[1024];
    composeStartupMessage(message, sizeof message);
    std::string text = message;
    EXPECT_EQ("\n WKB Upgrade: OK  \nPath: " + data("") + storePreparationNote(),
              text.substr(text.find("\n WKB Upgrade")));
}

TEST_F(StorePrepTest, ATableIsNotEmptiedWhenItsCopyCannotBeMade) {
    oldStore("wkb_v1.0");
    faultFailAll(FAULT_COPY, 1);
    EXPECT_EQ(STORE_FAILED, prepare());
    EXPECT_EQ("D1P0C=Math\r\n", dataBytes("wkb_hd.data"));
    EXPECT_EQ("W1D1P0=homework\r\n", dataBytes("wkb_txt.data"));
    EXPECT_EQ(1u, frontCalls("box|Stop|error|Could not keep a copy of the table wkb_hd").size());
}

TEST_F(StorePrepTest, AnUnwritableDataFolderFails) {
    faultFailAll(FAULT_OPEN_WRITE, 1);
    EXPECT_EQ(STORE_FAILED, prepare());
    faultReset();
    makeDataFolder();
    faultFailAll(FAULT_RENAME, 1);
    EXPECT_EQ(STORE_FAILED, prepare());
    EXPECT_FALSE(frontCalls("box|Stop|error|Create DB file failed.").empty());
}

TEST_F(StorePrepTest, VersionTextsOfAnyShapeAreReadSafely) {
    struct Case {
        const char* text;
        int major;
    } cases[] = {{CURRENT_VERSION, 2}, {"v17", 17}, {"no version", 0}, {"1.0", 0}, {"wkb_vx", 0},
                 {"wkb_v99999999999999999999", 2147483647}, {"abcdefghijklmnopqrstuvwxyz_v3", 0}};
    for (const Case& c : cases) {
        writeData(".wkb.rc", kHeader + "version=" + c.text + "\n");
        readVersionMajor();
        EXPECT_EQ(c.major, versionMajor) << c.text;
    }
    writeData(".wkb.rc", kHeader + "version=" + std::string(300, 'v') + "\n");
    EXPECT_EQ(STORE_UPGRADED, prepare());
}

TEST_F(StorePrepTest, TheFallbackBaseFolderIsCreatedFirst) {
    std::filesystem::remove_all(WKB_FALLBACK_BASE);
    copyText(baseFolder, sizeof baseFolder, WKB_FALLBACK_BASE);
    EXPECT_EQ(STORE_CREATED, prepare());
    EXPECT_TRUE(fileExists(WKB_FALLBACK_BASE "/wkb_db/.wkb.rc"));
    std::filesystem::remove_all(WKB_FALLBACK_BASE);
}
