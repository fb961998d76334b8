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
    char* out = line->text + line->length;
    // Room for the longest form of one byte (three) and the terminator.
    const char* last = line->text + sizeof line->text - 4;
    for (const unsigned char* p = (const unsigned char*)cp1252; *p != '\0' && out <= last; p++) {
        unsigned char c = *p;
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != ';' && c != ',') {
            *out++ = (char)c;
        } else if (c == '\\' || c == ';' || c == ',') {
            *out++ = '\\';
            *out++ = (char)c;
        } else if (c == '\n') {
            *out++ = '\\';
            *out++ = 'n';
        } else {
            out += cp1252ToUtf8(c, out);
        }
    }
    line->length = (size_t)(out - line->text);
    *out = '\0';
}

static int isContinuationByte(char c) { return ((unsigned char)c & 0xC0) == 0x80; }

void icalWriteLine(Rewrite* out, const IcalLine* line) {
    // Every 74 octets add at most three (CR LF and the blank; the CR is added on writing).
    char folded[ICAL_LINE_SIZE + ICAL_LINE_SIZE / 20 + 4];
    size_t n = 0, left = line->length, room = 75;
    const char* p = line->text;
    for (;;) {
        size_t take = left <= room ? left : room;
        // Never cut inside a character: back up to the start of the one that does not fit.
        while (take < left && take > 0 && isContinuationByte(p[take])) take--;
        memcpy(folded + n, p, take);
        n += take;
        folded[n++] = '\n';
        p += take;
        left -= take;
        if (left == 0) break;
        folded[n++] = ' ';
        room = 74;  // the blank that starts a continuation line counts
    }
    rewriteText(out, folded, n);
}
