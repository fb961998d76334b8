// The page frame: the banner icon, the footer forms with the maker's host reachable (a
// listener of the test's own) and not, and what a page that cannot be written leaves behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "core/diary_state.h"
#include "output/day_list.h"
#include "output/page_expect.h"
#include "output/page_frame.h"
#include "output/page_test_support.h"
#include "output/pages.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "support/platform_recorder.h"

static std::string decodeBase64(const std::string& text) {
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned long group = 0;
    int bits = 0;
    for (char c : text) {
        if (c == '=') break;
        group = (group << 6) | digits.find(c);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += (char)((group >> bits) & 0xff);
        }
    }
    return out;
}

static unsigned le(const std::string& b, size_t at, int n) {
    unsigned v = 0;
    for (int i = n - 1; i >= 0; i--) v = (v << 8) | (unsigned char)b[at + i];
    return v;
}

TEST(PageIcon, IsOne32By32TwoColourIconOf326Bytes) {
    std::string icon = decodeBase64(expectedIconBase64());
    ASSERT_EQ(436u, expectedIconBase64().size());
    ASSERT_EQ(326u, icon.size());
    EXPECT_EQ(0u, le(icon, 0, 2));
    EXPECT_EQ(1u, le(icon, 2, 2));   // icon
    EXPECT_EQ(1u, le(icon, 4, 2));   // one image
    EXPECT_EQ(32u, le(icon, 6, 1));
    EXPECT_EQ(32u, le(icon, 7, 1));
    EXPECT_EQ(2u, le(icon, 8, 1));   // colours
    EXPECT_EQ(1u, le(icon, 12, 2));  // bits per pixel
    EXPECT_EQ(304u, le(icon, 14, 4));
    EXPECT_EQ(22u, le(icon, 18, 4));
    EXPECT_EQ(40u, le(icon, 22, 4));
    EXPECT_EQ(64u, le(icon, 30, 4));  // colour bits and mask
    EXPECT_EQ(1u, le(icon, 36, 2));
    // A picture, not a blank square: both colours and some transparency are used.
    std::string bits = icon.substr(70, 128), mask = icon.substr(198, 128);
    EXPECT_NE(std::string(128, '\0'), bits);
    EXPECT_NE(std::string(128, '\xff'), bits);
    EXPECT_NE(std::string(128, '\0'), mask);
}

TEST_F(ExportTest, PageFrameReachableHostFramesTheMakersPageForTheWholeRun) {
    LoopbackListener host;
    pageProbeTarget("127.0.0.1", host.port());
    exportDayPage();
    std::string page = this->page("today.html");
    EXPECT_EQ(expectedHead(), page.substr(0, expectedHead().size()));
    std::string end = expectedEnd(false, true);
    ASSERT_GE(page.size(), end.size());
    EXPECT_EQ(end, page.substr(page.size() - end.size()));
    EXPECT_EQ(1, diaryState.webReachable);

    // The host is gone, but the run keeps its first answer and does not probe again.
    host.close();
    exportWeeksTablePage();
    page = this->page("weeks.html");
    EXPECT_EQ(expectedEnd(true, true), page.substr(page.size() - expectedEnd(true, true).size()));
    EXPECT_EQ(1, probeWebHost());
}

TEST_F(ExportTest, PageFrameUnreachableHostGivesBothPlainFooters) {
    int port;
    {
        LoopbackListener gone;
        port = gone.port();
    }
    pageProbeTarget("127.0.0.1", port);
    exportWeeksTablePage();
    std::string page = this->page("weeks.html");
    EXPECT_EQ(expectedEnd(true, false), page.substr(page.size() - expectedEnd(true, false).size()));
    EXPECT_EQ(2, diaryState.webReachable);

    LoopbackListener back;  // too late: the run already decided
    pageProbeTarget("127.0.0.1", back.port());
    exportWeekGridPage();
    page = this->page("week.html");
    EXPECT_EQ(expectedEnd(false, false), page.substr(page.size() - expectedEnd(false, false).size()));
}

TEST_F(ExportTest, PageFrameNoHostConfiguredIsNotReachableWithoutProbing) {
    EXPECT_EQ(2, probeWebHost());
    EXPECT_EQ(0, diaryState.webReachable);  // only a page end records the answer
}

// A page or list that cannot be written: the user is told, nothing is opened, and the file
// of the previous export stays whole.
class ExportFailure : public ExportTest, public ::testing::WithParamInterface<FaultOp> {};

TEST_P(ExportFailure, LeavesOldFilesWholeAndOpensNothing) {
    exportDayPage();
    exportDayList();
    std::string oldPage = dataBytes("today.html"), oldList = dataBytes("daylist.gpe");
    notes(3, 4, 0, "changed");
    platformLaunch("nothing", "launched");
    resetFrontLog();

    faultArm(GetParam(), 1);
    exportDayPage();
    faultReset();
    faultArm(GetParam(), 1);
    exportDayList();

    EXPECT_EQ(oldPage, dataBytes("today.html"));
    EXPECT_EQ(oldList, dataBytes("daylist.gpe"));
    EXPECT_FALSE(fileExists(data("today.html.part")));
    EXPECT_FALSE(fileExists(data("daylist.gpe.part")));
    EXPECT_STREQ("nothing", platformLastLaunchProgram());
    auto boxes = frontCalls("box|");
    ASSERT_EQ(2u, boxes.size());
    const std::string cause = "box|Stop|error|The file could not be written (error " + std::to_string(EIO) + "): ";
    EXPECT_EQ(cause + "the day page was not saved. Nothing was lost; the previous version is kept.", boxes[0]);
    EXPECT_EQ(cause + "the day list was not saved. Nothing was lost; the previous version is kept.", boxes[1]);
}

INSTANTIATE_TEST_SUITE_P(Export, ExportFailure, ::testing::Values(FAULT_OPEN_WRITE, FAULT_WRITE, FAULT_RENAME));
