// Handles of the main window, its controls and fonts, kept for the whole run: the front end,
// the commands and the input dialog reach the controls through `mainUi`.
// A handle is NULL before its control exists and again once the window is gone.
#pragma once
#include <windows.h>
#include <commctrl.h>

struct MainWindowHandles {
    HINSTANCE instance;
    HWND main;         // recorded when CreateWindowExA returns, not during WM_CREATE
    HWND status;       // status bar (id 103)
    HWND toolbar;      // toolbar (id 102)
    HWND dayTabs;      // "my_tab1", child of the main window
    HWND periodTabs;   // "my_tab2", child of the day tabs
    HWND notes;        // notes editor, child of the period tabs
    HWND slotLine;     // slot line, child of the period tabs
    HFONT uiFont;      // the status bar's font, shared by the tabs and the input dialog
    HFONT systemFont;  // the status bar's own font, made for the system's DPI
    HFONT slotFont;    // "Arial" bold
    HFONT notesFont;   // "courier"
    HIMAGELIST images; // the toolbar's ten images
    int textHeight;    // tmHeight of the UI font, 0 when it could not be measured
    int borderWidth;   // SM_CXBORDER, read once before the window is made
    int sizeCount;     // WM_SIZE messages received
    int dpi;           // the window's DPI; the layout is scaled from 96
    int systemDpi;     // the DPI the system fonts were made for
    HFONT ownUiFont;   // the UI font made for another DPI than the system's, or NULL
    int menuTeacherMode;  // the teacher mode the menu shows
};

extern MainWindowHandles mainUi;
