// The 32 x 32 two-colour icon of the page banner (a ring-bound diary), as an icon file of
// 326 bytes and as the Base64 text written into the page head.
// Offers pageIconBytes and pageIconBase64.
#pragma once

#define PAGE_ICON_SIZE 326
#define PAGE_ICON_BASE64_LENGTH 436

// The icon file's bytes into out (PAGE_ICON_SIZE bytes).
void pageIconBytes(unsigned char* out);
// The icon file as standard Base64 text (PAGE_ICON_BASE64_LENGTH characters), without breaks.
const char* pageIconBase64();
