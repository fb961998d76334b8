// Data folder: base folder choice, paths, and the existence test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "support/diary_fixture.h"

class DataFolderTest : public DiaryTest {};

TEST_F(DataFolderTest, PathsAreBaseFolderDataFolderAndName) {
    copyText(baseFolder, sizeof baseFolder, "/base");
    EXPECT_STREQ("/base/wkb_db/.wkb.rc", dataFilePath(".wkb.rc"));
    EXPECT_STREQ("/base/wkb_db/", dataFilePath(""));
    // A base folder ending in the separator still gets its own.
    copyText(baseFolder, sizeof baseFolder, "/");
    EXPECT_STREQ("//wkb_db/weeks.dat", dataFilePath("weeks.dat"));
}

TEST_F(DataFolderTest, MissingTellsFilesAndFoldersFromNothing) {
    dataFilePath("");
    EXPECT_EQ(1, dataFileMissing());
    makeDataFolder();
    dataFilePath("");
    EXPECT_EQ(0, dataFileMissing());
    dataFilePath("weeks.dat");
    EXPECT_EQ(1, dataFileMissing());
    writeData("weeks.dat", "x");
    dataFilePath("weeks.dat");
    EXPECT_EQ(0, dataFileMissing());
}

TEST_F(DataFolderTest, APathThatDoesNotFitNamesNothing) {
    std::string deep(250, 'd');
    copyText(baseFolder, sizeof baseFolder, deep.c_str());
    EXPECT_STREQ("", dataFilePath("wkb_txt.data"));
    EXPECT_EQ(1, dataFileMissing());
}

TEST_F(DataFolderTest, TheBaseFolderIsTheCurrentDirectoryOutsideTheProgramsFolder) {
    char here[1024];
    ASSERT_NE(nullptr, getcwd(here, sizeof here));
    ASSERT_EQ(0, chdir(base.path().c_str()));
    determineBaseFolder();
    ASSERT_EQ(0, chdir(here));
    char expected[1024];
    copyText(expected, sizeof expected, base.path().c_str());
    EXPECT_STREQ(expected, baseFolder);
}
