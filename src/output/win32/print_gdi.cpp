// The printing seam on Windows: the printer choice ("printer.dat", the profile's default
// printer, else the print dialog) with its log lines, and the page's drawing calls in GDI.
// Test builds can answer the print dialog, replace the default printer entry and record
// the message boxes, so that no test waits on a window.
#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "output/print_grid.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/text_file.h"

#define DIALOG_WARNING_TEXT                                                        \
    " Le contexte graphique imprimante ne peut être ouvert automatiquement.\n"     \
    " Un dialogue d'impression Windows va être lancé.\n"                          \
    " Ceci n'est pas recommandé car vous perdez de l'efficacité. \n"              \
    " Comme solution: créez un fichier 'printer.dat' dans le répertoire de \n"    \
    " l'application contenant le nom exact de l'imprimante sélectionnée dans \n"  \
    " ce dialogue. \n"                                                            \
    " Si rien n'y fait, créez ce même fichier contenant NO_AUTO ."

// Printer information larger than this is not believed.
#define PRINTER_INFO_LIMIT 0x1000000u

static HDC printDc;

// What the Windows tests put in place of the dialog, the profile entry and the boxes.
struct PrintSeams {
    PrintDialogHook dialog;
    int profileReplaced;
    char profileEntry[1020];
    PrintBoxHook box;
};

static PrintSeams seams;

void printSetDialogHook(PrintDialogHook hook) { seams.dialog = hook; }

void printSetProfileDevice(const char* entry) {
    seams.profileReplaced = entry != NULL;
    copyText(seams.profileEntry, sizeof seams.profileEntry, entry != NULL ? entry : "");
}

void printSetBoxHook(PrintBoxHook hook) { seams.box = hook; }

void printErrorBox(const char* text) {
    if (seams.box != NULL) seams.box(PRINT_BOX_TITLE, (unsigned)MB_ICONERROR, text);
    else MessageBoxA(NULL, text, PRINT_BOX_TITLE, MB_ICONERROR);
}

static BOOL runPrintDialog(PRINTDLGA* dialog) {
    if (seams.dialog != NULL) return seams.dialog(dialog) ? TRUE : FALSE;
    return PrintDlgA(dialog);
}

static void readProfileDevice(char* entry, DWORD size) {
    if (seams.profileReplaced) {
        copyText(entry, size, seams.profileEntry);
        return;
    }
    GetProfileStringA("Windows", "device", "NOT_FOUND", entry, size);
}

// Diagnostics only: nothing below depends on them.
static void logKernelLookups() {
    HMODULE kernel = GetModuleHandleA("kernel32");
    if (kernel == NULL) {
        printLog(" Kernel32 NOT found!!!\n");
        return;
    }
    printLog(" Kernel32 found OK \n");
    if (GetProcAddress(kernel, "GetProfileStringA") != NULL)
        printLog(" GetProfileStringA found OK\n");
    else
        printLog(" GetProfileStringA  NOT found!!! \n");
}

// The printer to open into name; 1 when the dialog must choose (*noAuto set for "NO_AUTO").
static int choosePrinterName(char* name, size_t size, int* noAuto) {
    FILE* f = platformOpen(PRINTER_CHOICE_FILE, "r");
    if (f != NULL) {
        char line[80];
        if (readPiece(f, line, 79) < 0) line[0] = '\0';
        platformClose(f);
        printLog(" Found in <printer.dat> : %s\n", line);
        if (strstr(line, "NO_AUTO") != NULL) {
            *noAuto = 1;
            return 1;
        }
        line[strcspn(line, "\r\n")] = '\0';
        copyText(name, size, line);
        return 0;
    }
    char entry[1020];
    readProfileDevice(entry, sizeof entry);
    printLog(" Default Printer: %s\n", entry);
    if (entry[0] == '\0') {
        printLog(" Default printer not found,\n");
        return 1;
    }
    entry[strcspn(entry, ",")] = '\0';
    copyText(name, size, entry);
    printLog(" Name: %s\n", name);
    return 0;
}

static const char* orNone(const char* name) { return name != NULL ? name : "(none)"; }

// Reads the printer's level-2 information, logs it and makes a device for its name.
static HDC dcFromPrinterInfo(HANDLE printer) {
    union {
        PRINTER_INFO_2A info;
        BYTE bytes[1000];
    } local;
    BYTE* buffer = local.bytes;
    BYTE* allocated = NULL;
    DWORD needed = 0;
    if (!GetPrinterA(printer, 2, local.bytes, sizeof local.bytes, &needed)) {
        printLog(" Malloc lenght req: %u\n", (unsigned)needed);
        if (needed < PRINTER_INFO_LIMIT) allocated = (BYTE*)malloc((size_t)needed + 4);
        if (allocated == NULL || !GetPrinterA(printer, 2, allocated, needed + 4, &needed)) {
            free(allocated);
            printLog(" Get Printer 2 failed.\n");
            return NULL;
        }
        buffer = allocated;
    }
    const PRINTER_INFO_2A* info = (const PRINTER_INFO_2A*)buffer;
    printLog(" Info lenght: %u\n", (unsigned)needed);
    printLog(" server: %s\n", orNone(info->pServerName));
    printLog(" Printer: %s\n", orNone(info->pPrinterName));
    printLog(" Share: %s\n", orNone(info->pShareName));
    printLog(" Port: %s\n", orNone(info->pPortName));
    printLog(" Driver: %s\n", orNone(info->pDriverName));
    HDC dc = CreateDCA(NULL, info->pPrinterName, NULL, NULL);
    free(allocated);
    return dc;
}

static HDC dcFromPrinterName(const char* name) {
    HANDLE printer = NULL;
    if (name[0] == '\0' || !OpenPrinterA((LPSTR)name, &printer, NULL)) {
        printLog(" Open Printer failed,\n");
        return NULL;
    }
    HDC dc = dcFromPrinterInfo(printer);
    ClosePrinter(printer);
    return dc;
}

static HDC dcFromDialog(int noAuto) {
    printLog(" get DC from Dialog.");
    if (!noAuto) printErrorBox(DIALOG_WARNING_TEXT);
    PRINTDLGA dialog;
    memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDC;
    dialog.nFromPage = 1;
    dialog.nToPage = 1;
    dialog.nMinPage = 0;
    dialog.nMaxPage = 0;
    dialog.nCopies = 1;
    BOOL chosen = runPrintDialog(&dialog);
    // The dialog's printer settings are not used: the device context carries them.
    if (dialog.hDevMode != NULL) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames != NULL) GlobalFree(dialog.hDevNames);
    if (!chosen || dialog.hDC == NULL) {
        printLog(" No valid Printer selected... Aborting!");
        return NULL;
    }
    return dialog.hDC;
}

int printOpenDevice() {
    logKernelLookups();
    char name[256];
    int noAuto = 0;
    HDC dc = NULL;
    if (choosePrinterName(name, sizeof name, &noAuto) == 0) dc = dcFromPrinterName(name);
    if (dc == NULL) dc = dcFromDialog(noAuto);
    printDc = dc;
    return dc != NULL ? 0 : 1;
}

void printCloseDevice() {
    if (printDc != NULL) DeleteDC(printDc);
    printDc = NULL;
}

unsigned printDeviceCaps(PrintCap cap) {
    static const int index[4] = {TECHNOLOGY, PHYSICALWIDTH, PHYSICALHEIGHT, TEXTCAPS};
    return (unsigned)GetDeviceCaps(printDc, index[cap]);
}

PrintObject printCreateBrush(int red, int green, int blue) {
    return (PrintObject)CreateSolidBrush(RGB(red, green, blue));
}

PrintObject printWhiteBrush() { return (PrintObject)GetStockObject(WHITE_BRUSH); }

PrintObject printCreateFont(const char* face, int height, int weight, int italic) {
    return (PrintObject)CreateFontA(height, 0, 0, 0, weight, (DWORD)italic, 0, 0, 0, 0, 0, 0, 0, face);
}

void printSelect(PrintObject object) { SelectObject(printDc, (HGDIOBJ)object); }

void printDelete(PrintObject object) {
    if (object != NULL) DeleteObject((HGDIOBJ)object);
}

int printTextMetrics(unsigned* maxWidth, unsigned* height) {
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(printDc, &metrics)) {
        *maxWidth = *height = 0;
        return 1;
    }
    *maxWidth = (unsigned)metrics.tmMaxCharWidth;
    *height = (unsigned)metrics.tmHeight;
    return 0;
}

void printSetBackground(int red, int green, int blue) { SetBkColor(printDc, RGB(red, green, blue)); }

void printRectangle(int left, int top, int right, int bottom) {
    Rectangle(printDc, left, top, right, bottom);
}

void printLine(int fromX, int fromY, int toX, int toY) {
    MoveToEx(printDc, fromX, fromY, NULL);
    LineTo(printDc, toX, toY);
}

void printText(int x, int y, const char* text, int length) { TextOutA(printDc, x, y, text, length); }

int printStartDoc(const char* documentName) {
    DOCINFOA document;
    memset(&document, 0, sizeof document);
    document.cbSize = sizeof document;
    document.lpszDocName = documentName;
    return StartDocA(printDc, &document);
}

int printStartPage() { return StartPage(printDc); }
int printEndPage() { return EndPage(printDc); }
int printEndDoc() { return EndDoc(printDc); }
