// The launch and beep recorder behind the platform's seams.
#include "support/platform_recorder.h"

#include "platform/bounded_text.h"
#include "platform/platform.h"

struct PlatformRecord {
    char lastProgram[512];
    char lastParams[1024];
    int beeps;
};

static PlatformRecord record;

static int recordLaunch(const char* program, const char* params) {
    copyText(record.lastProgram, sizeof record.lastProgram, program);
    copyText(record.lastParams, sizeof record.lastParams, params);
    return 0;
}

static void countBeep(unsigned, unsigned) { record.beeps++; }

void platformRecordLaunches(int on) { platformSetLaunchHook(on ? recordLaunch : NULL); }
const char* platformLastLaunchProgram() { return record.lastProgram; }
const char* platformLastLaunchParams() { return record.lastParams; }
void platformRecordBeeps(int on) { platformSetBeepHook(on ? countBeep : NULL); }
int platformBeepCount() { return record.beeps; }
