// What the tests see of the platform instead of the system: beeps counted and the last launch
// kept, through the platform's seams. Both builds' tests use it.
#pragma once

// Records launches instead of performing them when on (1); the last one is kept.
void platformRecordLaunches(int on);
const char* platformLastLaunchProgram();
const char* platformLastLaunchParams();
// Counts beeps instead of sounding them when on.
void platformRecordBeeps(int on);
int platformBeepCount();
