// The printing seam: choosing the printer and drawing one page on it, in device units.
// output/win32/print_gdi.cpp implements it with the spooler and GDI; output/print_posix.cpp,
// the native build's one implementation, has no printer and records the page instead, so that
// tests read back every rectangle, line, font and text (hooks at the end of this file).
#pragma once

// A font or brush of the page; NULL when it could not be made.
typedef void* PrintObject;

enum PrintCap { PRINT_CAP_TECHNOLOGY, PRINT_CAP_WIDTH, PRINT_CAP_HEIGHT, PRINT_CAP_TEXT };

// Chooses the printer and opens its device, logging each decision in the print log.
// 0 when a device is open; 1 when there is none and nothing must be printed.
int printOpenDevice();
// Deletes the open device; nothing when none is open.
void printCloseDevice();
// A capability of the open device: TECHNOLOGY, PHYSICALWIDTH, PHYSICALHEIGHT, TEXTCAPS.
unsigned printDeviceCaps(PrintCap cap);

// Objects need no open device to be made. The white brush is a stock object: never deleted.
PrintObject printCreateBrush(int red, int green, int blue);
PrintObject printWhiteBrush();
// Every parameter besides face, height, weight and italic is 0.
PrintObject printCreateFont(const char* face, int height, int weight, int italic);
void printSelect(PrintObject object);
// Deletes a brush or font that is no longer selected; NULL does nothing.
void printDelete(PrintObject object);

// Maximum character width and height of the selected font; 0, or 1 when they cannot be read.
int printTextMetrics(unsigned* maxWidth, unsigned* height);
void printSetBackground(int red, int green, int blue);
// Drawn with the device's default pen and the selected brush.
void printRectangle(int left, int top, int right, int bottom);
void printLine(int fromX, int fromY, int toX, int toY);
void printText(int x, int y, const char* text, int length);

// The spooler's document and page. StartDoc gives a job number (> 0 when started);
// the others are > 0 on success.
int printStartDoc(const char* documentName);
int printStartPage();
int printEndPage();
int printEndDoc();

// An error box titled "Imprimante" without an owner window; returns when it is closed.
void printErrorBox(const char* text);

#if defined(_WIN32) && defined(WKB_TEST_HOOKS)
// Replaces PrintDlgA: the hook receives the filled PRINTDLGA record and answers as the
// dialog would (nonzero with hDC set for a chosen printer, 0 for Cancel). NULL: the real dialog.
typedef int (*PrintDialogHook)(void* printDlgA);
void printSetDialogHook(PrintDialogHook hook);
// Replaces the profile's default printer entry ("device" of "Windows"); NULL: the real entry.
void printSetProfileDevice(const char* entry);
// Records the print's message boxes instead of showing them when on (1); clears the record.
void printRecordBoxes(int on);
int printBoxCount();
// The last box as "<title>|<MB flags>|<text>"; "" when none.
const char* printLastBox();
#endif

#ifndef _WIN32
// The native page recorder. What it makes fail: the nth call (1 = the first) of that kind.
enum PrintFault {
    PRINT_FAULT_FONT,
    PRINT_FAULT_START_DOC,
    PRINT_FAULT_START_PAGE,
    PRINT_FAULT_END_PAGE,
    PRINT_FAULT_END_DOC,
    PRINT_FAULT_COUNT
};
// Clears the record and the faults; the page is width x height device units.
void printRecorderReset(int width, int height);
void printRecorderFail(PrintFault fault, int nth);
// The record, one line per call: "brush|<obj>|r|g|b", "font|<obj>|face|height|weight|italic",
// "select|<obj>", "delete|<obj>", "bk|r|g|b", "rect|l|t|r|b", "line|x1|y1|x2|y2", "text|x|y|text",
// "open", "startdoc|name", "startpage", "endpage", "enddoc", "close" and "box|text".
// <obj> is "brush<n>" or "font<n>" (numbered from 1 in order of creation) or "white".
int printRecordCount();
const char* printRecordLine(int index);
#endif
