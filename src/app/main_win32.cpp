// The program's entry point: start-up prepares the store and the state before any window
// exists, then the main window runs until it is closed; its exit code is the program's.
#include <windows.h>

#include "app/startup.h"
#include "ui/win32/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    startUp();
    return runMainWindow(instance, showCommand);
}
