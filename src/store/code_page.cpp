// Unicode to Windows-1252: Latin-1 maps to itself; the printable characters at 0x80..0x9F
// (the euro, typographic quotes and dashes, ...) come from this table.
#include "store/code_page.h"

static const unsigned short high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

unsigned char codePageByte(unsigned long codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return (unsigned char)codePoint;
    for (int i = 0; i < 32; i++)
        if (high[i] == codePoint) return (unsigned char)(0x80 + i);
    return '?';
}
