// Two copies of the diary on one data folder, the Windows way: the claim is a lock file held
// open without sharing, so a second process (this test program started again) is refused on
// the same folder whatever spelling of its path it uses (letter case, another drive letter
// mapped to the same folder), and free on another one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "support/temp_folder.h"

// Started again with WKB_CLAIM_FOLDER set, the program only claims that folder and ends with
// the claim's result as its exit code.
static int claimAndExit = [] {
    const char* folder = getenv("WKB_CLAIM_FOLDER");
    if (folder != NULL) ExitProcess((UINT)platformClaimDataFolder(folder));
    return 0;
}();

static DWORD claimInAnotherProcess(const std::string& folder) {
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, sizeof exe);
    std::string line = std::string("\"") + exe + "\"";
    SetEnvironmentVariableA("WKB_CLAIM_FOLDER", folder.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    DWORD code = 99;
    if (CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 30000);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    SetEnvironmentVariableA("WKB_CLAIM_FOLDER", NULL);
    return code;
}

TEST(SecondCopyWin, AnotherProcessOnTheSameDataFolderIsRefused) {
    TempFolder base, other;
    CreateDirectoryA((base.path() + "\\wkb_db").c_str(), NULL);
    CreateDirectoryA((other.path() + "\\wkb_db").c_str(), NULL);
    std::string folder = base.path() + "\\wkb_db\\wkb.lock";
    ASSERT_EQ(0, platformClaimDataFolder(folder.c_str()));
    EXPECT_EQ(0, platformClaimDataFolder(folder.c_str())) << "the same process may claim again";
    EXPECT_EQ(1u, claimInAnotherProcess(folder));
    std::string upper = folder;
    for (char& c : upper) c = (char)toupper((unsigned char)c);
    EXPECT_EQ(1u, claimInAnotherProcess(upper));
    EXPECT_EQ(0u, claimInAnotherProcess(other.path() + "\\wkb_db\\wkb.lock"));
}

// scripts/wine-run maps the drive letters M: and N: to one folder of the build (the prefix's
// dosdevices links), as a second letter or a mapped drive would on Windows.
TEST(SecondCopyWin, TwoDriveLettersForOneFolderAreOneFolder) {
    ASSERT_NE((UINT)DRIVE_NO_ROOT_DIR, GetDriveTypeA("M:\\")) << "run through scripts/wine-run";
    ASSERT_NE((UINT)DRIVE_NO_ROOT_DIR, GetDriveTypeA("N:\\")) << "run through scripts/wine-run";
    RemoveDirectoryA("M:\\wkb_db");
    ASSERT_TRUE(CreateDirectoryA("M:\\wkb_db", NULL) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("N:\\wkb_db")) << "one folder behind both letters";
    ASSERT_EQ(0, platformClaimDataFolder("M:\\wkb_db\\wkb.lock"));
    EXPECT_EQ(1u, claimInAnotherProcess("N:\\wkb_db\\wkb.lock"));
    EXPECT_EQ(1u, claimInAnotherProcess("n:\\WKB_DB\\WKB.LOCK"));
}

// Something in the lock file's place that cannot be opened as a file (a folder) would let
// every copy in: the claim says so (3) and start-up ends. With nothing there and no folder to
// make it in, no copy can write anything: going on is harmless (2). A read-only lock file
// still serves as the lock.
TEST(SecondCopyWin, ALockFileThatIsNoFileIsRefusedNotPassed) {
    TempFolder base;
    std::string folder = base.path() + "\\wkb_db", lock = folder + "\\wkb.lock";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA(lock.c_str(), NULL));
    EXPECT_EQ(3u, claimInAnotherProcess(lock));
    EXPECT_EQ(2u, claimInAnotherProcess(base.path() + "\\missing\\wkb.lock"));
    ASSERT_TRUE(RemoveDirectoryA(lock.c_str()));
    HANDLE h = CreateFileA(lock.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_READONLY, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    EXPECT_EQ(0u, claimInAnotherProcess(lock));
    SetFileAttributesA(lock.c_str(), FILE_ATTRIBUTE_NORMAL);
}
