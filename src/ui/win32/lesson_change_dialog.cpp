// The lesson change dialog: the lesson named at the top, "Cancelled", the three fields (which
// complete from the value lists as the user types) filled with the lesson as it is on its date,
// and what the timetable says. OK stores the change (only what differs from the timetable);
// a value that cannot be stored is named beside the fields and nothing is stored.
#include "ui/win32/lesson_change_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/lesson_change.h"
#include "diary/timetable_edit.h"
#include "platform/bounded_text.h"
#include "records/value_lists.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/slot_fields.h"

static HWND fieldBox(HWND dlg, int field) { return GetDlgItem(dlg, IDC_LC_COURSE + field); }

// Completion as the user types; every other key is the dialog's (Tab, Enter, Escape).
static LRESULT CALLBACK fieldKeys(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(edit, fieldKeys, id);
    LRESULT result = DefSubclassProc(edit, msg, wParam, lParam);
    if (msg == WM_CHAR && wParam >= 32 && wParam != 127) slotFieldComplete(edit, GetParent(edit));
    return result;
}

static void addListed(const char* value, void* combo) { SendMessageA((HWND)combo, CB_ADDSTRING, 0, (LPARAM)value); }

static void setUpFields(HWND dlg, const LessonChangeForm* f) {
    static const char* const prefixes[3] = {"[C]", "[T]", "[L]"};
    for (int k = 0; k < 3; k++) {
        HWND combo = fieldBox(dlg, k);
        SendMessageA(combo, CB_LIMITTEXT, TIMETABLE_VALUE_LIMIT, 0);
        // A missing list leaves the field without suggestions; typing still works.
        readListValues(prefixes[k], addListed, combo);
        SetWindowTextA(combo, f->value[k]);
        HWND edit = slotFieldEdit(combo);
        if (edit) SetWindowSubclass(edit, fieldKeys, (UINT_PTR)k, 0);
    }
    if (diaryState.teacherMode) SetDlgItemTextA(dlg, IDC_LC_TEACHER_LABEL, "Cl&ass:");
}

static void onInit(HWND dlg, const LessonChangeForm* f) {
    char text[CHANGE_VALUE_LIMIT * 3 + 120];
    snprintf(text, sizeof text, "%s: what differs on this date only.", f->name);
    SetDlgItemTextA(dlg, IDC_LC_PROMPT, text);
    CheckDlgButton(dlg, IDC_LC_CANCELLED, f->cancelled ? BST_CHECKED : BST_UNCHECKED);
    setUpFields(dlg, f);
    const char* const empty = "-";
    snprintf(text, sizeof text, "The timetable says: %s, %s, %s", f->timetable[0][0] ? f->timetable[0] : empty,
             f->timetable[1][0] ? f->timetable[1] : empty, f->timetable[2][0] ? f->timetable[2] : empty);
    SetDlgItemTextA(dlg, IDC_LC_TIMETABLE, text);
    EnableWindow(GetDlgItem(dlg, IDC_LC_REMOVE), f->hasChange);
}

static void onOk(HWND dlg, LessonChangeForm* f) {
    char text[3][2 * TIMETABLE_VALUE_LIMIT + 2], foreign[3][TIMETABLE_FOREIGN_SIZE];
    LessonChangeTyped typed = {};
    for (int k = 0; k < 3; k++) {
        slotFieldRead(fieldBox(dlg, k), text[k], sizeof text[k], foreign[k], sizeof foreign[k]);
        typed.text[k] = text[k];
        typed.foreign[k] = foreign[k];
    }
    typed.cancelled = IsDlgButtonChecked(dlg, IDC_LC_CANCELLED) == BST_CHECKED;
    int field = 0;
    char message[400] = "";
    int result = lessonChangeSave(f, &typed, &field, message, sizeof message);
    // The message may name characters the code page lacks, as themselves (UTF-8).
    WCHAR wide[400];
    if (MultiByteToWideChar(CP_UTF8, 0, message, -1, wide, (int)(sizeof wide / sizeof wide[0])) == 0) wide[0] = 0;
    SetDlgItemTextW(dlg, IDC_LC_MESSAGE, wide);
    if (result == 0) EndDialog(dlg, IDOK);
    if (result != 1) return;
    HWND combo = fieldBox(dlg, field);
    SendMessageA(dlg, WM_NEXTDLGCTL, (WPARAM)combo, TRUE);
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    MessageBeep(MB_ICONWARNING);
}

static INT_PTR onCommand(HWND dlg, LessonChangeForm* f, int id) {
    switch (id) {
        case IDOK: onOk(dlg, f); return TRUE;
        case IDC_LC_REMOVE:
            if (lessonChangeRemove(f) == 0) EndDialog(dlg, IDC_LC_REMOVE);
            return TRUE;
        case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
        default: return FALSE;
    }
}

static INT_PTR CALLBACK lessonChangeProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    LessonChangeForm* f = (LessonChangeForm*)GetWindowLongPtrA(dlg, DWLP_USER);
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            onInit(dlg, (LessonChangeForm*)lParam);
            return TRUE;  // the focus goes to the first field of the tab order: "Cancelled"
        case WM_COMMAND: return f != NULL ? onCommand(dlg, f, LOWORD(wParam)) : FALSE;
        default: return FALSE;
    }
}

void openLessonChangeDialog() {
    if (refuseWhileBusy()) return;
    LessonChangeForm form;
    if (lessonChangeLoad(&form) != 0) return;
    runModalDialogUnicode(IDD_LESSON_CHANGE, lessonChangeProc, &form);
}
