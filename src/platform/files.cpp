// The file calls of the platform seam, written once for both systems: each counts for fault
// injection, asks the system (os.h), and keeps the system's error of a failure with its class.
// A call that changes a file is tried again for a moment while another program holds the file.
// Copies are made beside their target and moved over it when whole, so a full disk or a crash
// never leaves a cut copy in place of a file.
#include <cerrno>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/os.h"
#include "platform/platform.h"

// The files open through platformOpen, so that a failed write or close can name its file.
#define TRACKED_FILES 8

struct PlatformFiles {
    PlatformError error;
    unsigned long changes;  // see platformChangeCount
    int held;               // see platformHoldChanges
    FILE* open[TRACKED_FILES];
    char openPath[TRACKED_FILES][260];
};

static PlatformFiles files;

const PlatformError* platformLastError() { return &files.error; }

unsigned long platformChangeCount() { return files.changes; }

void platformClearError() {
    files.error.kind = PLATFORM_ERROR_NONE;
    files.error.code = 0;
    files.error.op[0] = files.error.path[0] = '\0';
}

// The class of a C library error code; the same on both systems.
static PlatformErrorKind classifyErrno(int code) {
    switch (code) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return PLATFORM_ERROR_FULL;
        case EACCES:
        case EPERM:
#ifdef EROFS
        case EROFS:
#endif
            return PLATFORM_ERROR_DENIED;
        default: return PLATFORM_ERROR_OTHER;
    }
}

static int errnoOf(PlatformErrorKind kind) {
    return kind == PLATFORM_ERROR_FULL ? ENOSPC : kind == PLATFORM_ERROR_DENIED ? EACCES : EIO;
}

static void keepError(const char* op, const char* path, int code, PlatformErrorKind kind) {
    files.error.kind = kind;
    files.error.code = code;
    copyText(files.error.op, sizeof files.error.op, op);
    copyText(files.error.path, sizeof files.error.path, path != NULL ? path : "");
}

// Records a failed system call (code of os.h); returns 1 so that callers can return it.
static int systemFailed(const char* op, const char* path, int code) {
    keepError(op, path, code, osClassify(code));
    return 1;
}

// Records a failed C stream call; returns 1.
static int streamFailed(const char* op, const char* path, int code) {
    keepError(op, path, code, classifyErrno(code));
    return 1;
}

void platformHoldChanges(int on) { files.held = on; }

int platformChangesHeld() { return files.held; }

// Every file call passes here before it asks the system (a close, after: the file is closed
// whatever happens). One that may change a file or folder is counted (see
// platformChangeCount) and refused while changes are held; then fault injection: 1 when this
// call must fail, with the held or injected class recorded.
static int injected(FaultOp op, const char* name, const char* path, int stream) {
    int changes = op != FAULT_OPEN_READ && op != FAULT_READ;
    if (changes) files.changes++;
    if (changes && files.held) {
        keepError(name, path, stream ? errnoOf(PLATFORM_ERROR_DENIED) : osCodeOf(PLATFORM_ERROR_DENIED),
                  PLATFORM_ERROR_DENIED);
        return 1;
    }
    int kind = faultHit(op);
    if (kind == 0) return 0;
    PlatformErrorKind k = (PlatformErrorKind)kind;
    keepError(name, path, stream ? errnoOf(k) : osCodeOf(k), k);
    return 1;
}

// The pauses before each new try of a call that met a passing contention (os.h): seven tries
// within about 0.6 s, enough for a virus scanner or a sync client to let go of a fresh file,
// and short enough that a file held for good is told without a long wait.
static const unsigned retryPauses[] = {10, 20, 40, 80, 160, 320};

// Runs call (which returns a code of os.h), and again after each pause while it meets a passing
// contention; returns the last code. Fault injection and the change count come before, once per
// platform call: an injected failure is never tried again.
template <typename Call>
static int retried(Call call) {
    int code = call();
    for (size_t i = 0; code != 0 && osPassingContention(code) && i < sizeof retryPauses / sizeof retryPauses[0]; i++) {
        platformSleep(retryPauses[i]);
        code = call();
    }
    return code;
}

static const char* trackedPath(FILE* f) {
    for (int i = 0; i < TRACKED_FILES; i++)
        if (files.open[i] == f) return files.openPath[i];
    return "";
}

static void track(FILE* f, const char* path) {
    for (int i = 0; i < TRACKED_FILES; i++) {
        if (files.open[i] == NULL) {
            files.open[i] = f;
            copyText(files.openPath[i], sizeof files.openPath[i], path);
            return;
        }
    }
}

static void untrack(FILE* f) {
    for (int i = 0; i < TRACKED_FILES; i++)
        if (files.open[i] == f) files.open[i] = NULL;
}

// The temporary name beside to; 1 when it does not fit.
static int besideTarget(char* out, size_t size, const char* to, const char* suffix) {
    int len = snprintf(out, size, "%s%s", to, suffix);
    return len < 0 || len >= (int)size;
}

int platformMakeFolder(const char* path) {
    if (injected(FAULT_MAKE_FOLDER, "folder", path, 0)) return 1;
    int code = osMakeFolder(path);
    return code == 0 ? 0 : systemFailed("folder", path, code);
}

int platformCopyFile(const char* from, const char* to) {
    if (injected(FAULT_COPY, "copy", to, 0)) return 1;
    char temp[1024];
    if (besideTarget(temp, sizeof temp, to, ".copy")) return systemFailed("copy", to, osCodeOf(PLATFORM_ERROR_OTHER));
    int code = retried([&] { return osCopyBytes(from, temp); });
    if (code == 0) code = retried([&] { return osReplace(temp, to); });
    if (code == 0) return 0;
    osDelete(temp);
    return systemFailed("copy", to, code);
}

int platformKeepCopy(const char* from, const char* to) {
    if (injected(FAULT_COPY, "copy", to, 0)) return 1;
    char temp[1024];
    if (besideTarget(temp, sizeof temp, to, ".link")) return systemFailed("copy", to, osCodeOf(PLATFORM_ERROR_OTHER));
    osDelete(temp);
    if (osLink(from, temp) == 0) {
        if (osReplace(temp, to) == 0) return 0;
        osDelete(temp);
    }
    // A file system without links (a FAT stick): a whole copy.
    return platformCopyFile(from, to);
}

int platformReplaceFile(const char* from, const char* to) {
    if (injected(FAULT_RENAME, "replace", to, 0)) return 1;
    int code = retried([&] { return osReplace(from, to); });
    return code == 0 ? 0 : systemFailed("replace", to, code);
}

int platformDeleteFile(const char* path) {
    if (injected(FAULT_DELETE, "delete", path, 0)) return 1;
    int code = retried([&] { return osDelete(path); });
    return code == 0 ? 0 : systemFailed("delete", path, code);
}

FILE* platformOpen(const char* path, const char* mode) {
    if (mode[0] == 'r') {
        if (injected(FAULT_OPEN_READ, "open", path, 1)) return NULL;
        errno = 0;
        FILE* f = fopen(path, "rb");
        if (f == NULL) streamFailed("open", path, osStreamError());
        return f;
    }
    if (injected(FAULT_OPEN_WRITE, "open", path, 1)) return NULL;
    // A new file, never what lies at path: a link planted there is removed, not written through.
    FILE* f = NULL;
    int code = retried([&] {
        int failed = 0;
        f = osCreateNew(path, &failed);
        return f != NULL ? 0 : failed != 0 ? failed : osCodeOf(PLATFORM_ERROR_OTHER);
    });
    if (f == NULL) systemFailed("open", path, code);
    else track(f, path);
    return f;
}

int platformRead(FILE* f, void* data, size_t n, size_t* got) {
    *got = 0;
    if (injected(FAULT_READ, "read", "", 1)) return 1;
    errno = 0;
    *got = fread(data, 1, n, f);
    if (*got < n && ferror(f)) return streamFailed("read", "", osStreamError());
    return 0;
}

int platformWrite(FILE* f, const void* data, size_t n) {
    if (injected(FAULT_WRITE, "write", trackedPath(f), 1)) return 1;
    errno = 0;
    if (fwrite(data, 1, n, f) == n) return 0;
    return streamFailed("write", trackedPath(f), osStreamError());
}

int platformFlush(FILE* f) {
    if (injected(FAULT_FLUSH, "flush", trackedPath(f), 1)) return 1;
    errno = 0;
    if (fflush(f) != 0) return streamFailed("flush", trackedPath(f), osStreamError());
    int code = osSync(f);
    return code == 0 ? 0 : streamFailed("flush", trackedPath(f), code);
}

int platformClose(FILE* f) {
    char path[260];
    copyText(path, sizeof path, trackedPath(f));
    untrack(f);
    // A close after a failed write of the same file fails again; the first cause is kept.
    int sameFile = files.error.kind != PLATFORM_ERROR_NONE && strcmp(files.error.path, path) == 0;
    errno = 0;
    int bad = fclose(f) != 0;
    if (bad && !sameFile) streamFailed("close", path, osStreamError());
    if (injected(FAULT_CLOSE, "close", path, 1)) return 1;
    return bad;
}

int platformRenameFolder(const char* from, const char* to) {
    if (injected(FAULT_RENAME, "rename", to, 0)) return 1;
    int code = retried([&] { return osRenameFolder(from, to); });
    return code == 0 ? 0 : systemFailed("rename", to, code);
}

int platformRemoveFolder(const char* path) {
    if (injected(FAULT_DELETE, "delete", path, 0)) return 1;
    int code = osRemoveFolder(path);
    return code == 0 ? 0 : systemFailed("delete", path, code);
}

int platformListFolder(const char* path, void (*each)(const char* name, void* context), void* context) {
    return osListFolder(path, each, context) == 0 ? 0 : 1;
}

long long platformFileSize(const char* path) { return osFileSize(path); }

int platformFileStamp(const char* path, PlatformFileStamp* out) {
    *out = PlatformFileStamp();
    return path[0] == '\0' ? 1 : osFileStamp(path, out);
}

int platformSameStamp(const PlatformFileStamp* a, const PlatformFileStamp* b) {
    return a->size == b->size && a->written == b->written && a->made == b->made && a->identity == b->identity;
}
