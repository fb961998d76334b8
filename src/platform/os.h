// What each operating system supplies to the platform's common code (files.cpp, seams.cpp):
// the few calls that differ between posix.cpp and win32.cpp. Only platform files include it.
// Results: 0 for success, else the system's own error code (errno, GetLastError) of the failure.
#pragma once
#include <cstdio>

#include "platform/platform.h"

int osMakeFolder(const char* path);
// Removes whatever is at path (a link itself, not what it points to), then creates a new file
// there for writing, exclusively: NULL with *code set when it cannot.
FILE* osCreateNew(const char* path, int* code);
// Copies the bytes of from, not its attributes, into a new file to (made as osCreateNew makes
// it), which has reached the disk when it returns 0.
int osCopyBytes(const char* from, const char* to);
// Makes to a second name of from (a hard link).
int osLink(const char* from, const char* to);
// Moves from onto to in one step, replacing to; the move has reached the disk when it returns 0.
int osReplace(const char* from, const char* to);
int osDelete(const char* path);
// Renames a folder to a name that does not exist (never replaces one); removes an empty folder.
int osRenameFolder(const char* from, const char* to);
int osRemoveFolder(const char* path);
// Hands each name of the folder but "." and ".." to each; the code when it cannot be read.
int osListFolder(const char* path, void (*each)(const char* name, void* context), void* context);
// The size of a file; -1 when it is no file or cannot be read.
long long osFileSize(const char* path);
// The stamp of a file; 0, or 1 when it is no file or cannot be looked at.
int osFileStamp(const char* path, PlatformFileStamp* out);
// Asks the system to put a flushed stream's file on disk.
int osSync(FILE* f);
// The code of a failed C stream call (errno on both systems).
int osStreamError();
// The class of a code of the os* calls above, and a code of the system for each class (what
// fault injection reports).
PlatformErrorKind osClassify(int code);
int osCodeOf(PlatformErrorKind kind);
// 1 when code tells of a passing contention: another program (a virus scanner, a sync client)
// holds the file for a moment, and the same call may succeed when tried again shortly.
int osPassingContention(int code);

void osBeep(unsigned hertz, unsigned milliseconds);
// 0 when the launch was handed over.
int osLaunch(const char* program, const char* params);
