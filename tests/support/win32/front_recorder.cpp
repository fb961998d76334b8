// The recorder of boxes and front-end calls behind the Windows seams (front_recorder.h).
#include "support/win32/front_recorder.h"

#include <cstdio>

#include "output/print_surface.h"
#include "platform/bounded_text.h"
#include "ui/win32/frontend_win32.h"

#define BOX_LOG_SIZE 64

struct RecordedBox {
    char title[64];
    char text[1024];
    UINT flags;
    HWND owner;
};

struct FrontRecorder {
    RecordedBox boxes[BOX_LOG_SIZE];
    int boxCount;
    int answers[16];
    int answerCount;
    char trace[4096];
    unsigned long lastColour;
    int printBoxes;
    char lastPrintBox[1200];
};

static FrontRecorder rec;

static int recordBox(HWND owner, const char* text, const char* title, UINT flags) {
    if (rec.boxCount < BOX_LOG_SIZE) {
        RecordedBox& box = rec.boxes[rec.boxCount++];
        copyText(box.title, sizeof box.title, title ? title : "");
        copyText(box.text, sizeof box.text, text ? text : "");
        box.flags = flags;
        box.owner = owner;
    }
    if ((flags & MB_TYPEMASK) != MB_YESNO) return IDOK;
    if (rec.answerCount == 0) return IDNO;
    int yes = rec.answers[0];
    for (int i = 1; i < rec.answerCount; i++) rec.answers[i - 1] = rec.answers[i];
    rec.answerCount--;
    return yes ? IDYES : IDNO;
}

static void recordCall(const char* call, unsigned long value) {
    if (rec.trace[0] != '\0') appendText(rec.trace, sizeof rec.trace, ",");
    appendText(rec.trace, sizeof rec.trace, call);
    if (call[0] == 'c') rec.lastColour = value;  // "colour"
}

static void recordPrintBox(const char* title, unsigned flags, const char* text) {
    ++rec.printBoxes;
    snprintf(rec.lastPrintBox, sizeof rec.lastPrintBox, "%s|%u|%s", title, flags, text);
}

void frontShowRealBoxes(int on) { win32SetMessageBoxHook(on ? NULL : recordBox); }
void frontQueueAnswer(int yes) {
    if (rec.answerCount < (int)(sizeof rec.answers / sizeof rec.answers[0])) rec.answers[rec.answerCount++] = yes;
}
int frontBoxCount() { return rec.boxCount; }
const char* frontBoxTitle(int i) { return i >= 0 && i < rec.boxCount ? rec.boxes[i].title : ""; }
const char* frontBoxText(int i) { return i >= 0 && i < rec.boxCount ? rec.boxes[i].text : ""; }
UINT frontBoxFlags(int i) { return i >= 0 && i < rec.boxCount ? rec.boxes[i].flags : 0; }
HWND frontBoxOwner(int i) { return i >= 0 && i < rec.boxCount ? rec.boxes[i].owner : NULL; }
void frontClearBoxes() {
    rec.boxCount = 0;
    rec.answerCount = 0;
}
const char* frontTrace() { return rec.trace; }
void frontClearTrace() { rec.trace[0] = '\0'; }
unsigned long frontLastStatusColour() { return rec.lastColour; }

void printRecordBoxes(int on) {
    printSetBoxHook(on ? recordPrintBox : NULL);
    rec.printBoxes = 0;
    rec.lastPrintBox[0] = '\0';
}
int printBoxCount() { return rec.printBoxes; }
const char* printLastBox() { return rec.lastPrintBox; }

// Boxes and calls are recorded from the start of the test program: no test waits on a box.
static const int recordingFromTheStart = (frontShowRealBoxes(0), win32SetFrontCallHook(recordCall), 0);
