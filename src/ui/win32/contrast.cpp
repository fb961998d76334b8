// High contrast from the system, with a stand-in for tests: Wine answers SPI_GETHIGHCONTRAST
// but refuses to switch it on.
#include "ui/win32/contrast.h"

static int testAnswer = -1;

int highContrastOn() {
    if (testAnswer >= 0) return testAnswer;
    HIGHCONTRASTA hc = {};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON) ? 1 : 0;
}

void setHighContrastForTests(int on) { testAnswer = on; }

COLORREF paintColour(COLORREF colour, int system) { return highContrastOn() ? GetSysColor(system) : colour; }
