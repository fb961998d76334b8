// The clock, the beep and launches, written once for both systems: the calls that test builds
// redirect (a fixed "today", beeps counted and launches kept instead of performed).
#include "platform/bounded_text.h"
#include "platform/os.h"
#include "platform/platform.h"

#ifdef WKB_TEST_HOOKS
static time_t fixedNow;
static int recordLaunches;
static char lastProgram[512];
static char lastParams[1024];
static int recordBeeps = 1;
static int beeps;

void platformSetNow(time_t t) { fixedNow = t; }
void platformRecordLaunches(int on) { recordLaunches = on; }
const char* platformLastLaunchProgram() { return lastProgram; }
const char* platformLastLaunchParams() { return lastParams; }
void platformRecordBeeps(int on) { recordBeeps = on; }
int platformBeepCount() { return beeps; }
#endif

void platformBeep(unsigned hertz, unsigned milliseconds) {
#ifdef WKB_TEST_HOOKS
    if (recordBeeps) {
        beeps++;
        return;
    }
#endif
    osBeep(hertz, milliseconds);
}

time_t platformNow() {
#ifdef WKB_TEST_HOOKS
    if (fixedNow != 0) return fixedNow;
#endif
    return time(NULL);
}

int platformLaunch(const char* program, const char* params) {
#ifdef WKB_TEST_HOOKS
    if (recordLaunches) {
        copyText(lastProgram, sizeof lastProgram, program);
        copyText(lastParams, sizeof lastParams, params);
        return 0;
    }
#endif
    return osLaunch(program, params);
}
