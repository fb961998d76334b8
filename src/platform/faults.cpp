// Counters and triggers behind faultHit (test builds only).
#include "platform/faults.h"

#ifdef WKB_TEST_HOOKS
static int armedAt[FAULT_OP_COUNT];
static int calls[FAULT_OP_COUNT];
static int failAll[FAULT_OP_COUNT];

void faultArm(FaultOp op, int nth) { armedAt[op] = nth > 0 ? calls[op] + nth : 0; }

void faultFailAll(FaultOp op, int on) { failAll[op] = on; }

void faultReset() {
    for (int i = 0; i < FAULT_OP_COUNT; i++) armedAt[i] = calls[i] = failAll[i] = 0;
}

int faultHit(FaultOp op) {
    calls[op]++;
    if (failAll[op]) return 1;
    if (armedAt[op] != 0 && calls[op] == armedAt[op]) {
        armedAt[op] = 0;
        return 1;
    }
    return 0;
}

int faultCalls(FaultOp op) { return calls[op]; }
#endif
