// The page of the week grid, drawn through the printing seam on the device the printer choice
// opened: page set-up and fonts, document and page, title box, grid, labels, the three texts
// of every slot and the footer. Offers printLayoutPage and printSlotText.
#include <cstdio>
#include <cstring>

#include "core/build_config.h"
#include "core/diary_state.h"
#include "output/print_grid.h"
#include "platform/bounded_text.h"
#include "records/lesson_changes.h"
#include "records/record_keys.h"
#include "records/settings.h"
#include "store/table_store.h"

#define PAGE_FAILED_TEXT " Mise en page impossible."
#define FONTS_FAILED_TEXT \
    " Problème d'initialisation de Police ...  Courier New et Arial doivent être disponibles. "

// What the layout keeps from the page set-up for every later drawing call, printSlotText's
// included: device units per page unit (the page is 210 units wide and 285 high).
struct PrintUnits {
    int x, y;
};

static PrintUnits units;

enum { TITLE_FONT, COURSE_FONT, DETAIL_FONT, FOOTER_FONT, FONT_COUNT };

static void boxAt(int left, int top, int right, int bottom) {
    printRectangle(left * units.x, top * units.y, right * units.x, bottom * units.y);
}

static void textAt(int a, int b, const char* text) {
    printText(a * units.x, b * units.y, text, (int)strlen(text));
}

// Logs the device and sets the units; returns the page height in device units.
static int setUpPage() {
    printLog(" Technology: %u %u\n", printDeviceCaps(PRINT_CAP_TECHNOLOGY), 2u);
    int width = (int)printDeviceCaps(PRINT_CAP_WIDTH);
    printLog(" Width: %u\n", (unsigned)width);
    units.x = width / 210;
    int height = (int)printDeviceCaps(PRINT_CAP_HEIGHT);
    units.y = height / 285;
    printLog(" Height: %u\n", (unsigned)height);
    printLog(" Text: %x\n", printDeviceCaps(PRINT_CAP_TEXT));
    return height;
}

// 0 with all four fonts made; 1 (logged, told, none kept) when one cannot be made.
static int makeFonts(PrintObject fonts[FONT_COUNT], int height) {
    fonts[TITLE_FONT] = printCreateFont("Arial", height / 40, 700, 0);
    fonts[COURSE_FONT] = printCreateFont("Courier New", height / 50, 700, 0);
    fonts[DETAIL_FONT] = printCreateFont("Courier New", height / 70, 700, 0);
    fonts[FOOTER_FONT] = printCreateFont("Courier New", height / 100, 0, 1);
    int missing = 0;
    for (int i = 0; i < FONT_COUNT; ++i) missing |= fonts[i] == NULL;
    if (!missing) return 0;
    printLog(" Fonts not available\n");
    for (int i = 0; i < FONT_COUNT; ++i) printDelete(fonts[i]);
    printErrorBox(FONTS_FAILED_TEXT);
    return 1;
}

// Closes the device before deleting the fonts: a font still selected cannot be deleted.
static void closePage(PrintObject fonts[FONT_COUNT]) {
    printCloseDevice();
    for (int i = 0; i < FONT_COUNT; ++i) printDelete(fonts[i]);
}

// Swaps the selected font for the next one and lets the previous one go.
static void nextFont(PrintObject fonts[FONT_COUNT], int from, int to) {
    printSelect(fonts[to]);
    printDelete(fonts[from]);
    fonts[from] = NULL;
}

static void drawGrid(PrintObject weekBrush, PrintObject greyBrush) {
    printSelect(weekBrush);
    boxAt(20, 10, 190, 30);
    printSelect(greyBrush);
    for (int y = 35; y <= 266; y += 11) boxAt(20, y, 30, y + 11);
    boxAt(30, 35, 190, 46);
    boxAt(30, 156, 190, 167);
    printSelect(printWhiteBrush());
    for (int y = 46; y <= 145; y += 11) boxAt(30, y, 190, y + 11);
    for (int y = 167; y <= 266; y += 11) boxAt(30, y, 190, y + 11);
    printLine(83 * units.x, 35 * units.y, 83 * units.x, 277 * units.y);
    printLine(136 * units.x, 35 * units.y, 136 * units.x, 277 * units.y);
}

static void drawLabels() {
    printSetBackground(200, 200, 200);
    char title[400];
    snprintf(title, sizeof title, "%s [ %s ]", LABEL_WEEK_GRID, readSetting("title"));
    textAt(25, 20, title);
    static const int dayX[3] = {35, 88, 141};
    for (int d = 1; d <= 6; ++d) textAt(dayX[(d - 1) % 3], d <= 3 ? 38 : 159, dayNames[d]);
    char number[8];
    for (int half = 0; half < 2; ++half) {
        for (int n = 1; n <= 10; ++n) {
            snprintf(number, sizeof number, "%u", (unsigned)n);
            textAt(21, (half == 0 ? 38 : 159) + 11 * n, number);
        }
    }
}

static void drawField(PrintField field) {
    for (int d = 1; d <= 6; ++d)
        for (int n = 1; n <= 10; ++n) printSlotText(field, d, n);
}

static void drawPage(PrintObject fonts[FONT_COUNT], PrintObject weekBrush, PrintObject greyBrush) {
    drawGrid(weekBrush, greyBrush);
    drawLabels();
    nextFont(fonts, TITLE_FONT, COURSE_FONT);
    printSetBackground(255, 255, 255);
    drawField(PRINT_COURSE);
    nextFont(fonts, COURSE_FONT, DETAIL_FONT);
    drawField(PRINT_TEACHER);
    drawField(PRINT_CLASSROOM);
    nextFont(fonts, DETAIL_FONT, FOOTER_FONT);
    printSetBackground(255, 255, 255);
    textAt(20, 280, WKB_WEB_ADDRESS);
}

void printLayoutPage(PrintObject weekBrush, PrintObject greyBrush) {
    PrintObject fonts[FONT_COUNT];
    if (makeFonts(fonts, setUpPage()) != 0) {
        printCloseDevice();
        return;
    }
    printLog(" Fonts Ok.\n");
    printSelect(fonts[TITLE_FONT]);
    unsigned maxWidth = 0, height = 0;
    printTextMetrics(&maxWidth, &height);
    printLog(" Char metrix: w=%u h=%u\n", maxWidth, height);
    // Some spoolers (Wine's) print nothing for a document without a name: always name it.
    if (printStartDoc(PRINT_DOCUMENT_NAME) <= 0) {
        printLog(" Printer error 4 \n");
        printErrorBox(PAGE_FAILED_TEXT);
        closePage(fonts);
        return;
    }
    if (printStartPage() <= 0) {
        printLog(" Printer error 1 \n");
        printErrorBox(PAGE_FAILED_TEXT);
        closePage(fonts);
        return;
    }
    drawPage(fonts, weekBrush, greyBrush);
    if (printEndPage() <= 0) printLog(" Printer error 3 \n");
    // Only a document the spooler took counts as printed.
    int ended = printEndDoc();
    closePage(fonts);
    if (ended <= 0) {
        printLog(" Printer error 5 \n");
        printErrorBox(PAGE_FAILED_TEXT);
        return;
    }
    printLog(" All passed OK \n");
}

void printSlotText(PrintField field, int day, int period) {
    char key[32];
    // No fall-back to the colour-less entry: the printout shows the week's own timetable.
    formatSlotKey(key, sizeof key, day, period - 1, (SlotField)field, diaryState.weekColour > 0 ? diaryState.weekColour : 0);
    tableOp(TABLE_GET, TIMETABLE_TABLE, key, "");
    // The selected week's change for its date stands in for the fields it holds; a cancelled
    // lesson has its course struck through and the word where the teacher stands.
    LessonChange change;
    const char* value = valueBuffer;
    int cancelled = readLessonChange(diaryState.selectedWeek, day, period - 1, &change) && change.cancelled;
    if (change.changed[field]) value = change.field[field];
    if (cancelled && field != PRINT_COURSE) value = field == PRINT_TEACHER ? LESSON_CANCELLED_WORD : "";
    size_t limit = field == PRINT_CLASSROOM ? 5 : 15;
    char text[16];
    size_t length = 0;
    for (; length < limit && value[length] != '\0'; ++length) text[length] = value[length] == '`' ? '\'' : value[length];
    text[length] = '\0';
    if (length == 0) return;
    int column = day <= 3 ? day - 1 : day - 4;
    int row = day <= 3 ? period : period + 11;
    int x = (field == PRINT_CLASSROOM ? 70 : 32) + 53 * column;
    int y = (field == PRINT_COURSE ? 36 : 41) + 11 * row;
    textAt(x, y, text);
    if (cancelled && field == PRINT_COURSE) printLine(x * units.x, (y + 3) * units.y, (x + 49) * units.x, (y + 3) * units.y);
}
