// The main window "winwkb": class registration, creation, the window procedure with its
// message handlers, and the message loop. Offers runMainWindow for the entry point, and
// registerMainClass and createMainWindow for tests that drive the window without the loop.
#pragma once
#include <windows.h>

// Registers the class, creates and shows the window, runs the message loop. Returns the quit
// message's wParam, or 0 when the class cannot be registered ("Base Class problem").
int runMainWindow(HINSTANCE instance, int showCommand);

// The common controls the window and the dialog use (tabs, bars, up-down).
void initCommonControls();
// Registers the window class "winwkb"; 0, or 1 when it cannot be registered.
int registerMainClass(HINSTANCE instance);
// Creates the main window, records its handle, shows it; NULL when it cannot be made.
HWND createMainWindow(HINSTANCE instance, int showCommand);

// Posted at the end of WM_CREATE: the agenda's reminder opens once the window is up.
#define WM_APP_AGENDA_REMINDER (WM_APP + 2)

// The menu resource of the main window.
#define MAIN_MENU_NAME "WKBMENU"
// Makes the menu show the teacher mode of the DiaryState, also when it was switched off again.
void followTeacherMenu(HWND hwnd);
// Message handlers of the main window (window_create.cpp, window_layout.cpp, main_window.cpp).
LRESULT MainWnd_OnCreate(HWND hwnd);
void MainWnd_OnSize(HWND hwnd);
// Nonzero vetoes a tab change (TCN_SELCHANGING) whose typed note could not be kept.
LRESULT MainWnd_OnNotify(HWND hwnd, NMHDR* header);
void MainWnd_OnNcDestroy();
// WM_ACTIVATE: the focus goes back to where the user was (the notes editor at first), after
// a box, a dialog or another program.
void MainWnd_OnActivate(HWND hwnd, int state);
// WM_SYSCOLORCHANGE and WM_SETTINGCHANGE: a high-contrast theme switched on or off.
void MainWnd_OnColoursChanged(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// After a change of DPI: the window at the suggested place, its fonts, pictures and layout.
void MainWnd_OnDpiChanged(HWND hwnd, int dpi, const RECT* suggested);
// The smallest window in which the notes editor keeps a few lines.
void MainWnd_OnGetMinMaxInfo(MINMAXINFO* info);
// (Re)makes the UI, slot line and notes fonts for mainUi.dpi and sets them on the controls.
void makeWindowFonts(HWND hwnd);
// The tab-change refresh: both tab selections into the state, then notes, slot and status line.
void MainWnd_OnTabChange();
