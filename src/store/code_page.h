// The diary's text is single-byte Windows-1252. Files saved by other editors in UTF-8 or
// UTF-16 are turned into it character by character here.
// Offers codePageByte.
#pragma once

// The Windows-1252 byte of a Unicode character; '?' for one the code page does not hold.
unsigned char codePageByte(unsigned long codePoint);
