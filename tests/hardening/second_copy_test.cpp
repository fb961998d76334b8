// Two copies of the diary on one data folder: the second one is told, touches no file and
// ends; the claim goes with the process that held it, also when that process is killed.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/diary_state.h"

#include "app/startup.h"
#include "hardening/hardening_support.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "support/diary_fixture.h"

class SecondCopyTest : public DiaryTest {
protected:
    // Runs fn in a child process and returns its exit code (-1 when it did not exit).
    template <typename Fn>
    int inChild(Fn fn) {
        fflush(stdout);
        pid_t pid = fork();
        if (pid == 0) _exit(fn());
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(SecondCopyTest, ASecondStartIsToldAndTouchesNothing) {
    startAt(2026, 1, 15);
    ASSERT_EQ(1, diaryState.storeStatus);
    // The first start leaves nothing but the data folder under the base folder.
    Snapshot first = snapshotTree(base.path());
    for (const auto& entry : first) EXPECT_EQ(0u, entry.first.rfind("wkb_db", 0)) << entry.first;
    std::remove(data("weeks.dat").c_str());  // a second start that went on would make it again
    Snapshot before = snapshotTree(base.path());

    int code = inChild([] {
        resetFrontLog();
        int rc = startUp();
        std::vector<std::string> boxes = frontCalls("box|Info|");
        bool told = boxes.size() == 1 && boxes[0].find(SECOND_COPY_TEXT) != std::string::npos;
        return rc * 10 + (told ? 1 : 0);
    });
    EXPECT_EQ(11, code) << "startUp gives 1 and shows the one box";
    EXPECT_EQ(before, snapshotTree(base.path()));
    // The first copy itself may start again (the same process keeps its claim).
    EXPECT_EQ(0, startUp());
}

TEST_F(SecondCopyTest, TheClaimEndsWithItsProcessEvenWhenKilled) {
    makeDataFolder();
    std::string folder = data("wkb.lock");
    int pipeFds[2];
    ASSERT_EQ(0, pipe(pipeFds));
    fflush(stdout);
    pid_t holder = fork();
    if (holder == 0) {
        char c = (char)('0' + platformClaimDataFolder(folder.c_str()));
        if (write(pipeFds[1], &c, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    char got = 0;
    ASSERT_EQ(1, read(pipeFds[0], &got, 1));
    close(pipeFds[0]);
    close(pipeFds[1]);
    EXPECT_EQ('0', got);
    // Another folder is free; this one is held.
    TempFolder other;
    std::string otherFolder = other.path() + WKB_SEP "wkb_db" WKB_SEP "wkb.lock";
    mkdir((other.path() + WKB_SEP "wkb_db").c_str(), 0777);
    EXPECT_EQ(0, inChild([&] { return platformClaimDataFolder(otherFolder.c_str()); }));
    EXPECT_EQ(1, inChild([&] { return platformClaimDataFolder(folder.c_str()); }));
    kill(holder, SIGKILL);
    waitpid(holder, NULL, 0);
    EXPECT_EQ(0, inChild([&] { return platformClaimDataFolder(folder.c_str()); }));
    EXPECT_EQ(2, platformClaimDataFolder((other.path() + "/missing/wkb.lock").c_str()));
}

// The claim belongs to the folder, not to the text of its path: through a link to the folder
// (a second spelling of the same place) a second copy is refused all the same.
TEST_F(SecondCopyTest, AnotherPathToTheSameFolderIsTheSameClaim) {
    startAt(2026, 1, 15);
    std::string link = base.path() + "/door2";
    ASSERT_EQ(0, symlink((base.path() + "/wkb_db").c_str(), link.c_str()));
    std::string other = link + "/wkb.lock";
    EXPECT_EQ(1, inChild([&] { return platformClaimDataFolder(other.c_str()); }));
}
