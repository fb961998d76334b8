// The fixture of the window tests: a fresh base folder as the current directory, a fixed
// "today" (Wednesday 15 April 2026, week 16), boxes and beeps recorded instead of shown, and
// the real start-up and main window. Also small helpers to read controls and pump messages.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs start-up and creates the main window; the start-up box is recorded, then cleared.
    void open(bool teacherMode = false);
    // Sends a WM_COMMAND as the menu does, then handles what it posted.
    void command(int id);
    std::string dataBytes(const std::string& name) const;
    // Writes a file of the data folder from memory text ("\n" becomes CR LF).
    void writeData(const std::string& name, const std::string& text) const;

    TempFolder base;
    HWND window = NULL;

private:
    char startDirectory[MAX_PATH] = "";
};

// Handles every queued message of this thread (a quit message is dropped).
void pumpMessages();
std::string windowText(HWND hwnd);
// A window as it is on the screen, saved as the BMP file `name` among the artefacts, for a
// person to look at.
void windowPicture(HWND window, const std::string& name);
// The window's text in UTF-8, for a text that holds characters the code page lacks.
std::string utf8Text(HWND hwnd);
std::string className(HWND hwnd);
// The rectangle of a child in its parent's client coordinates.
RECT childRect(HWND child);
// True when the text of a static text or a button shows whole in its font: wrapped at the
// width of a static text, on one line beside a check box or inside a push button.
bool textFits(HWND control);
// The values a combo box offers, joined by ",".
std::string chooserItems(HWND chooser);
// Index of the recorded box with this title, -1 when none.
int findBox(const char* title);
