// The slot fields shared by the dialogs that type a course, a teacher or class and a classroom.
#include "ui/win32/slot_fields.h"

#include <cstdio>
#include <cstring>

#include "diary/timetable_edit.h"
#include "platform/bounded_text.h"
#include "ui/win32/code_page_text.h"

HWND slotFieldEdit(HWND combo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : NULL;
}

void slotFieldComplete(HWND edit, HWND combo) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    int length = GetWindowTextLengthW(edit);
    if (start != end || (int)end != length || length == 0) return;
    WCHAR typed[TIMETABLE_VALUE_LIMIT + 1], item[TIMETABLE_VALUE_LIMIT + 1];
    GetWindowTextW(edit, typed, TIMETABLE_VALUE_LIMIT + 1);
    LRESULT found = SendMessageW(combo, CB_FINDSTRING, (WPARAM)-1, (LPARAM)typed);
    if (found == CB_ERR) return;
    LRESULT itemLength = SendMessageW(combo, CB_GETLBTEXTLEN, (WPARAM)found, 0);
    if (itemLength <= length || itemLength > TIMETABLE_VALUE_LIMIT) return;
    SendMessageW(combo, CB_GETLBTEXT, (WPARAM)found, (LPARAM)item);
    SetWindowTextW(edit, item);
    SendMessageW(edit, EM_SETSEL, (WPARAM)length, -1);
}

void slotFieldRead(HWND combo, char* out, int size, char* foreign, int foreignSize) {
    WCHAR text[TIMETABLE_VALUE_LIMIT + 2];
    int length = GetWindowTextW(combo, text, TIMETABLE_VALUE_LIMIT + 2);
    listForeignCharacters(text, length, foreign, foreignSize);
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, length, out, size - 1, NULL, NULL);
    out[n > 0 ? n : 0] = '\0';
}
