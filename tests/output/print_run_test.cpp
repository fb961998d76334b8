// A whole print on the recorded page: the log's exact bytes, the failures of the page set-up
// and of the spooler with their boxes, objects and device given back on every way out, and a
// current folder where the log cannot be written.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "output/print_grid.h"
#include "platform/faults.h"
#include "support/print_recorder.h"

static const std::string kLogStart = crlf(
    "                      LAYOUTER v0.3\n"
    " Technology: 2 2\n"
    " Width: 4960\n"
    " Height: 7016\n"
    " Text: 7fff\n");
static const std::string kFontsOk = crlf(" Fonts Ok.\n Char metrix: w=120 h=175\n");
static const std::string kPageFailed = "box| Mise en page impossible.";

// Every brush and font made is deleted exactly once, and the device is closed once.
static void expectEverythingGivenBack() {
    std::map<std::string, int> live;
    for (const std::string& line : printRecord()) {
        size_t bar = line.find('|');
        std::string kind = line.substr(0, bar);
        std::string object = line.substr(bar + 1, line.find('|', bar + 1) - bar - 1);
        if ((kind == "brush" || kind == "font") && object != "none") ++live[object];
        if (kind == "delete") --live[object];
    }
    for (const auto& entry : live) EXPECT_EQ(0, entry.second) << entry.first;
    EXPECT_EQ(1u, printRecord("close").size());
}

TEST_F(PrintTest, LogTellsEachStepAndReplacesTheLastOneInTheCurrentFolder) {
    writeBytes(here.file(PRINT_LOG_FILE), "an older log that is longer than the new one ...........");
    printWeekGrid();
    EXPECT_EQ(kLogStart + kFontsOk + crlf(" All passed OK \n"), logBytes());
    EXPECT_FALSE(fileExists(base.file(PRINT_LOG_FILE)));
    EXPECT_TRUE(printRecord("box|").empty());
    expectEverythingGivenBack();
}

struct FailureCase {
    PrintFault fault;
    int nth;
    std::string logEnd;   // what follows the page set-up lines
    std::string box;      // "" when no box
    bool pageDrawn;
};

TEST_F(PrintTest, FailuresAreLoggedToldAndReleaseEverything) {
    const std::string fontsOk = " Fonts Ok.\n Char metrix: w=120 h=175\n";
    const FailureCase cases[] = {
        {PRINT_FAULT_FONT, 3, " Fonts not available\n",
         "box| Probl\xe8me d'initialisation de Police ...  "
         "Courier New et Arial doivent \xeatre disponibles. ",
         false},
        {PRINT_FAULT_START_DOC, 1, fontsOk + " Printer error 4 \n", kPageFailed, false},
        {PRINT_FAULT_START_PAGE, 1, fontsOk + " Printer error 1 \n", kPageFailed, false},
        // A page the spooler would not end is logged; the document still goes.
        {PRINT_FAULT_END_PAGE, 1, fontsOk + " Printer error 3 \n All passed OK \n", "", true},
        // A document the spooler did not take is not reported as printed.
        {PRINT_FAULT_END_DOC, 1, fontsOk + " Printer error 5 \n", kPageFailed, true},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.fault);
        printRecorderReset(PAGE_WIDTH, PAGE_HEIGHT);
        printRecorderFail(c.fault, c.nth);
        EXPECT_EQ(0, printWeekGrid());
        EXPECT_EQ(kLogStart + crlf(c.logEnd), logBytes());
        std::vector<std::string> boxes = printRecord("box|");
        EXPECT_EQ(c.box.empty() ? 0u : 1u, boxes.size());
        if (!c.box.empty() && !boxes.empty()) {
            EXPECT_EQ(c.box, boxes[0]);
        }
        EXPECT_EQ(c.pageDrawn ? 45u : 0u, printRecord("rect|").size());
        expectEverythingGivenBack();
    }
}

TEST_F(PrintTest, UnwritableLogLeavesThePrintAndTheUserUntouched) {
    faultArm(FAULT_OPEN_WRITE, 1);
    printWeekGrid();
    EXPECT_FALSE(fileExists(here.file(PRINT_LOG_FILE)));
    EXPECT_TRUE(printRecord("box|").empty());
    EXPECT_EQ(45u, printRecord("rect|").size());
    EXPECT_EQ(1u, printRecord("enddoc").size());
    // The next print logs again.
    printWeekGrid();
    EXPECT_EQ(kLogStart + kFontsOk + crlf(" All passed OK \n"), logBytes());
}
