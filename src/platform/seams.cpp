// The clock, the beep and launches, written once for both systems, with the seams through which
// tests fix "today" and see beeps and launches instead of the system performing them.
#include "platform/os.h"
#include "platform/platform.h"

struct PlatformSeams {
    time_t fixedNow;
    PlatformLaunchHook launch;
    PlatformBeepHook beep;
};

static PlatformSeams seams;

void platformSetNow(time_t t) { seams.fixedNow = t; }
void platformSetLaunchHook(PlatformLaunchHook hook) { seams.launch = hook; }
void platformSetBeepHook(PlatformBeepHook hook) { seams.beep = hook; }

void platformBeep(unsigned hertz, unsigned milliseconds) {
    if (seams.beep != NULL) seams.beep(hertz, milliseconds);
    else osBeep(hertz, milliseconds);
}

time_t platformNow() { return seams.fixedNow != 0 ? seams.fixedNow : time(NULL); }

int platformLaunch(const char* program, const char* params) {
    if (seams.launch != NULL) return seams.launch(program, params);
    return osLaunch(program, params);
}
