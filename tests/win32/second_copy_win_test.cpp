// Two copies of the diary on one data folder, the Windows way: the claim is a named mutex, so
// a second process (this test program started again) is refused on the same folder, whatever
// the letter case of its path, and free on another one.
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
    std::string folder = base.path() + "\\wkb_db\\";
    ASSERT_EQ(0, platformClaimDataFolder(folder.c_str()));
    EXPECT_EQ(0, platformClaimDataFolder(folder.c_str())) << "the same process may claim again";
    EXPECT_EQ(1u, claimInAnotherProcess(folder));
    std::string upper = folder;
    for (char& c : upper) c = (char)toupper((unsigned char)c);
    EXPECT_EQ(1u, claimInAnotherProcess(upper));
    EXPECT_EQ(0u, claimInAnotherProcess(other.path() + "\\wkb_db\\"));
}
