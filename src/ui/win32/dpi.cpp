// Screen scale: the DPI of the system and of the window, and lengths scaled from 96 DPI.
// GetDpiForWindow is looked up at run time, so that the program still starts on Windows 7.
#include "ui/win32/dpi.h"

#include "ui/win32/window_handles.h"

typedef UINT(WINAPI* DpiForWindowFn)(HWND);

int readSystemDpi() {
    HDC screen = GetDC(NULL);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(NULL, screen);
    return dpi > 0 ? dpi : BASE_DPI;
}

int readWindowDpi(HWND window) {
    HMODULE user = GetModuleHandleA("user32.dll");
    DpiForWindowFn forWindow = user ? (DpiForWindowFn)(void*)GetProcAddress(user, "GetDpiForWindow") : NULL;
    int dpi = forWindow && window ? (int)forWindow(window) : 0;
    return dpi > 0 ? dpi : readSystemDpi();
}

int scaled(int pixelsAt96) {
    int dpi = mainUi.dpi > 0 ? mainUi.dpi : BASE_DPI;
    return MulDiv(pixelsAt96, dpi, BASE_DPI);
}

int toolbarImageSize(int dpi) {
    // The nearest of the three sizes at or below the scaled 32 pixels.
    int wanted = MulDiv(32, dpi, BASE_DPI);
    if (wanted >= 64) return 64;
    if (wanted >= 48) return 48;
    return 32;
}
