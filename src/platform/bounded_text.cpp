// Bounded copy and append into fixed-size text buffers.
#include "platform/bounded_text.h"

#include <cstring>

int copyText(char* dst, size_t size, const char* src) {
    if (size == 0) return 1;
    size_t n = strlen(src);
    int cut = 0;
    if (n >= size) {
        n = size - 1;
        cut = 1;
    }
    memmove(dst, src, n);
    dst[n] = '\0';
    return cut;
}

int appendText(char* dst, size_t size, const char* src) {
    if (size == 0) return 1;
    size_t used = strnlen(dst, size);
    if (used >= size) {
        dst[size - 1] = '\0';
        return 1;
    }
    return copyText(dst + used, size - used, src);
}

int leadingNumber(const char* text) {
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') p++;
    int negative = 0;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value < 2147483648LL) value = value * 10 + (*p - '0');
        p++;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return 2147483647;
    if (value < -2147483648LL) return (int)-2147483648LL;
    return (int)value;
}

long typedNumber(const char* text, int* empty) {
    while (*text == ' ') text++;
    long n = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; text++, digits++)
        if (n < 1000) n = n * 10 + (*text - '0');
    while (*text == ' ') text++;
    if (empty != NULL) *empty = digits == 0 && *text == '\0';
    return digits > 0 && *text == '\0' ? n : -1;
}
