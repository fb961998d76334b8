// The week rotation dialog: five places for the cycle's colours, the first week, the holiday
// weeks, a message line that names what is wrong, and the preview list. Cycle colours without
// a timetable are named as soon as they are chosen, with the choice of what fills them; week
// colours set by hand are marked in the preview and kept unless the user overwrites them. OK
// applies the rule (one rewrite of the week colours); bad input keeps the dialog open at the
// field in error.
#include "ui/win32/rotation_dialog.h"

#include <windows.h>

#include <cstdio>

#include "core/diary_state.h"
#include "diary/rotation.h"
#include "diary/rotation_guard.h"
#include "records/timetable_colours.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/resource_ids.h"

#define PLACES ROTATION_MAX_CYCLE

// The data of one call: the rule kept on disk, the timetable's entries per colour and the week
// colours set by hand, filled in by the caller.
struct RotationDialog {
    RotationRule rule;
    int entries[5];
    HandSetWeeks hand;
    int filling;  // set while the fields are filled, so that their change notes are ignored
};

// The choices of a place: "-" leaves it out, then the week colours 0..4.
static const char* const placeChoices[6] = {"-", "White", "Yellow", "Green", "Red", "Blue"};

static int fieldId(RotationField field) {
    if (field == ROTATION_FIELD_CYCLE) return IDC_ROT_CYCLE1;
    if (field == ROTATION_FIELD_FIRST) return IDC_ROT_FIRST;
    return IDC_ROT_HOLIDAYS;
}

// Reads the fields into rule; the message line shows what is wrong, or nothing.
static RotationField readFields(HWND dlg, RotationRule* rule) {
    int places[PLACES];
    for (int i = 0; i < PLACES; i++)
        places[i] = (int)SendDlgItemMessageA(dlg, IDC_ROT_CYCLE1 + i, CB_GETCURSEL, 0, 0) - 1;
    char first[16], holidays[ROTATION_HOLIDAYS_SIZE + 8], message[ROTATION_MESSAGE_SIZE];
    GetDlgItemTextA(dlg, IDC_ROT_FIRST, first, sizeof first);
    GetDlgItemTextA(dlg, IDC_ROT_HOLIDAYS, holidays, sizeof holidays);
    RotationField field = readRotationFields(places, PLACES, first, holidays, rule, message, sizeof message);
    SetDlgItemTextA(dlg, IDC_ROT_MESSAGE, message);
    return field;
}

// The note and the two choices about cycle colours without a timetable, shown only when the
// cycle has some (the rule's cycle is read even when a later field is wrong).
static void refreshTimetableChoice(HWND dlg, const RotationDialog* rotation, const RotationRule* rule) {
    int mask = emptyCycleColours(rotation->entries, rule, diaryState.useDefaults);
    char note[200], copyLabel[96];
    describeEmptyColours(mask, note, sizeof note, copyLabel, sizeof copyLabel);
    SetDlgItemTextA(dlg, IDC_ROT_TT_NOTE, note);
    SetDlgItemTextA(dlg, IDC_ROT_TT_COPY, copyLabel);
    ShowWindow(GetDlgItem(dlg, IDC_ROT_TT_DEFAULTS), mask != 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dlg, IDC_ROT_TT_COPY), mask != 0 ? SW_SHOW : SW_HIDE);
}

static void refreshPreview(HWND dlg, const RotationDialog* rotation) {
    HWND list = GetDlgItem(dlg, IDC_ROT_PREVIEW);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    RotationRule rule;
    int overwrite = IsDlgButtonChecked(dlg, IDC_ROT_OVERWRITE) == BST_CHECKED, marked = 0;
    if (readFields(dlg, &rule) == ROTATION_FIELD_NONE) {
        RotationWeek weeks[ROTATION_MAX_WEEKS];
        int n = previewRotation(&rule, weeks, ROTATION_MAX_WEEKS);
        for (int i = 0; i < n; i++) {
            char line[128];
            formatPreviewWeek(&weeks[i], &rotation->hand, overwrite, line, sizeof line);
            marked += fillChangesHandSet(&rotation->hand, &weeks[i]);
            SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)line);
        }
    }
    refreshTimetableChoice(dlg, rotation, &rule);
    // The choice is offered only where the fill meets a colour set by hand.
    EnableWindow(GetDlgItem(dlg, IDC_ROT_OVERWRITE), marked > 0 || overwrite);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}

static void fillFields(HWND dlg, RotationDialog* rotation) {
    const RotationRule& rule = rotation->rule;
    rotation->filling = 1;
    for (int i = 0; i < PLACES; i++) {
        HWND place = GetDlgItem(dlg, IDC_ROT_CYCLE1 + i);
        for (const char* choice : placeChoices) SendMessageA(place, CB_ADDSTRING, 0, (LPARAM)choice);
        SendMessageA(place, CB_SETCURSEL, i < rule.cycleLength ? rule.cycle[i] + 1 : 0, 0);
    }
    char first[16];
    snprintf(first, sizeof first, "%d", rule.firstWeek);
    SetDlgItemTextA(dlg, IDC_ROT_FIRST, first);
    SendDlgItemMessageA(dlg, IDC_ROT_HOLIDAYS, EM_LIMITTEXT, ROTATION_HOLIDAYS_SIZE - 1, 0);
    SetDlgItemTextA(dlg, IDC_ROT_HOLIDAYS, rule.holidayText);
    CheckRadioButton(dlg, IDC_ROT_TT_DEFAULTS, IDC_ROT_TT_COPY, IDC_ROT_TT_DEFAULTS);
    rotation->filling = 0;
    refreshPreview(dlg, rotation);
}

static void onOk(HWND dlg, const RotationDialog* rotation) {
    RotationRule rule;
    RotationField field = readFields(dlg, &rule);
    if (field != ROTATION_FIELD_NONE) {
        HWND at = GetDlgItem(dlg, fieldId(field));
        SetFocus(at);
        SendMessageA(at, EM_SETSEL, 0, -1);
        MessageBeep(MB_ICONWARNING);
        return;
    }
    RotationChoices choices = {IsDlgButtonChecked(dlg, IDC_ROT_OVERWRITE) == BST_CHECKED, ROTATION_TIMETABLE_AS_IS};
    if (rotation != NULL && emptyCycleColours(rotation->entries, &rule, diaryState.useDefaults) != 0)
        choices.timetable = IsDlgButtonChecked(dlg, IDC_ROT_TT_COPY) == BST_CHECKED ? ROTATION_TIMETABLE_COPY
                                                                                   : ROTATION_TIMETABLE_DEFAULTS;
    // A write that fails has told the user; the dialog stays so that the rule is not lost.
    if (applyRotationWith(&rule, &choices) == 0) EndDialog(dlg, IDOK);
}

static void onCommand(HWND dlg, const RotationDialog* rotation, int id, int code) {
    if (id == IDOK) onOk(dlg, rotation);
    else if (id == IDCANCEL) EndDialog(dlg, IDCANCEL);
    else if (rotation == NULL || rotation->filling) return;
    else if ((id >= IDC_ROT_CYCLE1 && id < IDC_ROT_CYCLE1 + PLACES && code == CBN_SELCHANGE) ||
             ((id == IDC_ROT_FIRST || id == IDC_ROT_HOLIDAYS) && code == EN_CHANGE) ||
             (id == IDC_ROT_OVERWRITE && code == BN_CLICKED))
        refreshPreview(dlg, rotation);
}

static INT_PTR CALLBACK RotationDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    RotationDialog* rotation = (RotationDialog*)GetWindowLongPtrA(dlg, DWLP_USER);
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            fillFields(dlg, (RotationDialog*)lParam);
            return TRUE;
        case WM_COMMAND: onCommand(dlg, rotation, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        default: return FALSE;
    }
}

void openRotationDialog() {
    RotationDialog rotation = {};
    loadRotationRule(&rotation.rule);
    countTimetableEntries(rotation.entries);
    readHandSetWeeks(&rotation.hand);
    runModalDialog(IDD_ROTATION, RotationDlgProc, &rotation);
}
