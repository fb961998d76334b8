// The printing seam of the native tests: there is no spooler here; the printer choice always
// finds the one page, which records every call as a line of text instead of drawing it, so
// that tests read the page back. The page size and the failures are set here.
#pragma once
#include "output/print_surface.h"

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
