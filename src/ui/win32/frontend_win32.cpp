// The front-end seam on Win32: message boxes (null owner) and the yes/no question owned by the
// main window, the input dialog, the status bar (colour, then text), the slot line, the notes
// editor, the tabs and the title; tests see boxes and the order of calls through two seams.
#include "ui/win32/frontend_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>

#include "core/frontend.h"
#include "platform/bounded_text.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/window_handles.h"

struct FrontSeams {
    MessageBoxHook box;
    FrontCallHook call;
};

static FrontSeams seams;

void win32SetMessageBoxHook(MessageBoxHook hook) { seams.box = hook; }
void win32SetFrontCallHook(FrontCallHook hook) { seams.call = hook; }

static void trace(const char* call, unsigned long value = 0) {
    if (seams.call != NULL) seams.call(call, value);
}

int win32MessageBox(HWND owner, const char* text, const char* title, UINT flags) {
    trace("box");
    if (seams.box != NULL) return seams.box(owner, text, title, flags);
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
    trace("colour", colorref);
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

// Whether the notes editor already shows text: setting it again would only redraw it. Compared
// in Unicode, so that a typed character the code page cannot hold never passes for its stand-in.
static int notesShow(const char* text) {
    WCHAR wanted[2048], shown[2048];
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, wanted, sizeof wanted / sizeof wanted[0]);
    if (length <= 0 || GetWindowTextLengthW(mainUi.notes) != length - 1) return 0;
    if (length == 1) return 1;
    return GetWindowTextW(mainUi.notes, shown, length) == length - 1 && wcscmp(shown, wanted) == 0;
}

// Wine draws the edit control's scroll bar through the theme at every scroll update, two or
// three times per new text and about 5 ms each time; Windows draws it in microseconds.
static int runsUnderWine() {
    static int known = -1;
    if (known < 0) {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        known = ntdll != NULL && GetProcAddress(ntdll, "wine_get_version") != NULL;
    }
    return known;
}

static int sameScrollState(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

// Under Wine the editor's text changes while its window has no scroll bar style, so that no
// scroll update draws; the frame then keeps its pixels, and is drawn again only when the
// scroll state changed. A frame that was already waiting to be drawn is left to be drawn.
static void setNotesWithoutScrollBarDraws(const char* text) {
    SCROLLINFO before = {}, after = {};
    before.cbSize = after.cbSize = sizeof before;
    before.fMask = after.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(mainUi.notes, SB_VERT, &before);
    int nothingPending = !GetUpdateRect(mainUi.notes, NULL, FALSE);
    LONG style = GetWindowLongA(mainUi.notes, GWL_STYLE);
    SetWindowLongA(mainUi.notes, GWL_STYLE, style & ~WS_VSCROLL);
    SetWindowTextA(mainUi.notes, text);
    SetWindowLongA(mainUi.notes, GWL_STYLE, style);
    GetScrollInfo(mainUi.notes, SB_VERT, &after);
    if (nothingPending) {
        // Putting the style back asks for the whole frame; only the text needs drawing.
        RedrawWindow(mainUi.notes, NULL, NULL, RDW_VALIDATE | RDW_FRAME);
        InvalidateRect(mainUi.notes, NULL, TRUE);
    }
    if (!sameScrollState(before, after)) RedrawWindow(mainUi.notes, NULL, NULL, RDW_INVALIDATE | RDW_FRAME);
}

void frontSetNotesText(const char* text) {
    trace("notes");
    if (mainUi.notes == NULL || notesShow(text)) return;
    if ((GetWindowLongA(mainUi.notes, GWL_STYLE) & WS_VSCROLL) && runsUnderWine())
        setNotesWithoutScrollBarDraws(text);
    else
        SetWindowTextA(mainUi.notes, text);
}

int frontNotesLength() { return mainUi.notes ? GetWindowTextLengthA(mainUi.notes) : 0; }

int frontGetNotesText(char* out, int size) {
    if (size <= 0) return 0;
    out[0] = '\0';
    if (mainUi.notes == NULL) return 0;
    return GetWindowTextA(mainUi.notes, out, size);
}

int frontNotesModified() { return mainUi.notes ? (int)SendMessageA(mainUi.notes, EM_GETMODIFY, 0, 0) != 0 : 0; }

void frontClearNotesModified() {
    if (mainUi.notes) SendMessageA(mainUi.notes, EM_SETMODIFY, FALSE, 0);
}

// Whether the system's code page holds the character at text[i] (two units for a surrogate pair).
static int codePageHolds(const WCHAR* text, int units) {
    char bytes[8];
    BOOL defaulted = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, bytes, sizeof bytes, NULL, &defaulted);
    return !defaulted;
}

int frontNotesForeignCharacters(char* out, int size) {
    if (size > 0) out[0] = '\0';
    if (mainUi.notes == NULL) return 0;
    // Longer texts are refused for their length before this is asked.
    WCHAR text[4 * 512];
    int length = GetWindowTextW(mainUi.notes, text, sizeof text / sizeof text[0]);
    int count = 0;
    for (int i = 0; i < length; i++) {
        if (text[i] < 0x80) continue;
        int units = IS_HIGH_SURROGATE(text[i]) && i + 1 < length && IS_LOW_SURROGATE(text[i + 1]) ? 2 : 1;
        unsigned code = units == 2 ? 0x10000 + ((text[i] - 0xD800u) << 10) + (text[i + 1] - 0xDC00u) : text[i];
        int seen = 0;
        for (int j = 0; j < i && !seen; j++) seen = text[j] == text[i] && (units == 1 || text[j + 1] == text[i + 1]);
        if (!seen && !codePageHolds(text + i, units)) {
            char item[16];
            snprintf(item, sizeof item, count > 0 ? " U+%04X" : "U+%04X", code);
            if (size > 0) appendText(out, (size_t)size, item);
            count++;
        }
        i += units - 1;
    }
    return count;
}

void frontSelectTabs(int dayTab, int periodTab) {
    trace("tabs");
    SendMessageA(mainUi.dayTabs, TCM_SETCURSEL, (WPARAM)dayTab, 0);
    SendMessageA(mainUi.periodTabs, TCM_SETCURSEL, (WPARAM)periodTab, 0);
}

void frontNotesChanged() {}

void frontSetWindowTitle(const char* title) {
    trace("title");
    SetWindowTextA(mainUi.main, title);
}
