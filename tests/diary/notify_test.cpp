// Notifications: boxes by kind with their titles and icons, beeps, and the fixed texts.
#include <gtest/gtest.h>

#include "core/diary_state.h"
#include "diary/notify.h"
#include "platform/platform.h"
#include "records/store_version.h"
#include "support/diary_fixture.h"
#include "support/platform_recorder.h"

class NotifyTest : public DiaryTest {};

TEST_F(NotifyTest, EachKindShowsItsBoxAndBeepsWhenBeepsAreOn) {
    struct Case {
        int kind;
        const char* call;
        int beeps;
    } cases[] = {{0, "box|Info|information|text", 1},
                 {1, "box|Stop|error|text", 3},
                 {3, "input|text", 1},
                 {5, "box|Intro|information|text", 1},
                 {4, nullptr, 1},
                 {-1, nullptr, 1}};
    for (const Case& c : cases) {
        for (int beepOn = 0; beepOn <= 1; beepOn++) {
            resetFrontLog();
            diaryState.beepOn = beepOn;
            int before = platformBeepCount();
            EXPECT_EQ(0, notify("text", c.kind));
            EXPECT_EQ(beepOn ? c.beeps : 0, platformBeepCount() - before) << c.kind;
            if (c.call) {
                ASSERT_EQ(1u, frontLog.calls.size()) << c.kind;
                EXPECT_EQ(c.call, frontLog.calls[0]);
            } else {
                EXPECT_TRUE(frontLog.calls.empty()) << c.kind;
            }
        }
    }
}

TEST_F(NotifyTest, VersionAndAboutBoxes) {
    showVersion();
    showAbout();
    ASSERT_EQ(2u, frontLog.calls.size());
    EXPECT_EQ("box|Intro|information| Version: " CURRENT_VERSION " \n", frontLog.calls[0]);
    EXPECT_EQ(std::string("box|Intro|information|") + aboutText(), frontLog.calls[1]);
    EXPECT_NE(nullptr, strstr(aboutText(), CURRENT_VERSION));
}

TEST_F(NotifyTest, AnInputDialogThatCannotOpenIsReportedOnStandardOutput) {
    frontLog.inputDialogFails = 1;
    testing::internal::CaptureStdout();
    notify("prompt", 3);
    EXPECT_EQ("Dlg failed\n", testing::internal::GetCapturedStdout());
}
