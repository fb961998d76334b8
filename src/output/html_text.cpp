// Escaping of stored values for the HTML pages and the conversion of notes into page text.
#include "output/html_text.h"

#include "records/lesson_changes.h"

#include <cstring>

#include "records/note_text.h"

const char* htmlEntity(char c) {
    switch (c) {
        case '&': return "&amp;";
        case '<': return "&lt;";
        case '>': return "&gt;";
        case '"': return "&quot;";
        default: return NULL;
    }
}

void writeEscaped(Rewrite* page, const char* text) {
    const char* start = text;
    for (const char* p = text; *p != '\0'; p++) {
        const char* entity = htmlEntity(*p);
        if (entity == NULL) continue;
        rewriteText(page, start, (size_t)(p - start));
        rewriteString(page, entity);
        start = p + 1;
    }
    rewriteString(page, start);
}

void writeBigLine(Rewrite* page, const char* value) {
    rewriteString(page, "<span class=\"big\">");
    writeEscaped(page, value[0] != '\0' ? value : "-");
    rewriteString(page, "<br></span>\n");
}

void writeCancelledLine(Rewrite* page, const char* course) {
    rewriteString(page, "<span class=\"big\"><s>");
    writeEscaped(page, course[0] != '\0' ? course : "-");
    rewriteString(page, "</s> " LESSON_CANCELLED_WORD "<br></span>\n");
}

void convertNotes(const char* stored, char* out, size_t size) {
    if (size == 0) return;
    size_t n = 0;
    for (size_t i = 0; stored[i] != '\0' && n < NOTES_HTML_LIMIT; i++) {
        char one[2] = {stored[i], '\0'};
        const char* unit = noteLineBreakAt(stored, i) ? "<br>\n" : htmlEntity(stored[i]);
        if (unit == NULL) unit = one;
        size_t len = strlen(unit);
        if (n + len >= size) break;
        memcpy(out + n, unit, len);
        n += len;
    }
    out[n] = '\0';
}
