// The file calls of the platform seam, written once for both systems: each counts for fault
// injection and then asks the system (os.h). Copies are made beside their target and moved
// over it when whole, so a full disk or a crash never leaves a cut copy in place of a file.
#include "platform/faults.h"
#include "platform/os.h"
#include "platform/platform.h"

// The temporary name beside to; 1 when it does not fit.
static int besideTarget(char* out, size_t size, const char* to, const char* suffix) {
    int len = snprintf(out, size, "%s%s", to, suffix);
    return len < 0 || len >= (int)size;
}

int platformMakeFolder(const char* path) {
    if (faultHit(FAULT_MAKE_FOLDER)) return 1;
    return osMakeFolder(path) == 0 ? 0 : 1;
}

int platformCopyFile(const char* from, const char* to) {
    if (faultHit(FAULT_COPY)) return 1;
    char temp[1024];
    if (besideTarget(temp, sizeof temp, to, ".copy")) return 1;
    int code = osCopyBytes(from, temp);
    if (code == 0) code = osReplace(temp, to);
    if (code != 0) osDelete(temp);
    return code == 0 ? 0 : 1;
}

int platformKeepCopy(const char* from, const char* to) {
    if (faultHit(FAULT_COPY)) return 1;
    char temp[1024];
    if (besideTarget(temp, sizeof temp, to, ".link")) return 1;
    osDelete(temp);
    if (osLink(from, temp) == 0) {
        if (osReplace(temp, to) == 0) return 0;
        osDelete(temp);
    }
    // A file system without links (a FAT stick): a whole copy.
    return platformCopyFile(from, to);
}

int platformReplaceFile(const char* from, const char* to) {
    if (faultHit(FAULT_RENAME)) return 1;
    return osReplace(from, to) == 0 ? 0 : 1;
}

int platformDeleteFile(const char* path) {
    if (faultHit(FAULT_DELETE)) return 1;
    return osDelete(path) == 0 ? 0 : 1;
}

FILE* platformOpen(const char* path, const char* mode) {
    char m[4] = {mode[0], 'b', '\0', '\0'};
    if (mode[0] != 'r' && faultHit(FAULT_OPEN_WRITE)) return NULL;
    return fopen(path, m);
}

int platformWrite(FILE* f, const void* data, size_t n) {
    if (faultHit(FAULT_WRITE)) return 1;
    return fwrite(data, 1, n, f) == n ? 0 : 1;
}

int platformFlush(FILE* f) {
    if (faultHit(FAULT_FLUSH)) return 1;
    if (fflush(f) != 0) return 1;
    return osSync(f) == 0 ? 0 : 1;
}

int platformClose(FILE* f) {
    int bad = fclose(f) != 0;
    if (faultHit(FAULT_CLOSE)) return 1;
    return bad;
}
