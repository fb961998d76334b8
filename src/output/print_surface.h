// The printing seam: choosing the printer and drawing one page on it, in device units.
// output/win32/print_gdi.cpp implements it with the spooler and GDI; the native tests link a
// recorder of their own (tests/support/print_surface_recorder.cpp) that keeps every call.
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

#ifdef _WIN32
// Seams for the Windows tests; the product never sets them.
// Replaces PrintDlgA: the hook receives the filled PRINTDLGA record and answers as the
// dialog would (nonzero with hDC set for a chosen printer, 0 for Cancel). NULL: the real dialog.
typedef int (*PrintDialogHook)(void* printDlgA);
void printSetDialogHook(PrintDialogHook hook);
// Replaces the profile's default printer entry ("device" of "Windows"); NULL: the real entry.
void printSetProfileDevice(const char* entry);
// Hands the print's error boxes to hook instead of showing them; NULL: real boxes.
typedef void (*PrintBoxHook)(const char* title, unsigned flags, const char* text);
void printSetBoxHook(PrintBoxHook hook);
#endif
