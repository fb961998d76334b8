// Win32 side of the platform seam: the ANSI calls for files, folders, registry, beep, shell,
// the TCP probe and the clock.
#include <winsock2.h>
#include <windows.h>
#include <io.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>

#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/platform.h"

int platformCurrentDirectory(char* out, int size) {
    DWORD n = GetCurrentDirectoryA((DWORD)size, out);
    if (n == 0 || n >= (DWORD)size) {
        if (size > 0) out[0] = '\0';
        return 0;
    }
    return (int)n;
}

int platformUserDataFolder(char* out, int size) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Volatile Environment", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 1;
    DWORD type = 0;
    DWORD len = (DWORD)size;
    LONG rc = RegQueryValueExA(key, "APPDATA", NULL, &type, (LPBYTE)out, &len);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 1;
    // A stored value need not be terminated; keep it inside the buffer either way.
    if (len >= (DWORD)size) len = (DWORD)size - 1;
    out[len] = '\0';
    return 0;
}

int platformExists(const char* path) {
    char probe[MAX_PATH + 2];
    copyText(probe, sizeof probe, path);
    size_t n = strlen(probe);
    if (n > 0 && (probe[n - 1] == '\\' || probe[n - 1] == '/')) probe[n - 1] = '\0';
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(probe, &data);
    if (h == INVALID_HANDLE_VALUE) return 0;
    FindClose(h);
    return 1;
}

int platformMakeFolder(const char* path) {
    if (faultHit(FAULT_MAKE_FOLDER)) return 1;
    return CreateDirectoryA(path, NULL) ? 0 : 1;
}

// The copy is made beside its target and moved over it when whole: a full disk never leaves
// a cut copy in place of the file it was to replace.
int platformCopyFile(const char* from, const char* to) {
    if (faultHit(FAULT_COPY)) return 1;
    char temp[MAX_PATH + 16];
    int len = snprintf(temp, sizeof temp, "%s.copy", to);
    if (len < 0 || len >= (int)sizeof temp) return 1;
    if (!CopyFileA(from, temp, FALSE)) {
        DeleteFileA(temp);
        return 1;
    }
    if (!MoveFileExA(temp, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp);
        return 1;
    }
    return 0;
}

int platformKeepCopy(const char* from, const char* to) {
    if (faultHit(FAULT_COPY)) return 1;
    char temp[MAX_PATH + 16];
    int len = snprintf(temp, sizeof temp, "%s.link", to);
    if (len < 0 || len >= (int)sizeof temp) return 1;
    DeleteFileA(temp);
    if (CreateHardLinkA(temp, from, NULL)) {
        if (MoveFileExA(temp, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
        DeleteFileA(temp);
    }
    // A file system without links (a FAT stick): a whole copy.
    return platformCopyFile(from, to);
}

int platformReplaceFile(const char* from, const char* to) {
    if (faultHit(FAULT_RENAME)) return 1;
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : 1;
}

int platformDeleteFile(const char* path) {
    if (faultHit(FAULT_DELETE)) return 1;
    return DeleteFileA(path) ? 0 : 1;
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
    return _commit(_fileno(f)) == 0 ? 0 : 1;
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
    Beep(hertz, milliseconds);
}

time_t platformNow() {
#ifdef WKB_TEST_HOOKS
    if (fixedNow != 0) return fixedNow;
#endif
    return time(NULL);
}

int platformFindBrowser(char* out, int size) {
    char text[360];
    DWORD len = sizeof text;
    HRESULT hr = AssocQueryStringA(0, ASSOCSTR_EXECUTABLE, "http", "open", text, &len);
    if (FAILED(hr)) return 1;
    // The text as registered; the caller takes the program out of a quoted command line.
    copyText(out, (size_t)size, text);
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
    HINSTANCE h = ShellExecuteA(NULL, "open", program, params, NULL, SW_SHOWNORMAL);
    return (INT_PTR)h > 32 ? 0 : 1;
}

int platformProbeTcp(const char* host, int port) {
    if (host == NULL || host[0] == '\0') return 2;
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
        WSACleanup();
        return 2;
    }
    struct hostent* he = gethostbyname(host);
    if (he == NULL || he->h_addr_list[0] == NULL) {
        WSACleanup();
        return 2;
    }
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) {
        WSACleanup();
        return 2;
    }
    struct sockaddr_in addr;
    memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_port = htons((u_short)port);
    memcpy(&addr.sin_addr, he->h_addr_list[0], sizeof addr.sin_addr);
    // Non-blocking connect bounded to three seconds: the window must not hang on the network.
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    int ok = 0;
    if (connect(s, (struct sockaddr*)&addr, sizeof addr) == 0) {
        ok = 1;
    } else if (WSAGetLastError() == WSAEWOULDBLOCK) {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        struct timeval tv = {3, 0};
        if (select(0, NULL, &writable, &failed, &tv) > 0 && FD_ISSET(s, &writable)) ok = 1;
    }
    closesocket(s);
    WSACleanup();
    return ok ? 0 : 2;
}

// The claim is a named mutex whose name comes from the data folder's path (letter case does
// not matter on Windows); Windows drops it when the process ends, however it ends.
static HANDLE claimMutex;
static char claimName[64];

int platformClaimDataFolder(const char* dataFolder) {
    if (dataFolder[0] == '\0') return 2;
    unsigned long long hash = 1469598103934665603ULL;
    for (const char* p = dataFolder; *p != '\0'; p++) {
        char c = *p == '/' ? '\\' : (char)(ULONG_PTR)CharUpperA((LPSTR)(ULONG_PTR)(unsigned char)*p);
        hash = (hash ^ (unsigned char)c) * 1099511628211ULL;
    }
    char name[sizeof claimName];
    snprintf(name, sizeof name, "wkb_db-%016llx", hash);
    if (claimMutex != NULL && strcmp(name, claimName) == 0) return 0;
    HANDLE m = CreateMutexA(NULL, FALSE, name);
    if (m == NULL) return 2;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(m);
        return 1;
    }
    if (claimMutex != NULL) CloseHandle(claimMutex);
    claimMutex = m;
    copyText(claimName, sizeof claimName, name);
    return 0;
}
