// The browser and Notepad on Windows: the executable taken from a registered command text,
// the lookup itself, and launches of pages and the day list from a data folder whose path has
// spaces (launches recorded, not performed).
#include <gtest/gtest.h>

#include <string>

#include "core/diary_state.h"
#include "output/day_list.h"
#include "output/page_frame.h"
#include "output/pages.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "support/platform_recorder.h"
#include "support/temp_folder.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"

static std::string executableOf(const char* text, int size = BROWSER_PATH_SIZE) {
    char out[BROWSER_PATH_SIZE];
    browserFromAssociation(text, out, size);
    return out;
}

TEST(BrowserLookup, ExecutableOfARegisteredCommandText) {
    EXPECT_EQ("C:\\Program Files\\Mozilla Firefox\\firefox.exe",
              executableOf("\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -osint -url \"%1\""));
    EXPECT_EQ("C:\\Program Files\\Web\\browser.exe", executableOf("\"C:\\Program Files\\Web\\browser.exe"));
    EXPECT_EQ("C:\\windows\\system32\\winebrowser.exe -nohome",
              executableOf("C:\\windows\\system32\\winebrowser.exe -nohome"));
    EXPECT_EQ("", executableOf("\"\" -url"));
    EXPECT_EQ("C:\\Prog", executableOf("\"C:\\Program Files\\x.exe\"", 8));
    EXPECT_EQ("C:\\Prog", executableOf("C:\\Program Files\\x.exe", 8));
}

TEST(BrowserLookup, RegisteredBrowserIsAnUnquotedPath) {
    if (findBrowser() != 0) GTEST_SKIP() << "no browser registered for http in this prefix";
    std::string path = pageFrame.browserPath;
    EXPECT_FALSE(path.empty());
    EXPECT_EQ(std::string::npos, path.find('"')) << path;
}

class BrowserLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        resetDiaryState();
        diaryState.selectedWeek = 16;
        diaryState.selectedDay = 3;
        folder = base.path() + "\\my school diary";
        CreateDirectoryA(folder.c_str(), NULL);
        CreateDirectoryA((folder + "\\wkb_db").c_str(), NULL);
        copyText(baseFolder, sizeof baseFolder, folder.c_str());
        pageProbeTarget("", 0);
        platformRecordLaunches(1);
        frontClearBoxes();
    }
    void TearDown() override {
        pageProbeTarget(NULL, 0);
        resetDiaryState();
    }
    TempFolder base;
    std::string folder;
};

TEST_F(BrowserLaunch, PagePathWithSpacesReachesTheBrowserAsOneParameter) {
    exportDayPage();
    std::string page = folder + "\\wkb_db\\today.html";
    std::string bytes = readBytes(page);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(0u, bytes.find("<!DOCTYPE doctype PUBLIC \"-//w3c//dtd html 4.0 transitional//en\">\r\n<html>\r\n"));
    const char* browser = findBrowser() == 0 ? pageFrame.browserPath : FALLBACK_BROWSER;
    EXPECT_STREQ(browser, platformLastLaunchProgram());
    EXPECT_EQ("\"" + page + "\"", platformLastLaunchParams());
    EXPECT_EQ(0, frontBoxCount());
}

TEST_F(BrowserLaunch, DayListGoesToNotepadWithThePlainPath) {
    exportDayList();
    std::string list = folder + "\\wkb_db\\daylist.gpe";
    EXPECT_TRUE(fileExists(list));
    EXPECT_STREQ("notepad.exe", platformLastLaunchProgram());
    EXPECT_EQ(list, platformLastLaunchParams());
    EXPECT_EQ(0, frontBoxCount());
}
