// The front-end seam on Win32: message boxes (null owner) and the yes/no question owned by the
// main window, the input dialog, the status bar (colour, then text), the slot line, the notes
// editor, the tabs and the title. Test builds record boxes and the order of calls.
#include "ui/win32/frontend_win32.h"

#include <commctrl.h>

#include "core/frontend.h"
#include "platform/bounded_text.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/window_handles.h"

#ifdef WKB_TEST_HOOKS
#define BOX_LOG_SIZE 64

struct RecordedBox {
    char title[64];
    char text[1024];
    UINT flags;
    HWND owner;
};

static int showRealBoxes = 0;
static RecordedBox boxLog[BOX_LOG_SIZE];
static int boxCount = 0;
static int answers[16];
static int answerCount = 0;
static char callTrace[4096];
static unsigned long lastColour = 0;

static int recordBox(HWND owner, const char* text, const char* title, UINT flags) {
    if (boxCount < BOX_LOG_SIZE) {
        RecordedBox& box = boxLog[boxCount++];
        copyText(box.title, sizeof box.title, title ? title : "");
        copyText(box.text, sizeof box.text, text ? text : "");
        box.flags = flags;
        box.owner = owner;
    }
    if ((flags & MB_TYPEMASK) != MB_YESNO) return IDOK;
    if (answerCount == 0) return IDNO;
    int yes = answers[0];
    for (int i = 1; i < answerCount; i++) answers[i - 1] = answers[i];
    answerCount--;
    return yes ? IDYES : IDNO;
}

static void trace(const char* call) {
    if (callTrace[0] != '\0') appendText(callTrace, sizeof callTrace, ",");
    appendText(callTrace, sizeof callTrace, call);
}

void frontShowRealBoxes(int on) { showRealBoxes = on; }
void frontQueueAnswer(int yes) {
    if (answerCount < (int)(sizeof answers / sizeof answers[0])) answers[answerCount++] = yes;
}
int frontBoxCount() { return boxCount; }
const char* frontBoxTitle(int i) { return i >= 0 && i < boxCount ? boxLog[i].title : ""; }
const char* frontBoxText(int i) { return i >= 0 && i < boxCount ? boxLog[i].text : ""; }
UINT frontBoxFlags(int i) { return i >= 0 && i < boxCount ? boxLog[i].flags : 0; }
HWND frontBoxOwner(int i) { return i >= 0 && i < boxCount ? boxLog[i].owner : NULL; }
void frontClearBoxes() {
    boxCount = 0;
    answerCount = 0;
}
const char* frontTrace() { return callTrace; }
void frontClearTrace() { callTrace[0] = '\0'; }
unsigned long frontLastStatusColour() { return lastColour; }
#else
static inline void trace(const char*) {}
#endif

int win32MessageBox(HWND owner, const char* text, const char* title, UINT flags) {
    trace("box");
#ifdef WKB_TEST_HOOKS
    if (!showRealBoxes) return recordBox(owner, text, title, flags);
#endif
    return MessageBoxA(owner, text, title, flags);
}

void frontMessageBox(const char* text, const char* title, FrontIcon icon) {
    UINT flags = MB_ICONINFORMATION;
    if (icon == FRONT_ICON_ERROR) flags = MB_ICONERROR;
    else if (icon == FRONT_ICON_QUESTION) flags = MB_ICONQUESTION;
    win32MessageBox(NULL, text, title, flags);
}

int frontAskYesNo(const char* text) {
    return win32MessageBox(mainUi.main, text, "Question", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int frontOpenInputDialog(const char* prompt) {
    trace("input");
    return openInputDialog(prompt);
}

void frontSetStatusColour(unsigned long colorref) {
    trace("colour");
#ifdef WKB_TEST_HOOKS
    lastColour = colorref;
#endif
    SendMessageA(mainUi.status, SB_SETBKCOLOR, 0, (LPARAM)colorref);
}

void frontSetStatusText(const char* text) {
    trace("status");
    SendMessageA(mainUi.status, SB_SETTEXTA, 0, (LPARAM)text);
}

void frontSetSlotLine(const char* text) {
    trace("slot");
    SetWindowTextA(mainUi.slotLine, text);
}

void frontSetNotesText(const char* text) {
    trace("notes");
    SetWindowTextA(mainUi.notes, text);
}

int frontNotesLength() { return mainUi.notes ? GetWindowTextLengthA(mainUi.notes) : 0; }

int frontGetNotesText(char* out, int size) {
    if (size <= 0) return 0;
    out[0] = '\0';
    if (mainUi.notes == NULL) return 0;
    return GetWindowTextA(mainUi.notes, out, size);
}

void frontSelectTabs(int dayTab, int periodTab) {
    trace("tabs");
    SendMessageA(mainUi.dayTabs, TCM_SETCURSEL, (WPARAM)dayTab, 0);
    SendMessageA(mainUi.periodTabs, TCM_SETCURSEL, (WPARAM)periodTab, 0);
}

void frontSetWindowTitle(const char* title) {
    trace("title");
    SetWindowTextA(mainUi.main, title);
}
