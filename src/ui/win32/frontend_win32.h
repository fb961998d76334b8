// The Win32 side of the front-end seam (core/frontend.h is implemented in frontend_win32.cpp),
// the one place where the window shows a message box, and the seams through which tests see
// boxes and the order of the front-end calls instead of waiting on a modal box.
#pragma once
#include <windows.h>

// MessageBoxA, or the test's hook when one is set.
int win32MessageBox(HWND owner, const char* text, const char* title, UINT flags);
// The same with a text and title in UTF-8, shown by MessageBoxW: a text that names characters
// the code page lacks (the hook sees the UTF-8 as it is).
int win32MessageBoxUtf8(HWND owner, const char* text, const char* title, UINT flags);

// Seams for tests (NULL gives the window back): a function that answers boxes in place of
// MessageBoxA, and one told of every front-end call in order ("notes", "slot", "colour" with
// the COLORREF as value, "status", "box", "input", "tabs", "title").
typedef int (*MessageBoxHook)(HWND owner, const char* text, const char* title, UINT flags);
void win32SetMessageBoxHook(MessageBoxHook hook);
typedef void (*FrontCallHook)(const char* call, unsigned long value);
void win32SetFrontCallHook(FrontCallHook hook);
