// The front-end seam: what the diary core asks of the window.
// ui/win32/ implements it with Win32 controls; tests/support/ records every call instead.
#pragma once

enum FrontIcon { FRONT_ICON_INFORMATION, FRONT_ICON_ERROR, FRONT_ICON_QUESTION };

// A modal message box without an owner window.
void frontMessageBox(const char* text, const char* title, FrontIcon icon);
// The yes/no question owned by the main window ("Question", No the default); 1 for Yes.
int frontAskYesNo(const char* text);
// The same with a text in UTF-8, for a question that names characters the code page lacks.
int frontAskYesNoUtf8(const char* text);
// Opens the modeless input dialog with text as its prompt; returns at once.
// 0 when it is open, 1 when it could not be created.
int frontOpenInputDialog(const char* prompt);
// The status bar: its background colour (0x00BBGGRR), then its text.
void frontSetStatusColour(unsigned long colorref);
void frontSetStatusText(const char* text);
// The slot line's text.
void frontSetSlotLine(const char* text);
// The notes editor: set its text; read its length and text (lines end in CR LF).
void frontSetNotesText(const char* text);
int frontNotesLength();
// Copies at most size - 1 characters of the editor's text into out; returns the count.
int frontGetNotesText(char* out, int size);
// Whether the user changed the editor's text since it was last loaded or stored (the edit
// control's own flag), and the clearing of that flag.
int frontNotesModified();
void frontClearNotesModified();
// The characters of the editor's text that the system's code page cannot hold, each once, as
// UTF-8 separated by blanks ("ł α") into out (at most size - 1 bytes); their count, 0 when
// every one fits.
// The editor's text as read above holds a stand-in for each of them.
int frontNotesForeignCharacters(char* out, int size);
// Selects the day tab and the period tab without running the tab-change refresh.
void frontSelectTabs(int dayTab, int periodTab);
// The main window's title.
void frontSetWindowTitle(const char* title);
// The notes, their marks or the calendar changed (a save, a restore, a new school year, a
// mark): the windows beside the main one that list notes show them again.
void frontNotesChanged();
