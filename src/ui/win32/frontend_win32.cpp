// The front-end seam on Win32: message boxes (null owner) and the yes/no question owned by the
// main window, the input dialog, the status bar (colour, then text), the slot line, the notes
// editor, the tabs and the title; tests see boxes and the order of calls through two seams.
#include "ui/win32/frontend_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>

#include "core/diary_state.h"
#include "core/frontend.h"
#include "platform/bounded_text.h"
#include "ui/win32/agenda_window.h"
#include "ui/win32/code_page_text.h"
#include "ui/win32/contrast.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/resource_ids.h"
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

int win32MessageBoxUtf8(HWND owner, const char* text, const char* title, UINT flags) {
    trace("box");
    if (seams.box != NULL) return seams.box(owner, text, title, flags);
    WCHAR wideText[2048], wideTitle[128];
    if (MultiByteToWideChar(CP_UTF8, 0, text, -1, wideText, sizeof wideText / sizeof wideText[0]) == 0)
        wideText[0] = 0;
    if (MultiByteToWideChar(CP_UTF8, 0, title, -1, wideTitle, sizeof wideTitle / sizeof wideTitle[0]) == 0)
        wideTitle[0] = 0;
    return MessageBoxW(owner, wideText, wideTitle, flags);
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

int frontAskYesNoUtf8(const char* text) {
    return win32MessageBoxUtf8(mainUi.main, text, "Question", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int frontOpenInputDialog(const char* prompt) {
    trace("input");
    return openInputDialog(prompt);
}

void frontSetStatusColour(unsigned long colorref) {
    trace("colour", colorref);
    // In high contrast the bar keeps the system's colours, and the week colour shows as its
    // toolbar button held down, which the theme draws in its own colours.
    int contrast = highContrastOn();
    SendMessageA(mainUi.status, SB_SETBKCOLOR, 0, contrast ? (LPARAM)CLR_DEFAULT : (LPARAM)colorref);
    for (int c = 0; c <= 4; c++)
        SendMessageA(mainUi.toolbar, TB_CHECKBUTTON, CMD_TB_COLOUR0 + c,
                     MAKELONG(contrast && c == diaryState.weekColour, 0));
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

int frontNotesForeignCharacters(char* out, int size) {
    if (size > 0) out[0] = '\0';
    if (mainUi.notes == NULL) return 0;
    // Longer texts are refused for their length before this is asked.
    WCHAR text[4 * 512];
    int length = GetWindowTextW(mainUi.notes, text, sizeof text / sizeof text[0]);
    return listForeignCharacters(text, length, out, size);
}

void frontSelectTabs(int dayTab, int periodTab) {
    trace("tabs");
    SendMessageA(mainUi.dayTabs, TCM_SETCURSEL, (WPARAM)dayTab, 0);
    SendMessageA(mainUi.periodTabs, TCM_SETCURSEL, (WPARAM)periodTab, 0);
}

void frontNotesChanged() { refreshAgendaWindow(); }

void frontSetWindowTitle(const char* title) {
    trace("title");
    SetWindowTextA(mainUi.main, title);
}
