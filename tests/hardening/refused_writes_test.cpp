// A data folder that refuses every write: a read-only mount and a full disk (a tiny tmpfs) for
// real in a private mount namespace of a child process, where the machine allows it, and the
// same through fault injection everywhere. Start-up must run and show the store, every save
// must be refused with a message box that names the cause and what was not saved, and no
// byte of the store may change.
#include <gtest/gtest.h>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/notes.h"
#include "diary/slot.h"
#include "diary/startup_message.h"
#include "diary/status_line.h"
#include "hardening/hardening_support.h"
#include "output/day_list.h"
#include "output/pages.h"
#include "platform/bounded_text.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "records/settings.h"
#include "records/week_colours.h"
#include "store/table_store.h"
#include "support/diary_fixture.h"
#include "support/platform_recorder.h"

using Problems = std::vector<std::string>;

struct Save {
    const char* name;
    std::function<void()> run;
    const char* told;  // what the box says was not saved (the saves run on Thursday, Period 2)
};

// The causes as the user reads them.
static const char kFull[] = "The disk is full: ";
static const char kDenied[] = "The file is read-only or in use by another program: ";
static const char kTail[] = " not saved. Nothing was lost; the previous version is kept.";

static void commitAs(int action, const char* text) {
    diaryState.action = action;
    copyText(inputText, sizeof inputText, text);
    commitInput();
}

static const Save kSaves[] = {
    {"notes", [] { frontLog.notes = "new notes"; saveNotes(); }, "the notes of Thursday, Period 2 were"},
    {"course", [] { commitAs(ACTION_SELECT_COURSE, "Chemistry"); }, "the course of Thursday, Period 2 was"},
    {"title", [] { commitAs(ACTION_TITLE, "New title"); }, "the title was"},
    {"added list value", [] { commitAs(ACTION_ADD_COURSE, "Geography"); }, "the list of courses was"},
    {"removed list value", [] { commitAs(ACTION_REMOVE_COURSE, "Math"); }, "the list of courses was"},
    {"week colour", [] { setWeekColour(4); }, "the colour of week 3 was"},
    {"beep option", [] { setBeep(0); }, "the settings were"},
    {"day page", [] { exportDayPage(); }, "the day page was"},
    {"week grid page", [] { exportWeekGridPage(); }, "the week grid page was"},
    {"weeks table page", [] { exportWeeksTablePage(); }, "the weeks table page was"},
    {"day list", [] { exportDayList(); }, "the day list was"},
};

class RefusedWritesTest : public DiaryTest {
protected:
    // Starts the diary on the store under base (already refusing writes), checks what it
    // shows, tries every save and checks that the store kept every byte. Each save must be
    // told as cause (the start of the box's text).
    Problems startAndTrySaves(const std::string& cause) {
        Problems problems;
        Snapshot before = snapshotTree(base.path());
        startAt(2026, 1, 15);  // Thursday of week 3, whose colour is 2
        if (diaryState.storeStatus != 0) problems.push_back("start-up status " + std::to_string(diaryState.storeStatus));
        diaryState.selectedPeriod = 1;
        refreshStatusLine();  // reads the week's colour, which the slot line needs
        refreshSlotLine();
        loadNotes();
        if (frontLog.slotLine.find("Bio") == std::string::npos) problems.push_back("slot line: " + frontLog.slotLine);
        if (frontLog.notes.find("read p. 12") == std::string::npos) problems.push_back("notes: " + frontLog.notes);
        for (const Save& s : kSaves) {
            frontLog.calls.clear();
            platformLaunch("", "");
            s.run();
            std::vector<std::string> boxes = frontCalls("box|Stop|");
            std::string expected = "box|Stop|error|" + cause + s.told + kTail;
            if (boxes.size() != 1 || boxes[0] != expected)
                problems.push_back(std::string(s.name) + ": told " + (boxes.empty() ? "nothing" : boxes[0]));
            if (platformLastLaunchProgram()[0] != '\0') problems.push_back(std::string(s.name) + ": opened a file");
        }
        std::string changed = oldOrNew(before, before, snapshotTree(base.path()));
        if (!changed.empty()) problems.push_back(changed);
        return problems;
    }

    // Runs fn in a child process (in a mount namespace of its own when mounts is set); its
    // problems come back through a pipe. A first line "SKIP <reason>" means the machine does
    // not allow it.
    Problems inChild(bool mounts, std::function<Problems()> fn) {
        int fds[2];
        if (pipe(fds) != 0) return {"no pipe"};
        fflush(stdout);
        pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            Problems got;
            if (mounts && (unshare(CLONE_NEWNS) != 0 || mount(NULL, "/", NULL, MS_REC | MS_PRIVATE, NULL) != 0))
                got.push_back(std::string("SKIP no private mount namespace: ") + strerror(errno));
            else
                got = fn();
            std::string text;
            for (const std::string& p : got) text += p + "\n";
            if (write(fds[1], text.data(), text.size()) != (ssize_t)text.size()) _exit(2);
            _exit(0);
        }
        close(fds[1]);
        std::string text;
        char buf[4096];
        ssize_t n;
        while ((n = read(fds[0], buf, sizeof buf)) > 0) text.append(buf, (size_t)n);
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        Problems problems;
        size_t pos = 0, end;
        while ((end = text.find('\n', pos)) != std::string::npos) {
            problems.push_back(text.substr(pos, end - pos));
            pos = end + 1;
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) problems.push_back("the child crashed");
        return problems;
    }

    void expectNone(const Problems& problems) {
        if (!problems.empty() && problems[0].rfind("SKIP ", 0) == 0) GTEST_SKIP() << problems[0].substr(5);
        for (const std::string& p : problems) ADD_FAILURE() << p;
    }
};

TEST_F(RefusedWritesTest, AReadOnlyDataFolderStartsShowsAndRefusesEverySave) {
    writeFullStore(base.path());
    std::string path = base.path();
    expectNone(inChild(true, [&]() -> Problems {
        if (mount(path.c_str(), path.c_str(), NULL, MS_BIND, NULL) != 0 ||
            mount(NULL, path.c_str(), NULL, MS_BIND | MS_REMOUNT | MS_RDONLY, NULL) != 0)
            return {std::string("SKIP no read-only bind mount: ") + strerror(errno)};
        FILE* probe = fopen((path + "/wkb_db/probe").c_str(), "wb");
        if (probe != NULL) {
            fclose(probe);
            return {"SKIP the read-only mount still takes writes"};
        }
        return startAndTrySaves(kDenied);
    }));
}

// A first start where nothing can be made: start-up still ends, with the failed status that
// the start-up message shows.
TEST_F(RefusedWritesTest, AFirstStartInAReadOnlyFolderReportsTheFailedStore) {
    std::string path = base.path();
    expectNone(inChild(true, [&]() -> Problems {
        if (mount(path.c_str(), path.c_str(), NULL, MS_BIND, NULL) != 0 ||
            mount(NULL, path.c_str(), NULL, MS_BIND | MS_REMOUNT | MS_RDONLY, NULL) != 0)
            return {std::string("SKIP no read-only bind mount: ") + strerror(errno)};
        startAt(2026, 1, 15);
        Problems problems;
        char message[1024];
        composeStartupMessage(message, sizeof message);
        if (strstr(message, "\n WKB database Init.: Failed ") == NULL) problems.push_back(message);
        if (!snapshotTree(path).empty()) problems.push_back("a file was made");
        return problems;
    }));
}

// A tmpfs of a few pages, filled to the last byte after the store is written.
TEST_F(RefusedWritesTest, AFullDiskStartsShowsAndRefusesEverySave) {
    std::string path = base.path();
    expectNone(inChild(true, [&]() -> Problems {
        if (mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k") != 0)
            return {std::string("SKIP no tmpfs mount: ") + strerror(errno)};
        writeFullStore(path);
        FILE* filler = fopen((path + "/filler").c_str(), "wb");
        if (filler == NULL) return {"no filler file"};
        static char page[4096];
        setvbuf(filler, NULL, _IONBF, 0);
        while (fwrite(page, 1, sizeof page, filler) == sizeof page) {}
        while (fwrite(page, 1, 1, filler) == 1) {}
        fclose(filler);
        return startAndTrySaves(kFull);
    }));
}

// Without mounts: every file a process writes is limited to 0 bytes (writes fail with EFBIG).
TEST_F(RefusedWritesTest, AFileSizeLimitOfNothingRefusesEverySave) {
    writeFullStore(base.path());
    expectNone(inChild(false, [&]() -> Problems {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {0, 0};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return {"SKIP no file size limit"};
        // A file too large is neither a full disk nor a refusal: the system's code is shown.
        return startAndTrySaves("The file could not be written (error " + std::to_string(EFBIG) + "): ");
    }));
}

// The same through fault injection, with each class of cause: no file can be made, moved or
// removed (read-only), no byte reaches a file (full disk), or anything else goes wrong.
TEST_F(RefusedWritesTest, InjectedReadOnlyAndFullDiskRefuseEverySave) {
    struct Refusal {
        std::vector<FaultOp> ops;
        PlatformErrorKind cause;
        std::string told;
    };
    const std::vector<FaultOp> noFile = {FAULT_OPEN_WRITE, FAULT_RENAME, FAULT_COPY, FAULT_DELETE, FAULT_MAKE_FOLDER};
    const std::vector<FaultOp> noByte = {FAULT_WRITE, FAULT_FLUSH, FAULT_COPY};
    const Refusal refusals[] = {
        {noFile, PLATFORM_ERROR_DENIED, kDenied},
        {noByte, PLATFORM_ERROR_FULL, kFull},
        {noByte, PLATFORM_ERROR_OTHER, "The file could not be written (error " + std::to_string(EIO) + "): "},
    };
    for (const Refusal& r : refusals) {
        resetDiaryState();
        resetFrontLog();
        writeFullStore(base.path());
        for (FaultOp op : r.ops) faultFailAll(op, 1, r.cause);
        Problems problems = startAndTrySaves(r.told);
        faultReset();
        for (const std::string& p : problems) ADD_FAILURE() << "cause " << r.cause << ": " << p;
    }
}
