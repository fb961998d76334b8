// The page recorder: the printing seam of the native tests and benchmarks. Every call becomes
// one line of the record; the page size and the calls that fail are set by the tests.
#include "support/print_surface_recorder.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

#define RECORD_LINES 1024
#define OBJECTS 64

static char records[RECORD_LINES][448];
static int recordCount;
static int pageWidth = 4960, pageHeight = 7016;
static int failAt[PRINT_FAULT_COUNT];
static int calls[PRINT_FAULT_COUNT];
// Names of the objects handed out; a PrintObject is its index + 1.
static char objectNames[OBJECTS][24];
static int objectCount, brushCount, fontCount;

static void record(const char* format, ...) __attribute__((format(printf, 1, 2)));
static void record(const char* format, ...) {
    if (recordCount >= RECORD_LINES) return;
    va_list args;
    va_start(args, format);
    vsnprintf(records[recordCount], sizeof records[recordCount], format, args);
    va_end(args);
    ++recordCount;
}

// Counts a call of a failing kind; 1 when this one must fail.
static int fails(PrintFault fault) {
    ++calls[fault];
    return failAt[fault] != 0 && calls[fault] == failAt[fault];
}

static PrintObject newObject(const char* prefix, int number) {
    if (objectCount >= OBJECTS) return NULL;
    snprintf(objectNames[objectCount], sizeof objectNames[objectCount], "%s%d", prefix, number);
    ++objectCount;
    return (PrintObject)(intptr_t)objectCount;
}

static const char* objectName(PrintObject object) {
    intptr_t index = (intptr_t)object;
    if (index == -1) return "white";
    if (index < 1 || index > objectCount) return "none";
    return objectNames[index - 1];
}

int printOpenDevice() {
    record("open");
    return 0;
}

void printCloseDevice() { record("close"); }

unsigned printDeviceCaps(PrintCap cap) {
    switch (cap) {
        case PRINT_CAP_TECHNOLOGY: return 2;  // a raster printer
        case PRINT_CAP_WIDTH: return (unsigned)pageWidth;
        case PRINT_CAP_HEIGHT: return (unsigned)pageHeight;
        case PRINT_CAP_TEXT: return 0x7fff;
    }
    return 0;
}

PrintObject printCreateBrush(int red, int green, int blue) {
    PrintObject brush = newObject("brush", ++brushCount);
    record("brush|%s|%d|%d|%d", objectName(brush), red, green, blue);
    return brush;
}

PrintObject printWhiteBrush() { return (PrintObject)(intptr_t)-1; }

PrintObject printCreateFont(const char* face, int height, int weight, int italic) {
    if (fails(PRINT_FAULT_FONT)) {
        record("font|none|%s|%d|%d|%d", face, height, weight, italic);
        return NULL;
    }
    PrintObject font = newObject("font", ++fontCount);
    record("font|%s|%s|%d|%d|%d", objectName(font), face, height, weight, italic);
    return font;
}

void printSelect(PrintObject object) { record("select|%s", objectName(object)); }

void printDelete(PrintObject object) {
    if (object != NULL) record("delete|%s", objectName(object));
}

int printTextMetrics(unsigned* maxWidth, unsigned* height) {
    // Fixed metrics, enough to check that the log shows them.
    *maxWidth = 120;
    *height = 175;
    return 0;
}

void printSetBackground(int red, int green, int blue) { record("bk|%d|%d|%d", red, green, blue); }

void printRectangle(int left, int top, int right, int bottom) {
    record("rect|%d|%d|%d|%d", left, top, right, bottom);
}

void printLine(int fromX, int fromY, int toX, int toY) {
    record("line|%d|%d|%d|%d", fromX, fromY, toX, toY);
}

void printText(int x, int y, const char* text, int length) {
    record("text|%d|%d|%.*s", x, y, length, text);
}

int printStartDoc(const char* documentName) {
    record("startdoc|%s", documentName);
    return fails(PRINT_FAULT_START_DOC) ? -1 : 1;
}

int printStartPage() {
    record("startpage");
    return fails(PRINT_FAULT_START_PAGE) ? -1 : 1;
}

int printEndPage() {
    record("endpage");
    return fails(PRINT_FAULT_END_PAGE) ? -1 : 1;
}

int printEndDoc() {
    record("enddoc");
    return fails(PRINT_FAULT_END_DOC) ? -1 : 1;
}

void printErrorBox(const char* text) { record("box|%s", text); }

void printRecorderReset(int width, int height) {
    recordCount = 0;
    pageWidth = width;
    pageHeight = height;
    objectCount = brushCount = fontCount = 0;
    for (int i = 0; i < PRINT_FAULT_COUNT; ++i) failAt[i] = calls[i] = 0;
}

void printRecorderFail(PrintFault fault, int nth) {
    failAt[fault] = nth;
    calls[fault] = 0;
}

int printRecordCount() { return recordCount; }

const char* printRecordLine(int index) {
    if (index < 0 || index >= recordCount) return "";
    return records[index];
}
