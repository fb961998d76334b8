// The Win32 side of the platform seam: the ANSI calls for folders, the system half of the file
// calls (os.h), the registry, the beep, the shell, the TCP probe and the claim.
#include <winsock2.h>
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cerrno>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/os.h"
#include "platform/platform.h"

// A path from the system into the code page of the ANSI calls. Returns its length, 0 when it
// does not fit, -1 when a character has no place in the code page: out then shows each such
// character as "?", never as a look-alike ("l" for "ł") that would name another folder.
static int fromWide(const WCHAR* wide, char* out, int size) {
    BOOL lossy = FALSE;
    int utf8 = GetACP() == CP_UTF8;
    int n = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, out, size, NULL,
                                utf8 ? NULL : &lossy);
    if (n <= 0) {
        if (size > 0) out[0] = '\0';
        return 0;
    }
    return lossy ? -1 : n - 1;
}

int platformCurrentDirectory(char* out, int size) {
    WCHAR wide[1024];
    DWORD n = GetCurrentDirectoryW(1024, wide);
    if (n == 0 || n >= 1024) {
        if (size > 0) out[0] = '\0';
        return 0;
    }
    return fromWide(wide, out, size);
}

// A per-user folder from HKCU\Volatile Environment, with tail appended; 0, or 1 when there is none.
static int userFolder(const WCHAR* name, const WCHAR* tail, char* out, int size) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Volatile Environment", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 1;
    WCHAR wide[1024];
    DWORD type = 0;
    DWORD len = sizeof wide - 32 * sizeof(WCHAR);
    LONG rc = RegQueryValueExW(key, name, NULL, &type, (LPBYTE)wide, &len);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 1;
    // A stored value need not be terminated; keep it inside the buffer either way.
    wide[len / sizeof(WCHAR)] = L'\0';
    if (wide[0] != L'\0') wcscat(wide, tail);
    // A folder the ANSI calls cannot name is no folder for the data.
    return fromWide(wide, out, size) > 0 ? 0 : 1;
}

int platformUserDataFolder(char* out, int size) { return userFolder(L"APPDATA", L"", out, size); }

int platformUserProgramsFolder(char* out, int size) { return userFolder(L"LOCALAPPDATA", L"\\Programs", out, size); }

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

// The code of the call that just failed; never 0, so a failure is never read as success.
static int failure() {
    DWORD code = GetLastError();
    return code != 0 ? (int)code : ERROR_GEN_FAILURE;
}

// errno of a C runtime call that just failed, never 0.
static int streamFailure() { return errno != 0 ? errno : EIO; }

int osMakeFolder(const char* path) { return CreateDirectoryA(path, NULL) ? 0 : failure(); }

// A folder cannot be moved with MOVEFILE_REPLACE_EXISTING; to must not exist.
int osRenameFolder(const char* from, const char* to) { return MoveFileExA(from, to, 0) ? 0 : failure(); }

int osRemoveFolder(const char* path) { return RemoveDirectoryA(path) ? 0 : failure(); }

int osListFolder(const char* path, void (*each)(const char* name, void* context), void* context) {
    char pattern[MAX_PATH + 4];
    int n = snprintf(pattern, sizeof pattern, "%s\\*", path);
    if (n < 0 || n >= (int)sizeof pattern) return ERROR_FILENAME_EXCED_RANGE;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern, &data);
    if (h == INVALID_HANDLE_VALUE) return failure();
    do {
        if (strcmp(data.cFileName, ".") == 0 || strcmp(data.cFileName, "..") == 0) continue;
        each(data.cFileName, context);
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return 0;
}

long long osFileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// The file's index, unique on its volume: the nFileIndex of GetFileInformationByHandle, asked of
// ntdll alone (FileInternalInformation), because GetFileInformationByHandle also reads the
// volume's serial number, which under Wine costs about a millisecond a call. 0, or 1.
typedef LONG(WINAPI* QueryInformationFile)(HANDLE file, void* ioStatus, void* info, ULONG size, int infoClass);
static int fileIndex(HANDLE h, unsigned long long* out) {
    static QueryInformationFile query = reinterpret_cast<QueryInformationFile>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
    struct {
        LONG_PTR status;
        ULONG_PTR information;
    } ioStatus;
    LARGE_INTEGER index;
    if (query == NULL || query(h, &ioStatus, &index, sizeof index, 6 /* FileInternalInformation */) < 0) return 1;
    *out = (unsigned long long)index.QuadPart;
    return 0;
}

// The stamp is read through a handle that asks for no access and shares everything, so that it
// never stands in another program's way. The system moves the change time at every change, and
// tools that put a file's times back set only the write and creation times; the file index
// tells a file moved into the place from the file that was there (the path names the volume).
int osFileStamp(const char* path, PlatformFileStamp* out) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open: it has no stamp.
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return 1;
    FILE_BASIC_INFO basic;
    LARGE_INTEGER size;
    unsigned long long index = 0;
    int ok = GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic) && GetFileSizeEx(h, &size) &&
             fileIndex(h, &index) == 0 && !(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    if (!ok) return 1;
    out->size = size.QuadPart;
    out->written = basic.LastWriteTime.QuadPart;
    out->made = basic.ChangeTime.QuadPart;
    out->identity = index;
    return 0;
}

// A new file at path for writing: what lay there (a stale file, a link) is removed first and
// the file is created exclusively, so that nothing is ever written through what was there.
// When what lay there stays because another program holds it open, that hold is the error
// told (a sharing violation, which passes), not that a file exists.
static HANDLE createNew(const char* path) {
    DWORD removal = DeleteFileA(path) ? 0 : GetLastError();
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h != INVALID_HANDLE_VALUE) return h;
    DWORD error = GetLastError();
    // Held without sharing the delete: the delete itself was refused.
    if (error == ERROR_FILE_EXISTS && (removal == ERROR_SHARING_VIOLATION || removal == ERROR_LOCK_VIOLATION))
        SetLastError(removal);
    // Held with the delete shared: the file is only marked for deletion until that program
    // closes it (Wine then answers that the file exists, Windows that access is denied).
    else if (removal == 0 && (error == ERROR_FILE_EXISTS || error == ERROR_ACCESS_DENIED))
        SetLastError(ERROR_SHARING_VIOLATION);
    return INVALID_HANDLE_VALUE;
}

FILE* osCreateNew(const char* path, int* code) {
    HANDLE h = createNew(path);
    if (h == INVALID_HANDLE_VALUE) {
        *code = failure();
        return NULL;
    }
    int fd = _open_osfhandle((intptr_t)h, _O_WRONLY | _O_BINARY);
    FILE* f = fd >= 0 ? _fdopen(fd, "wb") : NULL;
    if (f == NULL) {
        *code = ERROR_GEN_FAILURE;
        if (fd >= 0) _close(fd);
        else CloseHandle(h);
    }
    return f;
}

// Only the bytes travel, not the attributes (CopyFileA would carry them): a copy of a file made
// read-only is a plain writable file, so that a restored table can be saved and a snapshot
// pruned. The source is shared as every read of a data file shares it.
int osCopyBytes(const char* from, const char* to) {
    HANDLE in = CreateFileA(from, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
    if (in == INVALID_HANDLE_VALUE) return failure();
    HANDLE out = createNew(to);
    if (out == INVALID_HANDLE_VALUE) {
        int code = failure();
        CloseHandle(in);
        return code;
    }
    char buf[32768];
    int code = 0;
    for (;;) {
        DWORD got = 0, put = 0;
        if (!ReadFile(in, buf, sizeof buf, &got, NULL)) {
            code = failure();
            break;
        }
        if (got == 0) break;
        if (!WriteFile(out, buf, got, &put, NULL) || put != got) {
            code = failure();
            break;
        }
    }
    CloseHandle(in);
    if (code == 0 && !FlushFileBuffers(out)) code = failure();
    if (!CloseHandle(out) && code == 0) code = failure();
    return code;
}

int osLink(const char* from, const char* to) { return CreateHardLinkA(to, from, NULL) ? 0 : failure(); }

// 1 when another program holds the file at path open without sharing its deletion: asking for
// the right to delete it is then refused as a sharing violation.
static int heldByAnother(const char* path) {
    HANDLE h = CreateFileA(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return 0;
}

int osReplace(const char* from, const char* to) {
    // Windows refuses to replace a read-only file; Wine does not: refuse it the same everywhere.
    DWORD attributes = GetFileAttributesA(to);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    int code = failure();
    // A target that another program holds open is refused as "access denied" (Wine 8 does so
    // whatever the holder shares), the same code as a refusal for good; a held source is told
    // as a sharing violation. Tell a held target the same way, so that the hold can pass.
    if (code == ERROR_ACCESS_DENIED && heldByAnother(to)) return ERROR_SHARING_VIOLATION;
    return code;
}

int osDelete(const char* path) { return DeleteFileA(path) ? 0 : failure(); }

int platformClearReadOnly(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 1;
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) return 0;
    DWORD rest = attributes & ~(DWORD)FILE_ATTRIBUTE_READONLY;
    return SetFileAttributesA(path, rest != 0 ? rest : FILE_ATTRIBUTE_NORMAL) ? 0 : 1;
}

int osSync(FILE* f) { return _commit(_fileno(f)) == 0 ? 0 : streamFailure(); }

int osStreamError() { return streamFailure(); }

PlatformErrorKind osClassify(int code) {
    switch (code) {
        case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return PLATFORM_ERROR_FULL;
        // Another program holding the file open is what the user sees as a locked file.
        case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return PLATFORM_ERROR_DENIED;
        default: return PLATFORM_ERROR_OTHER;
    }
}

int osCodeOf(PlatformErrorKind kind) {
    if (kind == PLATFORM_ERROR_FULL) return ERROR_DISK_FULL;
    return kind == PLATFORM_ERROR_DENIED ? ERROR_ACCESS_DENIED : ERROR_GEN_FAILURE;
}

int osPassingContention(int code) { return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION; }

void platformSleep(unsigned milliseconds) { Sleep(milliseconds); }

void osBeep(unsigned hertz, unsigned milliseconds) { Beep(hertz, milliseconds); }

int platformFindBrowser(char* out, int size) {
    char text[360];
    DWORD len = sizeof text;
    HRESULT hr = AssocQueryStringA(0, ASSOCSTR_EXECUTABLE, "http", "open", text, &len);
    if (FAILED(hr)) return 1;
    // The text as registered; the caller takes the program out of a quoted command line.
    copyText(out, (size_t)size, text);
    return 0;
}

int osLaunch(const char* program, const char* params) {
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

// The claim is the lock file held open without sharing: Windows refuses every other opener,
// whatever path it came by, and closes the file when the process ends, however it ends.
static HANDLE claimFile = INVALID_HANDLE_VALUE;
static char claimPath[MAX_PATH];

// 1 when something is at path, also when it cannot be looked at; 0 only when nothing is.
static int somethingAt(const char* path) {
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return 1;
    DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

int platformClaimDataFolder(const char* lockPath) {
    if (lockPath[0] == '\0') return 2;
    if (claimFile != INVALID_HANDLE_VALUE && lstrcmpiA(claimPath, lockPath) == 0) return 0;
    HANDLE h = CreateFileA(lockPath, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD error = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    int busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    // In a folder that takes no writes (or for a read-only lock file), a lock file made earlier
    // still serves.
    if (h == INVALID_HANDLE_VALUE && !busy) {
        h = CreateFileA(lockPath, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h == INVALID_HANDLE_VALUE) error = GetLastError();
        busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    }
    if (h == INVALID_HANDLE_VALUE) {
        if (busy) return 1;
        // No lock file and none can be made: no copy can write there either. Something that is no
        // file we may open (a folder, a file without permission) would let every copy in.
        return somethingAt(lockPath) ? 3 : 2;
    }
    if (claimFile != INVALID_HANDLE_VALUE) CloseHandle(claimFile);
    claimFile = h;
    copyText(claimPath, sizeof claimPath, lockPath);
    return 0;
}

const char* platformCharsetName() {
    static char name[24];
    UINT page = GetACP();
    switch (page) {
        case 932: return "SHIFT_JIS";
        case 936: return "GBK";
        case 949: return "EUC-KR";
        case 950: return "BIG5";
        case 65001: return "UTF-8";
        default: break;
    }
    snprintf(name, sizeof name, "WINDOWS-%u", page);
    return name;
}
