// Fault injection for the test builds: the counters and triggers behind the platform's
// faultHit, which the product compiles as "never".
#include "platform/faults.h"

#include <cstdlib>

struct Faults {
    int armedAt[FAULT_OP_COUNT];
    int calls[FAULT_OP_COUNT];
    int failAll[FAULT_OP_COUNT];
    PlatformErrorKind causes[FAULT_OP_COUNT];
    int crashIn;  // file calls left before the process ends; 0: never
};

static Faults faults;

void faultArm(FaultOp op, int nth, PlatformErrorKind cause) {
    faults.armedAt[op] = nth > 0 ? faults.calls[op] + nth : 0;
    faults.causes[op] = cause;
}

void faultFailAll(FaultOp op, int on, PlatformErrorKind cause) {
    faults.failAll[op] = on;
    faults.causes[op] = cause;
}

void faultReset() {
    for (int i = 0; i < FAULT_OP_COUNT; i++) faults.armedAt[i] = faults.calls[i] = faults.failAll[i] = 0;
}

void faultCrashAt(int nth) { faults.crashIn = nth; }

int faultHit(FaultOp op) {
    faults.calls[op]++;
    if (faults.crashIn > 0 && --faults.crashIn == 0) _Exit(9);
    if (faults.failAll[op]) return faults.causes[op];
    if (faults.armedAt[op] != 0 && faults.calls[op] == faults.armedAt[op]) {
        faults.armedAt[op] = 0;
        return faults.causes[op];
    }
    return 0;
}

int faultCalls(FaultOp op) { return faults.calls[op]; }
