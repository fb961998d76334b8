// High contrast: whether the system asks for its own colours, so that what the diary paints
// itself (the week colour, the grid, messages in red) takes the system's colours instead.
#pragma once
#include <windows.h>

// 1 while a high-contrast theme is on (SPI_GETHIGHCONTRAST), or while a test says so.
int highContrastOn();
// Tests: -1 asks the system again, 0 or 1 stands in for its answer.
void setHighContrastForTests(int on);
// colour, or the system colour `system` (a COLOR_ index) while high contrast is on.
COLORREF paintColour(COLORREF colour, int system);
