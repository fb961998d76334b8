// Fault injection for tests: makes the Nth next call of a platform file operation fail.
// Test builds (WKB_TEST_HOOKS) link it from tests/support/; the product's faultHit is always 0.
#pragma once
#include "platform/platform.h"

// The Windows build compiles most sources once for the program and its tests, without the hooks;
// a source that includes this header must be compiled for each (cmake/windows.cmake finds them).
#ifdef WKB_SHARED_OBJECTS
#error "a source that uses fault injection cannot be shared between the program and its tests"
#endif

enum FaultOp {
    FAULT_OPEN_WRITE,   // creating or opening a file for writing or appending
    FAULT_WRITE,        // writing bytes to an open file
    FAULT_FLUSH,        // flushing a written file to disk
    FAULT_CLOSE,        // closing a written file
    FAULT_RENAME,       // replacing a file by another (move)
    FAULT_COPY,         // copying a file
    FAULT_MAKE_FOLDER,  // creating a folder
    FAULT_DELETE,       // deleting a file
    FAULT_OPEN_READ,    // opening a file for reading (a sharing violation, a refused file)
    FAULT_READ,         // reading bytes from an open file
    FAULT_OP_COUNT
};

#ifdef WKB_TEST_HOOKS
// Arms op so that its nth next call (1 = the very next) fails with an error of class cause;
// 0 disarms it.
void faultArm(FaultOp op, int nth, PlatformErrorKind cause = PLATFORM_ERROR_OTHER);
// Makes every call of op fail with cause while on (a full disk, a write-protected folder).
void faultFailAll(FaultOp op, int on, PlatformErrorKind cause = PLATFORM_ERROR_OTHER);
// Disarms everything and clears the call counters.
void faultReset();
// Counts a call of op; returns the class of the error this call must fail with (0: none).
int faultHit(FaultOp op);
// How many calls of op were counted since the last reset.
int faultCalls(FaultOp op);
// Ends the process at once, as a kill would, at the nth next file call of any kind (0: never):
// the crash tests stop a command at each of its steps in turn.
void faultCrashAt(int nth);
#else
inline int faultHit(FaultOp) { return 0; }
#endif
