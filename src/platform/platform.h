// The platform seam: everything the core asks of the operating system.
// win32.cpp implements it with the Win32 calls, posix.cpp with POSIX; the build picks one.
// Results: 0 for success unless a function says otherwise. Files are always binary streams.
#pragma once
#include <cstddef>
#include <cstdio>
#include <ctime>

#ifdef _WIN32
#define WKB_SEP "\\"
#else
#define WKB_SEP "/"
#endif

// Current directory into out (at most size - 1 characters); returns its length, 0 on failure,
// or -1 when its name holds a character that the file calls' code page cannot hold (out then
// shows it with "?" in place of each such character).
int platformCurrentDirectory(char* out, int size);
// The per-user application data folder (Windows: "APPDATA" of HKCU\Volatile Environment;
// elsewhere $XDG_DATA_HOME, else $HOME/.local/share). Returns 0, or 1 when there is none,
// it does not fit in size bytes, or its name cannot be held in the code page.
int platformUserDataFolder(char* out, int size);
// The per-user programs folder, where a user installs programs for themselves alone (Windows:
// "LOCALAPPDATA" of HKCU\Volatile Environment and "\Programs"; elsewhere there is none).
// Returns 0, or 1 as platformUserDataFolder does.
int platformUserProgramsFolder(char* out, int size);

// 1 when a file or folder exists at path (a trailing separator names the folder), else 0.
int platformExists(const char* path);
int platformMakeFolder(const char* path);
// Copies the bytes of from over to (replacing it). The copy is a new, plain writable file: it
// never takes the attributes of from (read-only, hidden), nor is it written through a link.
int platformCopyFile(const char* from, const char* to);
// Makes to hold what from holds now, replacing to: a second name of the same file where the
// file system allows it (no bytes written), else a copy. Only for a from that is always
// replaced whole and never written in place, as the tables are.
int platformKeepCopy(const char* from, const char* to);
// Moves from onto to in one step, replacing to; the data reaches the disk before it returns.
int platformReplaceFile(const char* from, const char* to);
int platformDeleteFile(const char* path);
// Makes a file writable again: clears its read-only attribute on Windows, where a read-only
// file cannot be deleted; gives its owner write permission on POSIX. 0, or 1 when there is no
// such file (a folder, a link on POSIX) or it cannot be changed.
int platformClearReadOnly(const char* path);
// Folders of their own (the snapshots): renames a folder to a name that does not exist yet
// (one step), removes an empty folder, and lists the names in a folder ("." and ".." left
// out) to each(name, context). List: 0, or 1 when the folder cannot be read.
int platformRenameFolder(const char* from, const char* to);
int platformRemoveFolder(const char* path);
int platformListFolder(const char* path, void (*each)(const char* name, void* context), void* context);
// The size of a file in bytes; -1 when it cannot be read.
long long platformFileSize(const char* path);

// What tells one version of a file from another without reading it: its size, its last write
// time, its change time (the system moves it at every change; tools that put a file's times
// back set the write and creation times, not this one), and which file it is (the file index
// on Windows, the device and inode on POSIX), so that another file put in its place is seen.
struct PlatformFileStamp {
    long long size, written, made;
    unsigned long long identity;
};
// 0, or 1 when there is no file at path or it cannot be looked at.
int platformFileStamp(const char* path, PlatformFileStamp* out);
int platformSameStamp(const PlatformFileStamp* a, const PlatformFileStamp* b);
// How many times this process has asked to change a file or folder (write, copy, replace,
// delete, rename; failed attempts too): a copy of a file read before the count changed may be
// out of date even when the file's stamp is unchanged, within one tick of its clock.
unsigned long platformChangeCount();
// A session that could not read its store at start-up changes no file until the next start:
// while held, every call above that would change a file or folder fails (as a refused one),
// whoever makes it. Reads go on.
void platformHoldChanges(int on);
int platformChangesHeld();

// Why a file call failed, in the three classes the user is told about.
enum PlatformErrorKind { PLATFORM_ERROR_NONE, PLATFORM_ERROR_FULL, PLATFORM_ERROR_DENIED, PLATFORM_ERROR_OTHER };

// The operating system's error of the last file call that failed, classified where it happened.
struct PlatformError {
    PlatformErrorKind kind;  // NONE after platformClearError, until a call fails
    int code;                // the system's code: errno, or GetLastError for the Win32 file calls
    char op[16];             // "open", "write", "flush", "close", "copy", "replace", "delete", "folder"
    char path[260];          // the file the call was about ("" when not known)
};
const PlatformError* platformLastError();
// Forgets the last error: an operation that will report its failure clears it when it starts.
void platformClearError();

// Opens a file in binary mode: "r" to read it, "w" to write a new file in its place (whatever
// was at path, a stale file or a link, is removed first, and the file is created exclusively,
// so a write never goes through a link). NULL on failure.
FILE* platformOpen(const char* path, const char* mode);
// Reads up to n bytes into data; *got tells how many (fewer only at the end of the file).
// 0, or 1 when the read failed (the error is kept).
int platformRead(FILE* f, void* data, size_t n, size_t* got);
// Writes n bytes; 0 when all were written.
int platformWrite(FILE* f, const void* data, size_t n);
// Flushes the stream and asks the system to put the file on disk.
int platformFlush(FILE* f);
// Closes a file; 0 when everything written reached the file.
int platformClose(FILE* f);

// Claims the data folder for this run through the lock file at lockPath inside it, held open
// without sharing (locked) until the process ends, also on a crash: a second copy of the
// program is refused whatever spelling of the folder's path it was started with (another drive
// letter, a network path, a short name). 0 claimed (again, by the same process), 1 another
// running copy holds it, 2 it cannot be checked but going on is harmless (there is no lock file
// and none can be made: the folder is missing or takes no writes, so no copy can write there),
// 3 something is at lockPath that cannot be opened as a file (a folder, a file without
// permission): the claim cannot be made and the program must not go on.
int platformClaimDataFolder(const char* lockPath);

// Waits milliseconds before it returns.
void platformSleep(unsigned milliseconds);

// One beep of the given frequency and length.
void platformBeep(unsigned hertz, unsigned milliseconds);

// The current time; tests can fix it (platformSetNow) so that "today" is any day.
time_t platformNow();

// The executable registered for "http" (verb "open") into out, as registered (it may be a
// quoted command line); 0, or 1 when none is registered.
int platformFindBrowser(char* out, int size);
// Starts program with params (verb "open", shown normally); 0 when the launch was handed over.
int platformLaunch(const char* program, const char* params);

// One TCP connection attempt to host:port, bounded to a few seconds. 0 connected, 2 not.
int platformProbeTcp(const char* host, int port);

// The name under which a web page declares the system's code page, the one every text of the
// diary is in ("WINDOWS-1252" on Western systems, and in the native build).
const char* platformCharsetName();

// Seams for tests: a fixed clock (0 gives the real one back), and launches and beeps handed to
// a function instead of the system (NULL gives the system back). The product never sets them.
void platformSetNow(time_t t);
typedef int (*PlatformLaunchHook)(const char* program, const char* params);
void platformSetLaunchHook(PlatformLaunchHook hook);
typedef void (*PlatformBeepHook)(unsigned hertz, unsigned milliseconds);
void platformSetBeepHook(PlatformBeepHook hook);
