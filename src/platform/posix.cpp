// The POSIX side of the platform seam (native build): folders, the system half of the file
// calls (os.h), the beep, launches through the desktop's opener, the probe and the claim.
#include "platform/platform.h"

#include <arpa/inet.h>
#include <dirent.h>
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
#include "platform/os.h"

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

int platformUserProgramsFolder(char* out, int size) {
    if (size > 0) out[0] = '\0';
    return 1;
}

int platformExists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 ? 1 : 0;
}

// errno of the call that just failed; never 0, so a failure is never read as success.
static int failure() { return errno != 0 ? errno : EIO; }

int osMakeFolder(const char* path) { return mkdir(path, 0777) == 0 ? 0 : failure(); }

int osRenameFolder(const char* from, const char* to) {
    // rename would replace an empty folder at to; the seam promises never to replace one.
    struct stat st;
    if (stat(to, &st) == 0) return EEXIST;
    return rename(from, to) == 0 ? 0 : failure();
}

int osRemoveFolder(const char* path) { return rmdir(path) == 0 ? 0 : failure(); }

int osListFolder(const char* path, void (*each)(const char* name, void* context), void* context) {
    DIR* dir = opendir(path);
    if (dir == NULL) return failure();
    struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        each(entry->d_name, context);
    }
    closedir(dir);
    return 0;
}

long long osFileSize(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return (long long)st.st_size;
}

int osFileStamp(const char* path, PlatformFileStamp* out) {
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return 1;
    out->size = (long long)st.st_size;
    out->written = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    out->made = (long long)st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    out->identity = (unsigned long long)st.st_ino ^ ((unsigned long long)st.st_dev << 40);
    return 0;
}

FILE* osCreateNew(const char* path, int* code) {
    unlink(path);
    errno = 0;
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    FILE* f = fd >= 0 ? fdopen(fd, "wb") : NULL;
    if (f == NULL) {
        *code = failure();
        if (fd >= 0) close(fd);
    }
    return f;
}

int osCopyBytes(const char* from, const char* to) {
    FILE* in = fopen(from, "rb");
    if (in == NULL) return failure();
    int code = 0;
    FILE* out = osCreateNew(to, &code);
    if (out == NULL) {
        fclose(in);
        return code;
    }
    char buf[8192];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, in)) > 0) {
        if (fwrite(buf, 1, n, out) != n) {
            code = failure();
            break;
        }
    }
    if (code == 0 && ferror(in)) code = failure();
    fclose(in);
    if (code == 0 && (fflush(out) != 0 || fsync(fileno(out)) != 0)) code = failure();
    if (fclose(out) != 0 && code == 0) code = failure();
    return code;
}

int osLink(const char* from, const char* to) { return link(from, to) == 0 ? 0 : failure(); }

int osReplace(const char* from, const char* to) { return rename(from, to) == 0 ? 0 : failure(); }

int osDelete(const char* path) { return unlink(path) == 0 ? 0 : failure(); }

// Deleting needs no write permission on the file here; the owner's is given for the same
// promise as on Windows. A link is left alone (chmod would follow it).
int platformClearReadOnly(const char* path) {
    struct stat st;
    if (lstat(path, &st) != 0 || !S_ISREG(st.st_mode)) return 1;
    if (st.st_mode & S_IWUSR) return 0;
    return chmod(path, (st.st_mode & 07777) | S_IWUSR) == 0 ? 0 : 1;
}

int osSync(FILE* f) { return fsync(fileno(f)) == 0 ? 0 : failure(); }

int osStreamError() { return failure(); }

PlatformErrorKind osClassify(int code) {
    switch (code) {
        case ENOSPC: case EDQUOT: return PLATFORM_ERROR_FULL;
        case EACCES: case EPERM: case EROFS: return PLATFORM_ERROR_DENIED;
        default: return PLATFORM_ERROR_OTHER;
    }
}

int osCodeOf(PlatformErrorKind kind) {
    return kind == PLATFORM_ERROR_FULL ? ENOSPC : kind == PLATFORM_ERROR_DENIED ? EACCES : EIO;
}

// An open file never stands in the way of a new file, a rename or an unlink here, and locks
// are advisory: no error of these calls passes by itself.
int osPassingContention(int code) {
    (void)code;
    return 0;
}

void platformSleep(unsigned milliseconds) { usleep((useconds_t)milliseconds * 1000); }

void osBeep(unsigned hertz, unsigned milliseconds) {
    (void)hertz;
    (void)milliseconds;
    fputc('\a', stderr);
}

int platformFindBrowser(char* out, int size) {
    // The desktop's opener picks the default browser for a file.
    copyText(out, (size_t)size, "xdg-open");
    return 0;
}

int osLaunch(const char* program, const char* params) {
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

// The claim is a lock on the lock file, which the system drops with the process however it
// ends. The lock belongs to the file, not to the path that opened it.
static int claimFd = -1;
static pid_t claimPid;
static char claimPath[260];

int platformClaimDataFolder(const char* lockPath) {
    if (lockPath[0] == '\0') return 2;
    if (claimFd >= 0 && claimPid == getpid() && strcmp(claimPath, lockPath) == 0) return 0;
    if (claimFd >= 0 && claimPid == getpid()) close(claimFd);
    claimFd = -1;
    // O_NONBLOCK: a pipe planted in the place of the lock file does not hang the start.
    int fd = open(lockPath, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    // In a folder that takes no writes, a lock file made earlier still serves.
    if (fd < 0) fd = open(lockPath, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    // A folder opens here and takes a lock, but not on Windows: refused the same everywhere.
    struct stat st;
    if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        close(fd);
        fd = -1;
    }
    // No lock file and none can be made: no copy can write there either. Something that is no
    // file we may open (a folder, a link, a file without permission) would let every copy in.
    if (fd < 0) return lstat(lockPath, &st) == 0 ? 3 : 2;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? 1 : 2;
    }
    claimFd = fd;
    claimPid = getpid();
    copyText(claimPath, sizeof claimPath, lockPath);
    return 0;
}

// The stores are Windows-1252 in both builds.
const char* platformCharsetName() { return "WINDOWS-1252"; }
