// Text typed in Unicode windows against the system's code page, in which the diary stores it:
// the characters the code page lacks, named as themselves (win32MessageBoxUtf8 shows them).
#pragma once
#include <windows.h>

// The characters of text (length units) that the code page cannot hold, each once, as UTF-8
// separated by blanks ("ł ź α") into out; their count, 0 when every one fits.
int listForeignCharacters(const WCHAR* text, int length, char* out, int size);
