// The characters the code page lacks, named in UTF-8.
#include "ui/win32/code_page_text.h"

#include "platform/bounded_text.h"

// Whether the system's code page holds the character at text (units 1, or 2 for a pair).
static int codePageHolds(const WCHAR* text, int units) {
    char bytes[8];
    BOOL defaulted = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, bytes, sizeof bytes, NULL, &defaulted);
    return !defaulted;
}

static int seenBefore(const WCHAR* text, int i, int units) {
    for (int j = 0; j < i; j++)
        if (text[j] == text[i] && (units == 1 || text[j + 1] == text[i + 1])) return 1;
    return 0;
}

int listForeignCharacters(const WCHAR* text, int length, char* out, int size) {
    if (size > 0) out[0] = '\0';
    int count = 0;
    for (int i = 0; i < length; i++) {
        if (text[i] < 0x80) continue;
        int units = IS_HIGH_SURROGATE(text[i]) && i + 1 < length && IS_LOW_SURROGATE(text[i + 1]) ? 2 : 1;
        if (!seenBefore(text, i, units) && !codePageHolds(text + i, units)) {
            char item[8] = " ";
            int n = WideCharToMultiByte(CP_UTF8, 0, text + i, units, item + 1, sizeof item - 2, NULL, NULL);
            item[n + 1] = '\0';
            if (size > 0) appendText(out, (size_t)size, count > 0 ? item : item + 1);
            count++;
        }
        i += units - 1;
    }
    return count;
}
