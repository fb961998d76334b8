// Printing on Windows: the printer choice and its exact log for each way it can go ("printer.dat"
// naming an unknown printer, "NO_AUTO", the default printer entry, the dialog cancelled by the
// test or by a user), a device that cannot start a document, and a real print (run by
// scripts/print-pdf-check with WKB_PRINT_REAL set).
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "core/diary_state.h"
#include "output/print_grid.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "records/store_version.h"
#include "store/data_folder.h"
#include "support/temp_folder.h"
#include "support/win32/front_recorder.h"

namespace {

const std::string kHead = crlf(
    "                      LAYOUTER v0.3\n"
    " Kernel32 found OK \n"
    " GetProfileStringA found OK\n");
const std::string kAborted = " get DC from Dialog. No valid Printer selected... Aborting!";
const std::string kWarningBox = std::string("Imprimante|16|") +
    " Le contexte graphique imprimante ne peut \xeatre ouvert automatiquement.\n"
    " Un dialogue d'impression Windows va \xeatre lanc\xe9.\n"
    " Ceci n'est pas recommand\xe9 car vous perdez de l'efficacit\xe9. \n"
    " Comme solution: cr\xe9\x65z un fichier 'printer.dat' dans le r\xe9pertoire de \n"
    " l'application contenant le nom exact de l'imprimante s\xe9lectionn\xe9\x65 dans \n"
    " ce dialogue. \n"
    " Si rien n'y fait, cr\xe9\x65z ce m\xeame fichier contenant NO_AUTO .";

// What the test's print dialog saw, and the device it answers with (NULL: Cancel).
PRINTDLGA seenDialog;
int dialogCalls;
HDC dialogAnswer;

int answerDialog(void* record) {
    PRINTDLGA* dialog = (PRINTDLGA*)record;
    seenDialog = *dialog;
    ++dialogCalls;
    dialog->hDC = dialogAnswer;
    return dialogAnswer != NULL;
}

class PrintChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof previous, previous);
        ASSERT_TRUE(SetCurrentDirectoryA(here.path().c_str()));
        resetDiaryState();
        copyText(baseFolder, sizeof baseFolder, here.path().c_str());
        faultReset();
        dialogCalls = 0;
        dialogAnswer = NULL;
        memset(&seenDialog, 0, sizeof seenDialog);
        printSetDialogHook(answerDialog);
        printSetProfileDevice(NULL);
        printRecordBoxes(1);
    }
    void TearDown() override {
        SetCurrentDirectoryA(previous);
        printSetDialogHook(NULL);
        printSetProfileDevice(NULL);
        printRecordBoxes(0);
        faultReset();
    }
    std::string log() const { return readBytes(here.file(PRINT_LOG_FILE)); }

    TempFolder here;
    char previous[MAX_PATH];
};

TEST_F(PrintChoiceTest, UnknownPrinterInPrinterDatWarnsAndFallsBackToTheDialog) {
    writeBytes(here.file(PRINTER_CHOICE_FILE), "No Such Printer 42\r\nsecond line\r\n");
    EXPECT_EQ(0, printWeekGrid());
    EXPECT_EQ(kHead + crlf(" Found in <printer.dat> : No Such Printer 42\n\n Open Printer failed,\n") +
                  kAborted,
              log());
    EXPECT_EQ(1, printBoxCount());
    EXPECT_EQ(kWarningBox, printLastBox());
    ASSERT_EQ(1, dialogCalls);
    EXPECT_EQ(sizeof(PRINTDLGA), seenDialog.lStructSize);
    EXPECT_EQ((HWND)NULL, seenDialog.hwndOwner);
    EXPECT_EQ((DWORD)PD_RETURNDC, seenDialog.Flags);
    EXPECT_EQ(1, seenDialog.nFromPage);
    EXPECT_EQ(1, seenDialog.nToPage);
    EXPECT_EQ(0, seenDialog.nMinPage);
    EXPECT_EQ(0, seenDialog.nMaxPage);
    EXPECT_EQ(1, seenDialog.nCopies);
    EXPECT_EQ((HGLOBAL)NULL, seenDialog.hDevMode);
}

TEST_F(PrintChoiceTest, NoAutoGoesStraightToTheDialogWithoutWarning) {
    writeBytes(here.file(PRINTER_CHOICE_FILE), "use the dialog: NO_AUTO\r\n");
    printWeekGrid();
    EXPECT_EQ(kHead + crlf(" Found in <printer.dat> : use the dialog: NO_AUTO\n\n") + kAborted, log());
    EXPECT_EQ(0, printBoxCount());
    EXPECT_EQ(1, dialogCalls);
}

TEST_F(PrintChoiceTest, DefaultPrinterEntryDecidesWithoutPrinterDat) {
    struct Case {
        const char* entry;
        std::string log;
    } cases[] = {
        // No default printer at all.
        {"", " Default Printer: \n Default printer not found,\n"},
        // No entry: the profile's default text is taken as a name, and fails.
        {"NOT_FOUND", " Default Printer: NOT_FOUND\n Name: NOT_FOUND\n Open Printer failed,\n"},
        {"Ghost,winspool,Ne00:",
         " Default Printer: Ghost,winspool,Ne00:\n Name: Ghost\n Open Printer failed,\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        printSetProfileDevice(c.entry);
        printRecordBoxes(1);
        dialogCalls = 0;
        printWeekGrid();
        EXPECT_EQ(kHead + crlf(c.log) + kAborted, log());
        EXPECT_EQ(1, printBoxCount());
        EXPECT_EQ(1, dialogCalls);
    }
}

TEST_F(PrintChoiceTest, DeviceThatCannotStartADocumentIsToldAndDeleted) {
    writeBytes(here.file(PRINTER_CHOICE_FILE), "NO_AUTO");
    // A memory device: it has fonts but no spooler behind it.
    dialogAnswer = CreateCompatibleDC(NULL);
    ASSERT_NE((HDC)NULL, dialogAnswer);
    printWeekGrid();
    std::string text = log();
    std::string start = kHead + " Found in <printer.dat> : NO_AUTO\r\n get DC from Dialog. Technology: ";
    EXPECT_EQ(start, text.substr(0, start.size()));
    EXPECT_NE(std::string::npos, text.find("\r\n Fonts Ok.\r\n Char metrix: w="));
    const std::string end = " Printer error 4 \r\n";
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(end, text.substr(text.size() - end.size()));
    EXPECT_EQ("Imprimante|16| Mise en page impossible.", std::string(printLastBox()));
    EXPECT_EQ(0u, GetObjectType(dialogAnswer));
}

// The visible dialog windows of this process.
std::vector<HWND> processDialogs() {
    std::vector<HWND> found;
    HWND w = NULL;
    while ((w = FindWindowExA(NULL, w, "#32770", NULL)) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == GetCurrentProcessId() && IsWindowVisible(w)) found.push_back(w);
    }
    return found;
}

// Acts as the user: presses Cancel on the first dialog that was not open before.
void cancelNewDialog(std::vector<HWND> before, char* title, int size) {
    for (int tries = 0; tries < 600; ++tries) {
        for (HWND w : processDialogs()) {
            if (std::find(before.begin(), before.end(), w) != before.end()) continue;
            GetWindowTextA(w, title, size);
            PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        Sleep(50);
    }
}

TEST_F(PrintChoiceTest, UserCancellingTheRealDialogAbortsThePrint) {
    writeBytes(here.file(PRINTER_CHOICE_FILE), "NO_AUTO\r\n");
    printSetDialogHook(NULL);
    char title[128] = "";
    std::thread user(cancelNewDialog, processDialogs(), title, (int)sizeof title);
    printWeekGrid();
    user.join();
    std::printf("[ dialog seen: \"%s\" ]\n", title);
    EXPECT_EQ(kHead + crlf(" Found in <printer.dat> : NO_AUTO\n\n") + kAborted, log());
}

// A week of colour 2 with every slot filled: long names to cut, back quotes to turn.
void fillStore(const std::string& base) {
    CreateDirectoryA((base + "\\wkb_db").c_str(), NULL);
    const char* courses[] = {"Mathematics", "English", "Physics and chemistry", "History", "Art`s club"};
    const char* teachers[] = {"Mr Smith", "Mrs O`Neil", "Dr Livingstone-Jones", "Ms Li"};
    const char* rooms[] = {"B12", "Lab 3", "Gym", "R1234X"};
    std::string table = "D1P0C=colour-less, not printed\r\n";
    for (int d = 1; d <= 6; ++d) {
        for (int p = 0; p < 10; ++p) {
            if ((d + p) % 7 == 6) continue;  // a few free periods
            std::string slot = "D" + std::to_string(d) + "P" + std::to_string(p);
            int i = d * 10 + p;
            table += slot + "C|2=" + courses[i % 5] + "\r\n";
            table += slot + "T|2=" + teachers[i % 4] + "\r\n";
            table += slot + "L|2=" + rooms[i % 4] + "\r\n";
        }
    }
    writeBytes(base + "\\wkb_db\\wkb_hd.data", table);
    writeBytes(base + "\\wkb_db\\.wkb.rc", "version=" CURRENT_VERSION "\r\ntitle=Class 3B\r\n");
}

// WKB_PRINT_REAL is "default" for the default printer, or a printer name to put in "printer.dat".
TEST_F(PrintChoiceTest, RealPrint) {
    const char* real = std::getenv("WKB_PRINT_REAL");
    if (real == NULL || real[0] == '\0') GTEST_SKIP() << "set WKB_PRINT_REAL to print on a real printer";
    if (std::string(real) != "default")
        writeBytes(here.file(PRINTER_CHOICE_FILE), std::string(real) + "\r\n");
    fillStore(here.path());
    diaryState.weekColour = 2;
    printRecordBoxes(1);
    printWeekGrid();
    std::string text = log();
    std::printf("%s\n", text.c_str());
    const char* copy = std::getenv("WKB_PRINT_LOG");
    if (copy != NULL && copy[0] != '\0') writeBytes(copy, text);
    EXPECT_EQ(0, dialogCalls);
    EXPECT_EQ(0, printBoxCount()) << printLastBox();
    const std::string end = " All passed OK \r\n";
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(end, text.substr(text.size() - end.size()));
}

}  // namespace
