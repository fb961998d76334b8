// Snapshots: the daily one at start, the unchanged store not kept twice, the retention over
// 400 simulated days, the restore with its own undo, and every new write failing in turn
// with nothing lost and no half snapshot in the list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/startup.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "records/snapshot_restore.h"
#include "records/store_version.h"
#include "store/data_folder.h"
#include "store/snapshots.h"
#include "support/diary_fixture.h"

namespace {

const char* const kFiles[] = {"wkb_hd.data", "wkb_txt.data", "weeks.dat", "hdvalues.dat", ".wkb.rc"};

class SnapshotTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        writeData(".wkb.rc", "version=" CURRENT_VERSION "\n");
        writeData("wkb_hd.data", "D1P0C=Math\n");
        writeData("wkb_txt.data", "W3D4P0=read chapter 2\nW3D4P1=\n");
        writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n3=1\n");
    }
    std::string snap(const std::string& name, const std::string& file) const {
        return data(std::string("snapshots") + WKB_SEP + name + WKB_SEP + file);
    }
    std::map<std::string, std::string> store() const {
        std::map<std::string, std::string> files;
        for (const char* f : kFiles)
            if (fileExists(data(f))) files[f] = dataBytes(f);
        return files;
    }
    std::map<std::string, std::string> held(const std::string& name) const {
        std::map<std::string, std::string> files;
        for (const char* f : kFiles)
            if (fileExists(snap(name, f))) files[f] = readBytes(snap(name, f));
        return files;
    }
    std::vector<std::string> names() const {
        SnapshotInfo infos[400];
        int n = listSnapshots(infos, 400);
        std::vector<std::string> out;
        for (int i = 0; i < n; i++) out.push_back(infos[i].name);
        return out;
    }
    void today(int y, int m, int d, int hour = 12) { platformSetNow((time_t)localTime(y, m, d, hour)); }
    int restore(const char* name) {
        PlatformError cause;
        return restoreSnapshot(name, &cause);
    }
};

}  // namespace

TEST_F(SnapshotTest, TheFirstStartOfADayKeepsTheFilesAndLaterStartsDoNothing) {
    auto before = store();
    startAt(2026, 1, 15);
    EXPECT_EQ(std::vector<std::string>{"2026-01-15"}, names());
    EXPECT_EQ(before, held("2026-01-15"));
    EXPECT_TRUE(frontCalls("box|Stop").empty());

    faultReset();
    startAt(2026, 1, 15);
    EXPECT_EQ(0, faultCalls(FAULT_COPY));  // nothing copied, nothing compared again

    // The next day with nothing changed: no second copy of the same files.
    startAt(2026, 1, 16);
    EXPECT_EQ(std::vector<std::string>{"2026-01-15"}, names());
    writeData("wkb_txt.data", "W3D4P0=read chapter 3\n");
    today(2026, 1, 17);
    ASSERT_EQ(0, takeDailySnapshot());
    EXPECT_EQ((std::vector<std::string>{"2026-01-17", "2026-01-15"}), names());
    SnapshotInfo infos[4];
    ASSERT_EQ(2, listSnapshots(infos, 4));
    EXPECT_EQ(1, infos[0].notes);
    EXPECT_EQ(SNAPSHOT_DAILY, infos[0].kind);
    EXPECT_GT(infos[0].size, 60);
}

TEST_F(SnapshotTest, AFirstStartWithoutAStoreTakesNoSnapshot) {
    TempFolder empty;
    copyText(baseFolder, sizeof baseFolder, empty.path().c_str());
    EXPECT_EQ(0, takeDailySnapshot());
    EXPECT_FALSE(fileExists(empty.path() + WKB_SEP "wkb_db" WKB_SEP "snapshots"));
}

// The retention, against its own statement: of the daily snapshots, the 14 newest and the
// oldest of each of the last 12 months stay.
TEST_F(SnapshotTest, RetentionOver400DaysKeeps14DailyAndOnePerMonthFor12Months) {
    // Some 270 snapshots, each flushed to disk file by file: in memory where the system has it.
    std::string fast = "/dev/shm/wkb_retention_" + std::to_string((long)getpid());
    std::string dataFolder = base.path() + "/wkb_db";
    if (platformExists("/dev/shm/") && platformMakeFolder(fast.c_str()) == 0) {
        platformMakeFolder((fast + "/wkb_db").c_str());
        copyText(baseFolder, sizeof baseFolder, fast.c_str());
        for (const char* f : kFiles)
            if (fileExists(data(f))) writeBytes(fast + "/wkb_db/" + f, dataBytes(f));
        dataFolder = fast + "/wkb_db";
    }
    std::vector<std::string> taken;
    int y = 2025, m = 1, d = 1;
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int day = 0; day < 400; day++) {
        // Every third day nothing changes: no snapshot that day.
        if (day % 3 != 2) writeBytes(dataFolder + "/wkb_txt.data", "W1D1P1=day " + std::to_string(day) + "\r\n");
        today(y, m, d);
        ASSERT_EQ(0, takeDailySnapshot()) << day;
        char name[16];
        snprintf(name, sizeof name, "%04d-%02d-%02d", y, m, d);
        if (day % 3 != 2 || day == 0) taken.push_back(name);
        if (++d > lengths[m - 1] + (m == 2 && y % 4 == 0)) {
            d = 1;
            if (++m > 12) m = 1, y++;
        }
    }
    // Today is the last day taken (4 February 2026).
    std::set<std::string> want;
    for (size_t i = taken.size() - 14; i < taken.size(); i++) want.insert(taken[i]);
    std::set<std::string> months;
    for (const std::string& n : taken) {
        int months_ago = (2026 * 12 + 2) - (std::stoi(n.substr(0, 4)) * 12 + std::stoi(n.substr(5, 2)));
        if (months_ago < 12 && months.insert(n.substr(0, 7)).second) want.insert(n);
    }
    auto listed = names();
    EXPECT_EQ(want, std::set<std::string>(listed.begin(), listed.end()));
    EXPECT_EQ(25u, listed.size());  // 14 days of January and February, 11 months before
    if (dataFolder != base.path() + "/wkb_db") std::filesystem::remove_all(fast);
}

TEST_F(SnapshotTest, BeforeSnapshotsAreNamedForWhatFollowsAndNeverOverwritten) {
    today(2026, 3, 2, 10);
    ASSERT_EQ(0, takeSnapshotBefore("initialize"));
    ASSERT_EQ(0, takeSnapshotBefore("initialize"));  // the same second
    auto listed = names();
    ASSERT_EQ(2u, listed.size());
    EXPECT_EQ("2026-03-02 10-00-00 before initialize", listed[1]);
    EXPECT_EQ("2026-03-02 10-00-00-02 before initialize", listed[0]);
    EXPECT_EQ(store(), held(listed[1]));
}

TEST_F(SnapshotTest, RestoreBringsTheFilesBackAndCanItselfBeUndone) {
    auto old = store();
    today(2026, 3, 2);
    ASSERT_EQ(0, takeNamedSnapshot("2025-2026"));
    writeData("wkb_txt.data", "W9D1P1=new year\n");
    writeData("weeks.dat", "### Weeks colors data. Please do not edit.\n");
    auto changed = store();
    ASSERT_EQ(0, restore("2025-2026"));
    EXPECT_EQ(old, store());
    auto listed = names();
    ASSERT_EQ(2u, listed.size());
    EXPECT_EQ("2025-2026", listed[1]);  // named ones after the dated ones
    EXPECT_EQ(changed, held(listed[0]));
    ASSERT_EQ(0, restore(listed[0].c_str()));
    EXPECT_EQ(changed, store());
    EXPECT_EQ(1, restore("no such snapshot"));
    EXPECT_EQ(1, restore(".."));
}

TEST_F(SnapshotTest, NamesOfNewSnapshotsAreChecked) {
    char message[160];
    EXPECT_EQ(0, checkSnapshotName("2025-2026", message, sizeof message));
    EXPECT_EQ(0, checkSnapshotName("Year 9 (Mrs Lee)", message, sizeof message));
    for (const char* device : {"CONSOLE", "Com10", "COM0", "nullity"})
        EXPECT_EQ(0, checkSnapshotName(device, message, sizeof message)) << device;
    for (const char* bad : {"", "a/b", "a\\b", "..", ".hidden", "x ", "2026-01-15", "2026-01-15 mine", "a:b",
                            "1234567890123456789012345678901234567890x", "CON", "nul", "Com1", "LPT9.txt", "aux.2026"})
        EXPECT_EQ(1, checkSnapshotName(bad, message, sizeof message)) << bad;
    today(2026, 3, 2);
    ASSERT_EQ(0, takeNamedSnapshot("2025-2026"));
    EXPECT_EQ(1, checkSnapshotName("2025-2026", message, sizeof message));
    EXPECT_STREQ("A snapshot named \"2025-2026\" already exists: please choose another name.", message);
    EXPECT_EQ(1, takeNamedSnapshot("2025-2026"));
}

// Every write of a snapshot fails in turn: the data files stay as they were, and whatever
// the list shows is whole. The next start without the fault makes the snapshot.
TEST_F(SnapshotTest, AFailingSnapshotTouchesNoDataFileAndLeavesNoHalfSnapshot) {
    auto before = store();
    for (FaultOp op : {FAULT_MAKE_FOLDER, FAULT_COPY, FAULT_RENAME, FAULT_OPEN_WRITE}) {
        for (int nth = 1; nth <= 6; nth++) {
            faultReset();
            today(2026, 1, 10 + nth);
            faultArm(op, nth);
            int rc = takeDailySnapshot();
            faultReset();
            EXPECT_EQ(before, store()) << op << " " << nth;
            for (const std::string& n : names()) EXPECT_EQ(before, held(n)) << op << " " << nth << " " << n;
            if (rc == 0) continue;
            EXPECT_EQ(0, takeDailySnapshot()) << op << " " << nth;
            writeData("wkb_txt.data", "W3D4P0=read chapter 2\nW3D4P1=\n");
        }
        EXPECT_GT(names().size(), 0u);
    }
    // A full disk at start: one message, and the diary starts.
    resetFrontLog();
    faultFailAll(FAULT_COPY, 1);
    writeData("wkb_txt.data", "W3D4P0=changed\n");
    before = store();
    startAt(2026, 2, 20);
    auto boxes = frontCalls("box|Stop");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find("Today's snapshot of the diary could not be made"));
    EXPECT_EQ(before, store());
}

TEST_F(SnapshotTest, AFailingRestoreLeavesTheFilesAsTheyWere) {
    today(2026, 3, 2);
    ASSERT_EQ(0, takeNamedSnapshot("old"));
    writeData("wkb_hd.data", "D1P0C=Art\n");
    writeData("wkb_txt.data", "W1D1P1=now\n");
    writeData("hdvalues.dat", "[C]Art\n");  // not in the snapshot: it stays
    auto now = store();
    auto old = held("old");
    int failures = 0, run = 0;
    for (FaultOp op : {FAULT_COPY, FAULT_RENAME, FAULT_MAKE_FOLDER}) {
        for (int nth = 1; nth <= 8; nth++) {
            faultReset();
            faultArm(op, nth);
            run++;
            today(2026, 3, 3 + run / 20, run % 20);  // so that the newest snapshot is this run's
            int rc = restore("old");
            faultReset();
            if (rc == 0) {
                auto want = old;
                want["hdvalues.dat"] = now["hdvalues.dat"];
                EXPECT_EQ(want, store()) << op << " " << nth;
                ASSERT_EQ(0, restore(names()[0].c_str()));  // undo
            } else {
                failures++;
            }
            EXPECT_EQ(now, store()) << op << " " << nth;
        }
    }
    EXPECT_GT(failures, 6);
}

// Removing old snapshots fails in turn: a snapshot is either listed whole or gone, and a
// later prune finishes the work.
TEST_F(SnapshotTest, AFailingRemovalLeavesEverySnapshotWholeOrGone) {
    auto files = store();
    for (int day = 1; day <= 20; day++) {
        writeData("wkb_txt.data", "W1D1P1=day " + std::to_string(day) + "\n");
        today(2026, 1, day);
        ASSERT_EQ(0, takeDailySnapshot());
    }
    for (FaultOp op : {FAULT_RENAME, FAULT_DELETE}) {
        for (int nth = 1; nth <= 4; nth++) {
            faultReset();
            faultArm(op, nth);
            pruneSnapshots("2026-03-01");
            faultReset();
            for (const std::string& n : names()) EXPECT_EQ(4u, held(n).size()) << n;
        }
    }
    pruneSnapshots("2026-03-01");
    EXPECT_EQ(15u, names().size());  // the 14 newest and the first of January
    // No hidden leftovers once a prune ran without faults.
    int hidden = 0;
    platformListFolder(data("snapshots").c_str(),
                       [](const char* name, void* count) { *(int*)count += name[0] == '.' && name[1] != 'l'; }, &hidden);
    EXPECT_EQ(0, hidden);
}
