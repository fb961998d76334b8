// Screen scale of the main window: the layout is written in pixels at 96 DPI and scaled to the
// window's DPI; the toolbar pictures come in three sizes. Offers readSystemDpi, readWindowDpi,
// scaled and toolbarImageSize.
#pragma once
#include <windows.h>

#define BASE_DPI 96

// The system's DPI (the screen's logical pixels per inch), BASE_DPI when unknown.
int readSystemDpi();
// The DPI of the monitor the window is on (Windows 10 and later), else the system's.
int readWindowDpi(HWND window);
// A length given in pixels at 96 DPI, at the window's DPI (mainUi.dpi); unchanged at 96.
int scaled(int pixelsAt96);
// The toolbar picture size for a DPI: 32, 48 or 64 pixels.
int toolbarImageSize(int dpi);
