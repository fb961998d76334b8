// Counters and triggers behind faultHit (test builds only).
#include "platform/faults.h"

#ifdef WKB_TEST_HOOKS
static int armedAt[FAULT_OP_COUNT];
static int calls[FAULT_OP_COUNT];
static int failAll[FAULT_OP_COUNT];
static PlatformErrorKind causes[FAULT_OP_COUNT];

void faultArm(FaultOp op, int nth, PlatformErrorKind cause) {
    armedAt[op] = nth > 0 ? calls[op] + nth : 0;
    causes[op] = cause;
}

void faultFailAll(FaultOp op, int on, PlatformErrorKind cause) {
    failAll[op] = on;
    causes[op] = cause;
}

void faultReset() {
    for (int i = 0; i < FAULT_OP_COUNT; i++) armedAt[i] = calls[i] = failAll[i] = 0;
}

int faultHit(FaultOp op) {
    calls[op]++;
    if (failAll[op]) return causes[op];
    if (armedAt[op] != 0 && calls[op] == armedAt[op]) {
        armedAt[op] = 0;
        return causes[op];
    }
    return 0;
}

int faultCalls(FaultOp op) { return calls[op]; }
#endif
