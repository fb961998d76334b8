// A file that another program holds for a moment (a virus scanner, a sync client) does not fail
// a save: the platform's changing calls wait for it a little, under Wine with real handles. A
// file held for longer fails within a bound, as "in use", and stays whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "core/diary_state.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/store_prep.h"
#include "store/data_folder.h"
#include "store/table_store.h"
#include "support/temp_folder.h"
#include "support/win32/front_recorder.h"
#include "save_fixture.h"

namespace {

const unsigned kMoment = 300;  // a scanner's hold, well inside the platform's patience
const unsigned kLong = 3000;   // a hold that outlasts it
const unsigned kPatience = 1500;

// Another thread's handle on a file or folder, opened at once with the given sharing and let go
// after ms, or when the object goes, whichever comes first.
class Hold {
public:
    Hold(const std::string& path, DWORD share, unsigned ms) {
        handle_ = CreateFileA(path.c_str(), GENERIC_READ, share, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
        stop_ = CreateEventA(NULL, TRUE, FALSE, NULL);
        if (handle_ == INVALID_HANDLE_VALUE) return;
        releaser_ = std::thread([this, ms] {
            WaitForSingleObject(stop_, ms);
            CloseHandle(handle_);
        });
    }
    ~Hold() {
        SetEvent(stop_);
        if (releaser_.joinable()) releaser_.join();
        CloseHandle(stop_);
    }
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_, stop_;
    std::thread releaser_;
};

// A fresh folder for each case: a file and a folder to hold, and a new version of the file.
struct Scene {
    Scene() : target(temp.file("target.txt")), fresh(temp.file("fresh.txt")), folder(temp.file("folder")) {
        writeBytes(target, "old\r\n");
        writeBytes(fresh, "new\r\n");
        CreateDirectoryA(folder.c_str(), NULL);
        faultReset();
        platformClearError();
    }
    ~Scene() { faultReset(); }
    TempFolder temp;
    std::string target, fresh, folder;
};

// Each changing call, with what the other thread holds, how many platform calls it makes, and
// whether the target must hold the new version after a success.
struct ContentionCase {
    const char* what;
    bool holdFolder;  // the folder is held, else the target file
    int (*call)(const Scene& s);
    bool targetRenewed;
    unsigned long calls = 1;
};

const ContentionCase kCases[] = {
    {"replace onto it", false, [](const Scene& s) { return platformReplaceFile(s.fresh.c_str(), s.target.c_str()); },
     true},
    {"replace it away", false, [](const Scene& s) { return platformReplaceFile(s.target.c_str(), s.fresh.c_str()); },
     false},
    {"copy over it", false, [](const Scene& s) { return platformCopyFile(s.fresh.c_str(), s.target.c_str()); }, true},
    {"copy from it", false, [](const Scene& s) { return platformCopyFile(s.target.c_str(), s.fresh.c_str()); },
     false},
    {"delete it", false, [](const Scene& s) { return platformDeleteFile(s.target.c_str()); }, false},
    {"a new file in its place", false,
     [](const Scene& s) {
         FILE* f = platformOpen(s.target.c_str(), "w");
         if (f == NULL) return 1;
         return platformWrite(f, "new\r\n", 5) | platformClose(f);
     },
     true, 3},
    {"rename the folder", true,
     [](const Scene& s) { return platformRenameFolder(s.folder.c_str(), (s.folder + "2").c_str()); }, false},
};

unsigned long long now() { return GetTickCount64(); }

}  // namespace

TEST(FileContention, AMomentaryHoldIsWaitedFor) {
    for (const ContentionCase& c : kCases) {
        Scene s;
        Hold hold(c.holdFolder ? s.folder : s.target, 0, kMoment);
        ASSERT_TRUE(hold.held()) << c.what;
        unsigned long before = platformChangeCount();
        unsigned long long start = now();
        EXPECT_EQ(0, c.call(s)) << c.what << ": error " << platformLastError()->code;
        unsigned long long took = now() - start;
        // It did meet the hold, and went on soon after the hold was let go.
        EXPECT_GE(took, kMoment - 50) << c.what;
        EXPECT_LT(took, kMoment + 700) << c.what;
        EXPECT_EQ(c.calls, platformChangeCount() - before) << c.what << ": counted once, however many tries";
        if (c.targetRenewed) {
            EXPECT_EQ("new\r\n", readBytes(s.target)) << c.what;
        }
    }
}

// Each call above met the hold as a passing one, or it would not have waited for it. That a
// hold for good ends in time, as "in use", is the same loop for each: two of them show it.
TEST(FileContention, ALongHoldFailsSoonAsInUseAndKeepsTheFile) {
    for (const ContentionCase& c : {kCases[0], kCases[6]}) {
        Scene s;
        {
            Hold hold(c.holdFolder ? s.folder : s.target, 0, kLong);
            ASSERT_TRUE(hold.held()) << c.what;
            unsigned long long start = now();
            EXPECT_EQ(1, c.call(s)) << c.what;
            unsigned long long took = now() - start;
            EXPECT_GE(took, 600u) << c.what << ": tried again for a while";
            EXPECT_LT(took, kPatience) << c.what;
            EXPECT_EQ(PLATFORM_ERROR_DENIED, platformLastError()->kind) << c.what;
            EXPECT_EQ(ERROR_SHARING_VIOLATION, platformLastError()->code) << c.what;
        }
        // Let go: what was held is as it was.
        if (c.holdFolder)
            EXPECT_TRUE(fileExists(s.folder) && !fileExists(s.folder + "2")) << c.what;
        else
            EXPECT_EQ("old\r\n", readBytes(s.target)) << c.what;
    }
}

// An injected failure stands for the whole call: it is not tried again, and the next call
// meets the real hold and waits for it.
TEST(FileContention, AnInjectedFailureIsNotTriedAgain) {
    Scene s;
    Hold hold(s.target, 0, kMoment);
    ASSERT_TRUE(hold.held());
    faultArm(FAULT_RENAME, 1, PLATFORM_ERROR_DENIED);
    unsigned long long start = now();
    EXPECT_EQ(1, platformReplaceFile(s.fresh.c_str(), s.target.c_str()));
    EXPECT_LT(now() - start, 50u);
    EXPECT_EQ(ERROR_ACCESS_DENIED, platformLastError()->code);
    EXPECT_EQ(0, platformReplaceFile(s.fresh.c_str(), s.target.c_str()));
    EXPECT_EQ(2, faultCalls(FAULT_RENAME));
    EXPECT_EQ("new\r\n", readBytes(s.target));
}

namespace {

// The diary's own saves. A scanner reads the file it holds, so it shares reading: the save can
// read the table, and only its replacement meets the hold.
class SaveContention : public SaveFixture {
protected:
    std::string course() {
        tableOp(TABLE_GET, TIMETABLE_TABLE, "D1P0C", "");
        return valueBuffer;
    }
};

}  // namespace

TEST_F(SaveContention, ATableHeldForAMomentIsSaved) {
    Hold hold(table, FILE_SHARE_READ, kMoment);
    ASSERT_TRUE(hold.held());
    EXPECT_EQ(0, tableOp(TABLE_SET, TIMETABLE_TABLE, "D1P0C", "Art"));
    EXPECT_EQ(0, frontBoxCount());
    EXPECT_EQ("Art", course());
}

TEST_F(SaveContention, SettingsHeldForAMomentAreSaved) {
    Hold hold(settings, FILE_SHARE_READ, kMoment);
    ASSERT_TRUE(hold.held());
    EXPECT_EQ(1, writeSetting("bip", "no"));
    EXPECT_STREQ("no", readSetting("bip"));
}

TEST_F(SaveContention, ATableHeldLongerIsToldAsInUseSoon) {
    std::string before = readBytes(table);
    Hold hold(table, FILE_SHARE_READ, kLong);
    ASSERT_TRUE(hold.held());
    unsigned long long start = now();
    EXPECT_EQ(1, tableOp(TABLE_SET, TIMETABLE_TABLE, "D1P0C", "Art"));
    EXPECT_LT(now() - start, kPatience);
    ASSERT_EQ(1, frontBoxCount());
    EXPECT_STREQ(kDenied, frontBoxText(0));
    EXPECT_EQ(PLATFORM_ERROR_DENIED, platformLastError()->kind);
    EXPECT_EQ(before, readBytes(table));
}
