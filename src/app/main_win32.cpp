// The program's entry point: start-up prepares the store and the state before any window
// exists, then the main window runs until it is closed; its exit code is the program's.
// A second copy on the same data folder ends after start-up has told the user.
#include <windows.h>

#include "app/startup.h"
#include "ui/win32/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (startUp() != 0) return 0;
    return runMainWindow(instance, showCommand);
}
