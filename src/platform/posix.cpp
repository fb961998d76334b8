// POSIX side of the platform seam (native build): files, folders, clock, launches, probe.
#include "platform/platform.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/faults.h"

int platformCurrentDirectory(char* out, int size) {
    // Like GetCurrentDirectoryA: a directory that does not fit gives nothing.
    if (getcwd(out, (size_t)size) == NULL) {
        if (size > 0) out[0] = '\0';
        return 0;
    }
    return (int)strlen(out);
}

int platformUserDataFolder(char* out, int size) {
    const char* xdg = getenv("XDG_DATA_HOME");
    if (xdg != NULL && xdg[0] != '\0') {
        if ((int)strlen(xdg) >= size) return 1;
        copyText(out, (size_t)size, xdg);
        return 0;
    }
    const char* home = getenv("HOME");
    if (home == NULL || home[0] == '\0') return 1;
    int n = snprintf(out, (size_t)size, "%s/.local/share", home);
    return (n < 0 || n >= size) ? 1 : 0;
}

int platformExists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 ? 1 : 0;
}

int platformMakeFolder(const char* path) {
    if (faultHit(FAULT_MAKE_FOLDER)) return 1;
    return mkdir(path, 0777) == 0 ? 0 : 1;
}

// The copy is written beside its target and renamed over it when whole: a full disk or a
// crash never leaves a cut copy in place of the file it was to replace.
int platformCopyFile(const char* from, const char* to) {
    if (faultHit(FAULT_COPY)) return 1;
    char temp[1024];
    int len = snprintf(temp, sizeof temp, "%s.copy", to);
    if (len < 0 || len >= (int)sizeof temp) return 1;
    FILE* in = fopen(from, "rb");
    if (in == NULL) return 1;
    FILE* out = fopen(temp, "wb");
    if (out == NULL) {
        fclose(in);
        return 1;
    }
    char buf[8192];
    size_t n;
    int bad = 0;
    while ((n = fread(buf, 1, sizeof buf, in)) > 0) {
        if (fwrite(buf, 1, n, out) != n) {
            bad = 1;
            break;
        }
    }
    if (ferror(in)) bad = 1;
    fclose(in);
    if (fflush(out) != 0 || fsync(fileno(out)) != 0) bad = 1;
    if (fclose(out) != 0) bad = 1;
    if (!bad && rename(temp, to) != 0) bad = 1;
    if (bad) unlink(temp);
    return bad;
}

int platformKeepCopy(const char* from, const char* to) {
    if (faultHit(FAULT_COPY)) return 1;
    char temp[1024];
    int len = snprintf(temp, sizeof temp, "%s.link", to);
    if (len < 0 || len >= (int)sizeof temp) return 1;
    unlink(temp);
    if (link(from, temp) == 0) {
        if (rename(temp, to) == 0) return 0;
        unlink(temp);
    }
    // A file system without links (a FAT stick): a whole copy.
    return platformCopyFile(from, to);
}

int platformReplaceFile(const char* from, const char* to) {
    if (faultHit(FAULT_RENAME)) return 1;
    return rename(from, to) == 0 ? 0 : 1;
}

int platformDeleteFile(const char* path) {
    if (faultHit(FAULT_DELETE)) return 1;
    return unlink(path) == 0 ? 0 : 1;
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
    return fsync(fileno(f)) == 0 ? 0 : 1;
}

int platformClose(FILE* f) {
    int bad = fclose(f) != 0;
    if (faultHit(FAULT_CLOSE)) return 1;
    return bad;
}

#ifdef WKB_TEST_HOOKS
static time_t fixedNow;
static int recordLaunches;
static char lastProgram[512];
static char lastParams[1024];
static int recordBeeps = 1;
static int beeps;

void platformSetNow(time_t t) { fixedNow = t; }
void platformRecordLaunches(int on) { recordLaunches = on; }
const char* platformLastLaunchProgram() { return lastProgram; }
const char* platformLastLaunchParams() { return lastParams; }
void platformRecordBeeps(int on) { recordBeeps = on; }
int platformBeepCount() { return beeps; }
#endif

void platformBeep(unsigned hertz, unsigned milliseconds) {
#ifdef WKB_TEST_HOOKS
    if (recordBeeps) {
        beeps++;
        return;
    }
#endif
    (void)hertz;
    (void)milliseconds;
    fputc('\a', stderr);
}

time_t platformNow() {
#ifdef WKB_TEST_HOOKS
    if (fixedNow != 0) return fixedNow;
#endif
    return time(NULL);
}

int platformFindBrowser(char* out, int size) {
    // The desktop's opener picks the default browser for a file.
    copyText(out, (size_t)size, "xdg-open");
    return 0;
}

int platformLaunch(const char* program, const char* params) {
#ifdef WKB_TEST_HOOKS
    if (recordLaunches) {
        copyText(lastProgram, sizeof lastProgram, program);
        copyText(lastParams, sizeof lastParams, params);
        return 0;
    }
#endif
    // Notepad and the browser both become the desktop's opener; quotes around a path go.
    char path[1024];
    copyText(path, sizeof path, params);
    size_t n = strlen(path);
    if (n >= 2 && path[0] == '"' && path[n - 1] == '"') {
        memmove(path, path + 1, n - 2);
        path[n - 2] = '\0';
    }
    pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        int devnull = open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        execlp("xdg-open", "xdg-open", path, (char*)NULL);
        _exit(127);
    }
    return 0;
}

int platformProbeTcp(const char* host, int port) {
    if (host == NULL || host[0] == '\0') return 2;
    struct addrinfo hints;
    memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    struct addrinfo* res = NULL;
    char portText[16];
    snprintf(portText, sizeof portText, "%d", port);
    if (getaddrinfo(host, portText, &hints, &res) != 0 || res == NULL) return 2;
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        freeaddrinfo(res);
        return 2;
    }
    // Non-blocking connect bounded to three seconds, so the window never hangs on the network.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL, 0) | O_NONBLOCK);
    int rc = connect(fd, res->ai_addr, res->ai_addrlen);
    int ok = 0;
    if (rc == 0) {
        ok = 1;
    } else if (errno == EINPROGRESS) {
        struct pollfd p = {fd, POLLOUT, 0};
        if (poll(&p, 1, 3000) == 1) {
            int err = 0;
            socklen_t len = sizeof err;
            if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0) ok = 1;
        }
    }
    close(fd);
    freeaddrinfo(res);
    return ok ? 0 : 2;
}

// The claim is a lock on the folder that holds the data folder: it exists before the store
// does, and the lock goes with the process, however it ends.
static int claimFd = -1;
static pid_t claimPid;
static char claimPath[260];

int platformClaimDataFolder(const char* dataFolder) {
    char parent[sizeof claimPath];
    copyText(parent, sizeof parent, dataFolder);
    size_t n = strlen(parent);
    while (n > 1 && parent[n - 1] == '/') parent[--n] = '\0';
    char* slash = strrchr(parent, '/');
    if (n == 0 || n + 1 >= sizeof parent || slash == NULL) return 2;
    if (slash == parent) slash[1] = '\0';
    else *slash = '\0';
    if (claimFd >= 0 && claimPid == getpid() && strcmp(claimPath, parent) == 0) return 0;
    if (claimFd >= 0 && claimPid == getpid()) close(claimFd);
    claimFd = -1;
    int fd = open(parent, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 2;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? 1 : 2;
    }
    claimFd = fd;
    claimPid = getpid();
    copyText(claimPath, sizeof claimPath, parent);
    return 0;
}
