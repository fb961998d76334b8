// Storage on Windows: the base folder rules with the registry, paths with the backslash
// separator, the existence test through FindFirstFileA, files written with CR LF, the stamps
// of files, and read-only files met by copies and snapshots.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "records/store_version.h"
#include "store/data_folder.h"
#include "store/file_swap.h"
#include "store/snapshots.h"
#include "store/text_file.h"
#include "support/temp_folder.h"

namespace {

// Sets (or, with value NULL, deletes) APPDATA (or another value) under HKCU\Volatile
// Environment; gives back what was there when the test ends.
class AppDataValue {
public:
    explicit AppDataValue(const char* name = "APPDATA") : name_(name) {
        DWORD len = sizeof old_;
        had_ = RegGetValueA(HKEY_CURRENT_USER, "Volatile Environment", name_, RRF_RT_REG_SZ, NULL, old_, &len) ==
               ERROR_SUCCESS;
    }
    ~AppDataValue() { set(had_ ? old_ : NULL); }
    void set(const char* value) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Volatile Environment", 0, NULL, 0,
                                                 KEY_ALL_ACCESS, NULL, &key, NULL));
        if (value)
            RegSetValueExA(key, name_, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
        else
            RegDeleteValueA(key, name_);
        RegCloseKey(key);
    }

private:
    const char* name_;
    char old_[MAX_PATH] = {};
    bool had_ = false;
};

class CurrentDirectory {
public:
    explicit CurrentDirectory(const char* path) {
        GetCurrentDirectoryA(sizeof old_, old_);
        CreateDirectoryA(path, NULL);
        ok_ = SetCurrentDirectoryA(path) != 0;
    }
    ~CurrentDirectory() { SetCurrentDirectoryA(old_); }
    bool ok() const { return ok_; }

private:
    char old_[MAX_PATH];
    bool ok_;
};

}  // namespace

TEST(StorageWin, UnderTheProgramsFolderTheDataLivesInAppData) {
    AppDataValue appData;
    appData.set("C:\\users\\pupil\\AppData\\Roaming");
    CreateDirectoryA("C:\\Program Files", NULL);
    for (const char* dir : {"C:\\Program Files\\Diary", "c:\\program files (x86)", "c:\\program files (x86)\\tools"}) {
        CurrentDirectory cd(dir);
        ASSERT_TRUE(cd.ok()) << dir;
        determineBaseFolder();
        EXPECT_STREQ("C:\\users\\pupil\\AppData\\Roaming", baseFolder) << dir;
        EXPECT_STREQ("C:\\users\\pupil\\AppData\\Roaming\\wkb_db\\", dataFilePath(""));
    }
    appData.set(NULL);
    CurrentDirectory cd("C:\\Program Files\\Diary");
    determineBaseFolder();
    EXPECT_STREQ("c:\\wkb", baseFolder);
    EXPECT_STREQ("c:\\wkb\\wkb_db\\.wkb.rc", dataFilePath(".wkb.rc"));
}

// Installed for one user, the diary runs from under %LOCALAPPDATA%\Programs: its data goes to
// %APPDATA% as from Program Files, so that neither an upgrade, an uninstall nor a change of scope
// moves it; a store already kept in such a folder stays where it is.
TEST(StorageWin, UnderTheUsersOwnProgramsFolderTheDataLivesInAppData) {
    TempFolder local, user;
    AppDataValue appData, localAppData("LOCALAPPDATA");
    appData.set(user.path().c_str());
    localAppData.set(local.path().c_str());
    for (const char* dir : {"Programs", "Programs\\WinWkb", "Programs\\Kept", "ProgramsOld", "ProgramsOld\\WinWkb"})
        ASSERT_TRUE(CreateDirectoryA(local.file(dir).c_str(), NULL)) << dir;
    ASSERT_TRUE(CreateDirectoryA(local.file("Programs\\Kept\\wkb_db").c_str(), NULL));
    writeBytes(local.file("Programs\\Kept\\wkb_db\\.wkb.rc"), "version=wkb_v2.5.0\r\n");
    struct Case {
        const char* dir;
        bool toAppData;
    } cases[] = {
        {"Programs\\WinWkb", true},
        {"Programs", true},
        {"Programs\\Kept", false},  // a store there already
        {"ProgramsOld\\WinWkb", false},
        {"ProgramsOld", false},
    };
    for (const Case& c : cases) {
        CurrentDirectory cd(local.file(c.dir).c_str());
        ASSERT_TRUE(cd.ok()) << c.dir;
        char here[MAX_PATH];
        GetCurrentDirectoryA(sizeof here, here);
        determineBaseFolder();
        EXPECT_STREQ(c.toAppData ? user.path().c_str() : here, baseFolder) << c.dir;
        EXPECT_STREQ("", baseFolderNote()) << c.dir;
    }
    // Without the value there is no such folder: the current directory is the base.
    localAppData.set(NULL);
    CurrentDirectory cd(local.file("Programs\\WinWkb").c_str());
    char here[MAX_PATH];
    GetCurrentDirectoryA(sizeof here, here);
    determineBaseFolder();
    EXPECT_STREQ(here, baseFolder);
}

TEST(StorageWin, ElsewhereTheCurrentDirectoryIsTheBase) {
    TempFolder temp;
    std::string dir = temp.file("Program Files");  // not on drive C: at its root
    CurrentDirectory cd(dir.c_str());
    ASSERT_TRUE(cd.ok());
    determineBaseFolder();
    char expected[MAX_PATH];
    GetCurrentDirectoryA(sizeof expected, expected);
    EXPECT_STREQ(expected, baseFolder);
    // A drive root gives two separators in a row, which the file functions accept.
    copyText(baseFolder, sizeof baseFolder, "C:\\");
    EXPECT_STREQ("C:\\\\wkb_db\\weeks.dat", dataFilePath("weeks.dat"));
}

TEST(StorageWin, AFolderPathEndingInTheSeparatorIsFound) {
    TempFolder temp;
    copyText(baseFolder, sizeof baseFolder, temp.path().c_str());
    dataFilePath("");
    EXPECT_EQ(1, dataFileMissing());
    ASSERT_EQ(STORE_CREATED, prepareStore());
    dataFilePath("");
    EXPECT_EQ(0, dataFileMissing());
    dataFilePath(".wkb.rc");
    EXPECT_EQ(0, dataFileMissing());
    // The settings file has CR LF line ends, the same bytes as on every build.
    std::string bytes = readBytes(filePath);
    EXPECT_EQ(188u + 20u + 10u + 9u, bytes.size());
    EXPECT_NE(std::string::npos, bytes.find("version=" CURRENT_VERSION "\r\ninfo=yes\r\nbip=yes\r\n"));
    // A rewrite replaces the file in one step, even while it exists.
    EXPECT_EQ(1, writeSetting("bip", "no"));
    EXPECT_STREQ("no", readSetting("bip"));
}

TEST(StorageWin, AccentedTextsAreSingleByteWindows1252) {
    const char* text = "Sélection";
    EXPECT_EQ(9u, strlen(text));
    EXPECT_EQ('\xE9', text[1]);
}

// Started from a folder whose name the code page cannot hold, the diary never takes a
// look-alike ("lódz" for "łódź") or a name of question marks: it says so and keeps the data in
// the per-user folder.
TEST(StorageWin, AFolderNameOutsideTheCodePageSendsTheDataToTheUserFolderAndSaysSo) {
    TempFolder temp;
    AppDataValue appData;
    std::wstring root(temp.path().begin(), temp.path().end());
    struct Case {
        const wchar_t* name;
        const char* shown;
    } cases[] = {{L"\u0142\u00f3d\u017a", "?\xf3" "d?"}, {L"\u65e5\u672c", "??"}};
    // The look-alike that a best-fit conversion would give for the first name.
    ASSERT_TRUE(CreateDirectoryW((root + L"\\l\u00f3dz").c_str(), NULL));
    for (const Case& c : cases) {
        TempFolder user;
        appData.set(user.path().c_str());
        std::wstring folder = root + L"\\" + c.name;
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), NULL));
        WCHAR old[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, old);
        ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
        determineBaseFolder();
        SetCurrentDirectoryW(old);
        EXPECT_EQ(user.path(), baseFolder);
        EXPECT_EQ("\n\nThe name of the folder\n" + temp.path() + "\\" + c.shown +
                      "\nhas letters the diary cannot use in a path, so its files are kept in the folder above.",
                  baseFolderNote());
        ASSERT_EQ(STORE_CREATED, prepareStore());
        EXPECT_TRUE(fileExists(user.file("wkb_db\\.wkb.rc")));
        RemoveDirectoryW(folder.c_str());
    }
    EXPECT_FALSE(fileExists(temp.file("l\xf3" "dz\\wkb_db")));
    EXPECT_FALSE(fileExists(temp.file("?\xf3" "d?")));
    // A per-user folder that the code page cannot hold is not used either.
    std::wstring wideUser = root + L"\\\u65e5\u672c";
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Volatile Environment", 0, NULL, 0, KEY_ALL_ACCESS,
                                             NULL, &key, NULL));
    RegSetValueExW(key, L"APPDATA", 0, REG_SZ, (const BYTE*)wideUser.c_str(),
                   (DWORD)((wideUser.size() + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
    char out[MAX_PATH];
    EXPECT_EQ(1, platformUserDataFolder(out, sizeof out));
}

// A backup or sync client holds the settings file open without read sharing when the diary
// starts: a real sharing violation. Start-up waits a little; when the file is freed meanwhile it
// goes on as usual, and when it stays held it prepares, empties and writes nothing.
TEST(StorageWin, ASettingsFileHeldWithoutSharingEmptiesNothing) {
    TempFolder temp;
    copyText(baseFolder, sizeof baseFolder, temp.path().c_str());
    ASSERT_EQ(STORE_CREATED, prepareStore());
    std::string settings = temp.file("wkb_db\\.wkb.rc"), timetable = temp.file("wkb_db\\wkb_hd.data");
    writeBytes(timetable, "D1P0C=Math\r\n");
    std::string before = readBytes(settings);

    HANDLE held = CreateFileA(settings.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    HANDLE freer = CreateThread(
        NULL, 0, [](LPVOID h) -> DWORD { Sleep(300); CloseHandle((HANDLE)h); return 0; }, held, 0, NULL);
    readVersionMajor();
    EXPECT_EQ(STORE_OK, prepareStore()) << "freed within the wait";
    WaitForSingleObject(freer, INFINITE);
    CloseHandle(freer);

    held = CreateFileA(settings.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    DWORD start = GetTickCount();
    readVersionMajor();
    EXPECT_EQ(STORE_UNREADABLE, prepareStore());
    EXPECT_GE(GetTickCount() - start, (DWORD)SETTINGS_RETRY_MS - 50);
    EXPECT_EQ(1, writesHeld());
    EXPECT_EQ(0, writeSetting("bip", "no"));
    CloseHandle(held);
    EXPECT_EQ(before, readBytes(settings));
    EXPECT_EQ("D1P0C=Math\r\n", readBytes(timetable));
    EXPECT_FALSE(fileExists(temp.file("wkb_db\\wkb_hd.bak")));
    holdWrites(0);
}

// The stamp that tells a kept copy from a changed file: another program's write, a replace,
// and a delete each change it or make it fail; the diary's own writes are counted.
TEST(StorageWin, AFileStampFollowsEveryChange) {
    TempFolder folder;
    std::string path = folder.file("table.data"), fresh = folder.file("table.new");
    writeBytes(path, "a=1\r\n");
    PlatformFileStamp first, now;
    ASSERT_EQ(0, platformFileStamp(path.c_str(), &first));
    EXPECT_EQ(5, first.size);
    ASSERT_EQ(0, platformFileStamp(path.c_str(), &now));
    EXPECT_TRUE(platformSameStamp(&first, &now));
    writeBytes(path, "a=12\r\n");
    ASSERT_EQ(0, platformFileStamp(path.c_str(), &now));
    EXPECT_FALSE(platformSameStamp(&first, &now));

    unsigned long changes = platformChangeCount();
    writeBytes(fresh, "a=3\r\n");
    ASSERT_EQ(0, platformReplaceFile(fresh.c_str(), path.c_str()));
    EXPECT_GT(platformChangeCount(), changes);
    ASSERT_EQ(0, platformDeleteFile(path.c_str()));
    EXPECT_EQ(1, platformFileStamp(path.c_str(), &now));
    EXPECT_EQ(1, platformFileStamp(folder.path().c_str(), &now)) << "a folder has no stamp";
}

// The times of a file as another program would put them back.
struct FileTimes {
    FILETIME made, read, written;
};

static FileTimes timesOf(const std::string& path) {
    FileTimes t = {};
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    GetFileTime(h, &t.made, &t.read, &t.written);
    CloseHandle(h);
    return t;
}

// Writes bytes in place (no new file, as an editor that saves in place does) and sets times.
static void rewriteInPlace(const std::string& path, const std::string& bytes, const FileTimes& t) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD put = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &put, NULL);
    SetEndOfFile(h);
    ASSERT_TRUE(SetFileTime(h, &t.made, &t.read, &t.written));
    CloseHandle(h);
}

// A tool that rewrites a table and puts its times back, or puts another file of the same size
// and times in its place, leaves a stamp that differs all the same: the kept copy is not
// trusted. (Each change waits a tick of the file system's clock, as a person's edit would.)
TEST(StorageWin, AFileChangedWithItsTimesPutBackHasAnotherStamp) {
    TempFolder folder;
    std::string path = folder.file("wkb_txt.data"), other = folder.file("other.data");
    writeBytes(path, "a=1\r\n");
    FileTimes times = timesOf(path);
    PlatformFileStamp first, now;
    ASSERT_EQ(0, platformFileStamp(path.c_str(), &first));
    Sleep(50);
    rewriteInPlace(path, "a=2\r\n", times);
    ASSERT_EQ(0, platformFileStamp(path.c_str(), &now));
    EXPECT_EQ(first.size, now.size);
    EXPECT_EQ(first.written, now.written) << "the write time was put back";
    EXPECT_EQ(first.identity, now.identity) << "the same file";
    EXPECT_FALSE(platformSameStamp(&first, &now));

    ASSERT_EQ(0, platformFileStamp(path.c_str(), &first));
    writeBytes(other, "a=3\r\n");
    rewriteInPlace(other, "a=3\r\n", times);
    ASSERT_TRUE(MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    ASSERT_EQ(0, platformFileStamp(path.c_str(), &now));
    EXPECT_EQ(first.written, now.written);
    EXPECT_NE(first.identity, now.identity) << "another file";
    EXPECT_FALSE(platformSameStamp(&first, &now));
}

// A copy carries the bytes, not the attributes: a table made read-only by hand is copied into
// a snapshot (and back by a restore) as a plain writable file. Snapshots that hold read-only
// files all the same (made by an older build, or by hand) are still pruned.
TEST(StorageWin, ReadOnlyFilesNeitherTravelThroughCopiesNorStopAPrune) {
    TempFolder temp;
    copyText(baseFolder, sizeof baseFolder, temp.path().c_str());
    ASSERT_EQ(STORE_CREATED, prepareStore());
    std::string notes = temp.file("wkb_db\\wkb_txt.data");
    writeBytes(notes, "W3D4P1=read\r\n");
    ASSERT_TRUE(SetFileAttributesA(notes.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(0, takeNamedSnapshot("2025-2026"));  // through platformCopyFile
    SetFileAttributesA(notes.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::string held = temp.file("wkb_db\\snapshots\\2025-2026\\wkb_txt.data");
    EXPECT_EQ("W3D4P1=read\r\n", readBytes(held));
    EXPECT_EQ(0u, GetFileAttributesA(held.c_str()) & FILE_ATTRIBUTE_READONLY);
    HANDLE h = CreateFileA(held.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_NE(INVALID_HANDLE_VALUE, h) << "the copy can be written";
    CloseHandle(h);

    // Fourteen newer daily snapshots keep the old one out of the retention; the hidden ones
    // are leftovers of an interrupted snapshot and removal.
    std::string snapshots = temp.file("wkb_db\\snapshots\\");
    for (int day = 1; day <= 14; day++) {
        char name[16];
        snprintf(name, sizeof name, "2026-02-%02d", day);
        ASSERT_TRUE(CreateDirectoryA((snapshots + name).c_str(), NULL));
    }
    const char* removed[] = {"2024-01-03", ".old 2024-01-01", ".new 2024-01-02"};
    for (const char* name : removed) {
        ASSERT_TRUE(CreateDirectoryA((snapshots + name).c_str(), NULL));
        std::string file = snapshots + name + "\\wkb_txt.data";
        writeBytes(file, "W1D1P1=old\r\n");
        ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_FALSE(DeleteFileA(file.c_str())) << "the system refuses to delete a read-only file";
    }
    pruneSnapshots("2026-03-01");
    for (const char* name : removed) EXPECT_FALSE(fileExists(snapshots + name)) << name;
    EXPECT_TRUE(fileExists(snapshots + "2026-02-01"));
    EXPECT_TRUE(fileExists(snapshots + "2025-2026"));
}

// Windows refuses to replace a read-only file: a new school year (and a restore) that meets one
// changes nothing, names the cause, and works once the file may be written again.
TEST(StorageWin, ANewYearThatMeetsAReadOnlyFileChangesNothingAndCanBeTriedAgain) {
    TempFolder temp;
    copyText(baseFolder, sizeof baseFolder, temp.path().c_str());
    ASSERT_EQ(STORE_CREATED, prepareStore());
    std::string notes = temp.file("wkb_db\\wkb_txt.data"), weeks = temp.file("wkb_db\\weeks.dat");
    writeBytes(notes, "W3D4P1=read\r\n");
    writeBytes(weeks, "### Weeks colors data. Please do not edit.\r\n3=2\r\n");
    for (const char* readOnly : {"wkb_txt.data", "weeks.dat"}) {
        std::string path = temp.file(std::string("wkb_db\\") + readOnly);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        FileSwap swap;
        char staged[260];
        swapBegin(&swap, "a new school year");
        for (const char* name : {"wkb_txt.data", "weeks.dat"}) {
            ASSERT_EQ(0, swapStage(&swap, name, staged, sizeof staged));
            writeBytes(staged, "new\r\n");
        }
        EXPECT_EQ(SWAP_UNDONE, swapCommit(&swap)) << readOnly;
        EXPECT_EQ(PLATFORM_ERROR_DENIED, swap.cause.kind) << readOnly;
        EXPECT_EQ("W3D4P1=read\r\n", readBytes(notes)) << readOnly;
        EXPECT_EQ("### Weeks colors data. Please do not edit.\r\n3=2\r\n", readBytes(weeks)) << readOnly;
        char what[SWAP_WHAT_SIZE];
        EXPECT_EQ(SWAP_RECOVERY_NONE, swapRecover(what, sizeof what)) << "nothing is left to finish";
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    FileSwap swap;
    char staged[260];
    swapBegin(&swap, "a new school year");
    ASSERT_EQ(0, swapStage(&swap, "wkb_txt.data", staged, sizeof staged));
    writeBytes(staged, "");
    EXPECT_EQ(SWAP_DONE, swapCommit(&swap));
    EXPECT_EQ("", readBytes(notes));
}
