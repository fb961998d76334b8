// Printing the week grid of the selected week on one page: printWeekGrid runs a whole print
// (log, printer choice, page); the page layout, the slot texts and the print log
// "print_dbg.txt" are the pieces it is made of.
#pragma once

#include "output/print_surface.h"

#define PRINT_LOG_FILE "print_dbg.txt"
#define PRINTER_CHOICE_FILE "printer.dat"
#define PRINT_BOX_TITLE "Imprimante"
#define PRINT_DOCUMENT_NAME "Week grid"

// Prints the page (printer choice, log "print_dbg.txt", drawing); always returns 0.
int printWeekGrid();

enum PrintField { PRINT_COURSE, PRINT_TEACHER, PRINT_CLASSROOM };

// Lays out and prints the page on the open device, from the page set-up to the end of the
// document, and closes the device; every failure is logged and told here. The brushes are
// the week's and the grey; the caller deletes them.
void printLayoutPage(PrintObject weekBrush, PrintObject greyBrush);
// Paints the stored value of one field of day 1..6, period 1..10 (page units set by the layout).
void printSlotText(PrintField field, int day, int period);

// The print log in the current folder, written in binary with CR LF line ends. When it
// cannot be created the print goes on without it and nobody is told.
void printLogOpen();
void printLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
void printLogClose();
