// Conversion, escaping and folding of iCalendar content lines.
#include "output/ical_text.h"

#include <cstring>

// U+20AC .. U+0178 for the bytes 0x80..0x9F; 0 marks the five the code page leaves undefined.
static const unsigned short highControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

static int encodeUtf8(unsigned code, char* out) {
    if (code < 0x80) {
        out[0] = (char)code;
        return 1;
    }
    if (code < 0x800) {
        out[0] = (char)(0xC0 | (code >> 6));
        out[1] = (char)(0x80 | (code & 0x3F));
        return 2;
    }
    out[0] = (char)(0xE0 | (code >> 12));
    out[1] = (char)(0x80 | ((code >> 6) & 0x3F));
    out[2] = (char)(0x80 | (code & 0x3F));
    return 3;
}

int cp1252ToUtf8(unsigned char byte, char* out) {
    // Control characters may not stand in a TEXT value (tab excepted).
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) return 0;
    if (byte >= 0x80 && byte <= 0x9F) {
        unsigned code = highControls[byte - 0x80];
        return encodeUtf8(code != 0 ? code : 0xFFFD, out);
    }
    return encodeUtf8(byte, out);
}

// Appends n bytes when they all fit; a value too long for the line is cut before them.
static void appendBytes(IcalLine* line, const char* bytes, size_t n) {
    if (line->length + n >= sizeof line->text) return;
    memcpy(line->text + line->length, bytes, n);
    line->length += n;
    line->text[line->length] = '\0';
}

void icalStart(IcalLine* line, const char* name) {
    line->length = 0;
    line->text[0] = '\0';
    icalAppend(line, name);
}

void icalAppend(IcalLine* line, const char* text) { appendBytes(line, text, strlen(text)); }

void icalAppendText(IcalLine* line, const char* cp1252) {
    for (const unsigned char* p = (const unsigned char*)cp1252; *p != '\0'; p++) {
        char bytes[4];
        int n;
        if (*p == '\\' || *p == ';' || *p == ',') {
            bytes[0] = '\\';
            bytes[1] = (char)*p;
            n = 2;
        } else if (*p == '\n') {
            bytes[0] = '\\';
            bytes[1] = 'n';
            n = 2;
        } else {
            n = cp1252ToUtf8(*p, bytes);
        }
        appendBytes(line, bytes, (size_t)n);
    }
}

static int isContinuationByte(char c) { return ((unsigned char)c & 0xC0) == 0x80; }

void icalWriteLine(Rewrite* out, const IcalLine* line) {
    const char* p = line->text;
    size_t left = line->length, room = 75;
    for (;;) {
        size_t n = left <= room ? left : room;
        // Never cut inside a character: back up to the start of the one that does not fit.
        while (n < left && n > 0 && isContinuationByte(p[n])) n--;
        rewriteText(out, p, n);
        rewriteText(out, "\n", 1);
        p += n;
        left -= n;
        if (left == 0) return;
        rewriteText(out, " ", 1);
        room = 74;  // the blank that starts a continuation line counts
    }
}
