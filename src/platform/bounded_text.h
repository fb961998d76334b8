// Bounded text helpers used wherever a fixed-size buffer is filled.
// copyText and appendText never write past `size` bytes and always terminate (size > 0).
#pragma once
#include <cstddef>

// Copies src into dst (size bytes); returns 1 when src had to be cut, else 0.
int copyText(char* dst, size_t size, const char* src);
// Appends src to the text in dst (size bytes); returns 1 when src had to be cut, else 0.
int appendText(char* dst, size_t size, const char* src);

// The decimal number at the start of text, read like atoi (optional sign, then digits up to the
// first other character; none gives 0), but saturating instead of overflowing.
int leadingNumber(const char* text);
// A number typed in a field: digits only, blanks around allowed. Its value (kept below 10000),
// -1 for any other text; `empty` (when not NULL) tells an empty or blank field apart.
long typedNumber(const char* text, int* empty);
