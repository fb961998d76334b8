// The modeless input dialog: set up for the pending action (text field; chooser of known
// values for a slot or a removal; week field, spinner and "Search" for a search), OK hands
// the value to commitInput, Cancel to cancelInput. Only the two buttons close it; the message
// loop routes its keys through the dialog manager, so Enter is OK and Escape is Cancel.
#include "ui/win32/input_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "core/diary_state.h"
#include "core/frontend.h"
#include "diary/actions.h"
#include "diary/notify.h"
#include "diary/search.h"
#include "platform/bounded_text.h"
#include "records/value_lists.h"
#include "ui/win32/code_page_text.h"
#include "ui/win32/dpi.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/window_handles.h"

// inputText holds 254 characters and its terminator; longer typing would be cut unseen.
#define INPUT_LIMIT (sizeof inputText - 1)
#define WEEK_FIELD_CHARS 6

struct InputDialog {
    HWND window;
    HWND weekField;
    HWND chooser;
    char prompt[512];
};

static InputDialog dialog;

static int forceFailure = 0;
void inputDialogForceFailure(int on) { forceFailure = on; }

HWND inputDialogWindow() { return dialog.window; }

static HWND createChild(HWND dlg, DWORD exStyle, const char* cls, const char* text, DWORD style, int x, int y,
                        int w, int h, int id) {
    HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dlg,
                                 (HMENU)(INT_PTR)id, mainUi.instance, NULL);
    if (mainUi.uiFont) SendMessageA(child, WM_SETFONT, (WPARAM)mainUi.uiFont, TRUE);
    return child;
}

static void addSearchFields(HWND dlg) {
    char week[16];
    snprintf(week, sizeof week, "%u", (unsigned)diaryState.currentWeek);
    SetDlgItemTextA(dlg, IDC_DLG_OK, "Search");
    dialog.weekField = createChild(dlg, WS_EX_CLIENTEDGE, "edit", week, WS_BORDER | WS_TABSTOP,
                                   mainUi.borderWidth + scaled(260), scaled(65), scaled(60), scaled(30), IDC_DLG_WEEK);
    // Made right after the week field, so that it takes the field as its buddy.
    HWND spinner = CreateWindowExA(0, UPDOWN_CLASSA, NULL,
                                   WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY |
                                       UDS_ARROWKEYS,
                                   0, 0, 0, 0, dlg, (HMENU)(INT_PTR)IDC_DLG_SPINNER, mainUi.instance, NULL);
    SendMessageA(spinner, UDM_SETRANGE, 0, 52);
    // Setting the range may rewrite the buddy: the field starts with today's week.
    SetWindowTextA(dialog.weekField, week);
}

static void addChooserValue(const char* value, void* chooser) {
    SendMessageA((HWND)chooser, CB_ADDSTRING, 0, (LPARAM)value);
}

static void addChooser(HWND dlg, int action) {
    DestroyWindow(GetDlgItem(dlg, IDC_DLG_TEXT));
    // A Unicode window, so that a typed letter the code page lacks reaches onOk to be named.
    const DWORD style = WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_HASSTRINGS | WS_TABSTOP;
    dialog.chooser = CreateWindowExW(0, L"ComboBox", L"", style, mainUi.borderWidth + scaled(30), scaled(100),
                                     scaled(300), scaled(300), dlg, (HMENU)(INT_PTR)IDC_DLG_CHOOSER, mainUi.instance,
                                     NULL);
    if (mainUi.uiFont) SendMessageA(dialog.chooser, WM_SETFONT, (WPARAM)mainUi.uiFont, TRUE);
    SendMessageA(dialog.chooser, CB_LIMITTEXT, INPUT_LIMIT, 0);
    SetWindowTextA(dialog.chooser, CHOOSER_PLACEHOLDER);
    if (readListValues(listPrefix(action), addChooserValue, dialog.chooser) != 0)
        notify("Fichier introuvable", NOTIFY_ERROR);
}

static BOOL onInitDialog(HWND dlg) {
    dialog.window = dlg;
    SetDlgItemTextA(dlg, IDC_DLG_PROMPT, dialog.prompt);
    const int fontTaking[] = {IDC_DLG_PROMPT, IDC_DLG_OK, IDC_DLG_CANCEL};
    for (int id : fontTaking) SendDlgItemMessageA(dlg, id, WM_SETFONT, (WPARAM)mainUi.uiFont, TRUE);
    SendDlgItemMessageA(dlg, IDC_DLG_TEXT, EM_LIMITTEXT, INPUT_LIMIT, 0);
    int action = diaryState.action;
    if (pendingAction(action)->input == INPUT_SEARCH) addSearchFields(dlg);
    if (pendingAction(action)->input == INPUT_CHOOSER) addChooser(dlg, action);
    UpdateWindow(dlg);
    return TRUE;
}

// A modeless dialog must be destroyed; ending it would only hide it and keep it for ever.
static void closeInputDialog() {
    if (dialog.window) DestroyWindow(dialog.window);
}

// The field's text into inputText in the code page. A letter the code page lacks would be
// stored as "?": that happens only when the user agrees, after being told which it is (the
// search only looks, so it is not asked). 0 when the user goes back to the text.
static int readField(HWND field) {
    WCHAR text[INPUT_LIMIT + 1];
    int length = GetWindowTextW(field, text, (int)(sizeof text / sizeof text[0]));
    char list[200], question[400];
    int count = listForeignCharacters(text, length, list, sizeof list);
    if (count > 0 && diaryState.action != ACTION_SEARCH) {
        snprintf(question, sizeof question,
                 "The text holds %d character(s) that this computer's character set cannot store:\n%s\n\n"
                 "Yes stores it with a stand-in for each of them. No goes back to the text.",
                 count, list);
        if (!frontAskYesNoUtf8(question)) {
            SetFocus(field);
            return 0;
        }
    }
    int n = WideCharToMultiByte(CP_ACP, 0, text, length, inputText, (int)INPUT_LIMIT, NULL, NULL);
    inputText[n > 0 ? n : 0] = '\0';
    return 1;
}

static void onOk(HWND dlg) {
    if (!readField(dialog.chooser ? dialog.chooser : GetDlgItem(dlg, IDC_DLG_TEXT))) return;
    // The placeholder is no choice: storing it would replace a slot's value by "Sélection".
    if (dialog.chooser && strcmp(inputText, CHOOSER_PLACEHOLDER) == 0) {
        win32MessageBox(dlg, "Choose a value from the list or type one.", "keyboard input", MB_ICONINFORMATION);
        SetFocus(dialog.chooser);
        return;
    }
    if (diaryState.action == ACTION_SEARCH) {
        char week[WEEK_FIELD_CHARS + 1] = "";
        SendMessageA(dialog.weekField, WM_GETTEXT, sizeof week, (LPARAM)week);
        searchState.startWeek = leadingNumber(week);
    }
    commitInput();
    if (diaryState.action != ACTION_SEARCH) closeInputDialog();
}

static INT_PTR CALLBACK InputDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: return onInitDialog(dlg);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_DLG_OK) onOk(dlg);
            // IDCANCEL is Escape, as the dialog manager sends it.
            else if (LOWORD(wParam) == IDC_DLG_CANCEL || LOWORD(wParam) == IDCANCEL) {
                cancelInput();
                closeInputDialog();
            }
            return TRUE;
        // The close box has no effect: only the buttons end the dialog.
        case WM_CLOSE: return TRUE;
        case WM_NCDESTROY:
            if (dlg == dialog.window) dialog.window = dialog.weekField = dialog.chooser = NULL;
            return FALSE;
        default: return FALSE;
    }
}

int openInputDialog(const char* prompt) {
    // Only one dialog at a time: the guard of the actions keeps a second from being asked for.
    closeInputDialog();
    copyText(dialog.prompt, sizeof dialog.prompt, prompt ? prompt : "");
    const char* resource = "DIALOG2";
    if (forceFailure) resource = "NO_SUCH_DIALOG";
    // Unicode, so that the field keeps a typed letter the code page lacks until OK names it.
    WCHAR wideResource[32];
    MultiByteToWideChar(CP_ACP, 0, resource, -1, wideResource, (int)(sizeof wideResource / sizeof wideResource[0]));
    HWND dlg = CreateDialogParamW(mainUi.instance, wideResource, mainUi.main, InputDlgProc, 0);
    if (dlg == NULL) return 1;
    SendMessageA(dlg, WM_SETFONT, (WPARAM)mainUi.uiFont, TRUE);
    ShowWindow(dlg, SW_SHOWNORMAL);
    // The field or the chooser takes the keys at once; the chooser's text is selected, so that
    // typing replaces the placeholder.
    HWND field = dialog.chooser ? dialog.chooser : GetDlgItem(dlg, IDC_DLG_TEXT);
    SendMessageA(dlg, WM_NEXTDLGCTL, (WPARAM)field, TRUE);
    if (dialog.chooser) SendMessageA(dialog.chooser, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return 0;
}
