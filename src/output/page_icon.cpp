// The banner icon: drawn below as text ('#' black, 'o' white, '.' transparent), turned into
// an icon file (directory, bitmap header, palette, colour bits, mask) and then into Base64.
#include "output/page_icon.h"

#include <cstring>

static const char* const picture[32] = {
    "................................",
    "................................",
    ".......#....#.....#....#........",
    "......#o#..#o#...#o#..#o#.......",
    "......#o#..#o#...#o#..#o#.......",
    "...####o####o#####o####o####....",
    "...####o####o#####o####o####....",
    "...####o####o#####o####o#####...",
    "...##########################...",
    "...##########################...",
    "...#ooooooooooooooooooooooo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#oo##o##o##o##oooooooooo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#oo###################oo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#oo###################oo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#oo###################oo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#oo###################oo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#ooooooooooooooooooooooo##...",
    "...#oo###################oo##...",
    "...#ooooooooooooooooooooooo##...",
    "...##########################...",
    ".....########################...",
    "................................",
    "................................",
};

#define ROW_BYTES 4
#define HEADER_END 62  // directory 6 + entry 16 + bitmap header 40
#define COLOURS_END (HEADER_END + 8)
#define MASK_START (COLOURS_END + 32 * ROW_BYTES)

static void put16(unsigned char* at, unsigned v) {
    at[0] = (unsigned char)(v & 0xff);
    at[1] = (unsigned char)(v >> 8);
}

static void put32(unsigned char* at, unsigned long v) {
    put16(at, (unsigned)(v & 0xffff));
    put16(at + 2, (unsigned)(v >> 16));
}

// Icon directory with its one entry, and the bitmap header of the image (height doubled:
// colour bits and mask).
static void writeHeaders(unsigned char* out) {
    put16(out + 2, 1);                            // an icon
    put16(out + 4, 1);                            // one image
    out[6] = 32;                                  // width
    out[7] = 32;                                  // height
    out[8] = 2;                                   // colours
    put16(out + 10, 1);                           // planes
    put16(out + 12, 1);                           // bits per pixel
    put32(out + 14, PAGE_ICON_SIZE - 22);         // image size
    put32(out + 18, 22);                          // image offset
    put32(out + 22, 40);                          // bitmap header size
    put32(out + 26, 32);
    put32(out + 30, 64);
    put16(out + 34, 1);
    put16(out + 36, 1);
    put32(out + 42, 2 * 32 * ROW_BYTES);          // bits and mask
    put32(out + 54, 2);                           // palette entries
    // Palette: entry 0 black, entry 1 white.
    memset(out + HEADER_END + 4, 0xff, 3);
}

void pageIconBytes(unsigned char* out) {
    memset(out, 0, PAGE_ICON_SIZE);
    writeHeaders(out);
    // Bitmap rows run from the bottom up; the leftmost pixel is the high bit.
    for (int y = 0; y < 32; y++) {
        int row = 31 - y;
        for (int x = 0; x < 32; x++) {
            unsigned char bit = (unsigned char)(0x80 >> (x % 8));
            char c = picture[y][x];
            if (c == 'o') out[COLOURS_END + row * ROW_BYTES + x / 8] |= bit;
            if (c == '.') out[MASK_START + row * ROW_BYTES + x / 8] |= bit;
        }
    }
}

static const char base64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// What the page icon keeps: its Base64 text, made at the first use ("" until then).
struct PageIconCache {
    char base64[PAGE_ICON_BASE64_LENGTH + 1];
};

static PageIconCache iconCache;

const char* pageIconBase64() {
    char* text = iconCache.base64;
    if (text[0] != '\0') return text;
    unsigned char icon[PAGE_ICON_SIZE + 2] = {0};  // two spare zero bytes complete the last group
    pageIconBytes(icon);
    int n = 0;
    for (int i = 0; i < PAGE_ICON_SIZE; i += 3) {
        unsigned long group = ((unsigned long)icon[i] << 16) | ((unsigned long)icon[i + 1] << 8) | icon[i + 2];
        for (int k = 0; k < 4; k++) text[n + k] = base64Digits[(group >> (18 - 6 * k)) & 63];
        n += 4;
    }
    // 326 bytes leave two in the last group: one pad character.
    text[PAGE_ICON_BASE64_LENGTH - 1] = '=';
    text[PAGE_ICON_BASE64_LENGTH] = '\0';
    return text;
}
