// The slot fields shared by the dialogs that type a course, a teacher or class and a classroom.
#include "ui/win32/slot_fields.h"

#include <cstdio>
#include <cstring>

#include "diary/timetable_edit.h"
#include "platform/bounded_text.h"

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
    foreign[0] = '\0';
    for (int i = 0; i < length; i++) {
        if (text[i] < 0x80) continue;
        int units = IS_HIGH_SURROGATE(text[i]) && i + 1 < length && IS_LOW_SURROGATE(text[i + 1]) ? 2 : 1;
        char bytes[8], item[16];
        BOOL defaulted = FALSE;
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text + i, units, bytes, sizeof bytes, NULL, &defaulted);
        unsigned code = units == 2 ? 0x10000 + ((text[i] - 0xD800u) << 10) + (text[i + 1] - 0xDC00u) : text[i];
        snprintf(item, sizeof item, "%sU+%04X", foreign[0] ? " " : "", code);
        if (defaulted && strstr(foreign, item + (foreign[0] ? 1 : 0)) == NULL)
            appendText(foreign, (size_t)foreignSize, item);
        i += units - 1;
    }
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, length, out, size - 1, NULL, NULL);
    out[n > 0 ? n : 0] = '\0';
}
