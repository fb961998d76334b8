// Kills a saving diary (the wkb_crash_child program) with SIGKILL at random moments and checks
// after each kill that every data file parses, that every value is the one before or after the
// interrupted save, and that the next start-up finds the store current. WKB_CRASH_KILLS sets
// the number of kills (200 by default), WKB_CRASH_SEED the random seed. A second run kills the
// diary while it restores snapshots (and takes the snapshot before each restore): after the next
// start the store must be wholly one of the two snapshots, and every listed snapshot whole.
// The step runs end a restore and a new school year at each of their file calls in turn.
#include <gtest/gtest.h>

#include <signal.h>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "records/store_version.h"
#include "support/temp_folder.h"

#ifdef WKB_CRASH_CHILD

namespace {

using Values = std::map<std::string, std::string>;  // "<file> <key>" -> value

struct ChildRun {
    std::string startLine;  // "S <startUp result> <storeStatus>"
    std::string pending;    // "<file> <key>" of a save under way at the kill, "" if none
    std::string pendingValue;
    long saves = 0;         // saves begun
    int failures = 0;       // saves that showed an error box
};

std::string readAll(int fd) {
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) out.append(buf, (size_t)n);
    return out;
}

// Starts the child, kills it delayMs after its start-up reported, and reads what it said.
ChildRun killOnce(const std::string& base, long seq, int delayUs, Values& committed, const char* mode = nullptr) {
    int fds[2];
    ChildRun run;
    if (pipe(fds) != 0) return run;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 3);
        if (fds[0] != 3) close(fds[0]);
        if (fds[1] != 3) close(fds[1]);
        std::string seqText = std::to_string(seq);
        execl(WKB_CRASH_CHILD, WKB_CRASH_CHILD, base.c_str(), seqText.c_str(), mode, (char*)NULL);
        _exit(127);
    }
    close(fds[1]);
    // Wait for the start-up line, so that the delay falls among the saves.
    std::string text;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') text += c;
    run.startLine = text;
    usleep((useconds_t)delayUs);
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
    std::istringstream lines(readAll(fds[0]));
    close(fds[0]);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() > 2 && line[0] == 'B') {
            std::istringstream parts(line.substr(2));
            std::string file, key;
            parts >> file >> key;
            run.pending = file + " " + key;
            std::getline(parts >> std::ws, run.pendingValue);
            run.saves++;
        } else if ((line == "E" || line == "F") && !run.pending.empty()) {
            committed[run.pending] = run.pendingValue;
            if (line == "F") run.failures++;
            run.pending.clear();
        }
    }
    return run;
}

// Splits a data file into its lines; "" when it does not parse (a line without "=", a torn
// last line), else "ok".
std::string parseLines(const std::string& bytes, size_t skipHeaderLines, Values& out, const std::string& file,
                       bool lastWins) {
    size_t pos = 0, lineNo = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) return file + ": torn last line";
        std::string line = bytes.substr(pos, end - pos);
        pos = end + 2;
        if (lineNo++ < skipHeaderLines) {
            if (line.empty() || line[0] != '#') return file + ": header lost";
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos || line.find_first_of("\r\n") != std::string::npos)
            return file + ": line without a key: " + line;
        std::string name = file + " " + line.substr(0, eq);
        if (lastWins || !out.count(name)) out[name] = line.substr(eq + 1);
    }
    return "";
}

// Reads every data file; returns a problem, or "" with the values in out.
std::string readStore(const std::string& base, Values& out) {
    std::string folder = base + "/wkb_db/";
    struct File { const char* name; const char* tag; size_t header; bool lastWins; };
    const File files[] = {{"wkb_txt.data", "wkb_txt", 0, false},
                          {"wkb_hd.data", "wkb_hd", 0, false},
                          {"weeks.dat", "weeks", 1, true},
                          {".wkb.rc", "settings", 3, false}};
    for (const File& f : files) {
        std::string path = folder + f.name;
        if (!fileExists(path)) return std::string(f.name) + " is missing";
        std::string problem = parseLines(readBytes(path), f.header, out, f.tag, f.lastWins);
        if (!problem.empty()) return problem;
    }
    if (out["settings version"] != CURRENT_VERSION) return "the settings lost their version";
    return "";
}

int envNumber(const char* name, int fallback) {
    const char* v = getenv(name);
    return v != NULL && atoi(v) > 0 ? atoi(v) : fallback;
}

}  // namespace

TEST(CrashKillTest, KilledSavesLeaveEveryValueBeforeOrAfterAndAStoreThatStartsClean) {
    int kills = envNumber("WKB_CRASH_KILLS", 200);
    unsigned seed = (unsigned)envNumber("WKB_CRASH_SEED", (int)time(NULL));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 20000);
    TempFolder base;
    Values committed;
    long seq = 0, saves = 0;
    int duringSave = 0, failures = 0, problems = 0;
    for (int k = 0; k <= kills && problems < 5; k++) {
        ChildRun run = killOnce(base.path(), seq, k == kills ? 0 : delayUs(random), committed);
        // Only the very first start makes the store; every later one must find it current.
        std::string expected = k == 0 ? "S 0 1" : "S 0 0";
        if (run.startLine != expected) {
            ADD_FAILURE() << "kill " << k << " (seed " << seed << "): start-up said [" << run.startLine << "]";
            problems++;
        }
        if (k == kills) break;
        seq += run.saves;
        saves += run.saves;
        failures += run.failures;
        Values disk;
        std::string problem = readStore(base.path(), disk);
        if (problem.empty()) {
            for (const auto& entry : committed) {
                if (entry.first == run.pending) continue;
                const std::string& got = disk[entry.first];
                if (got == entry.second) continue;
                problem = entry.first + " is [" + got + "], saved was [" + entry.second + "]";
            }
            if (!run.pending.empty()) {
                duringSave++;
                const std::string& got = disk[run.pending];
                // The save under way either landed whole or not at all.
                if (got == run.pendingValue) committed[run.pending] = got;
                else if (committed.count(run.pending) ? got != committed[run.pending] : !got.empty())
                    problem = run.pending + " is [" + got + "] after a kill while saving [" + run.pendingValue + "]";
            }
        }
        if (!problem.empty()) {
            ADD_FAILURE() << "kill " << k << " (seed " << seed << "): " << problem;
            problems++;
        }
    }
    EXPECT_EQ(0, failures) << "saves reported a failure on a healthy disk";
    EXPECT_GT(saves, (long)kills) << "the child saved too little to be killed while saving";
    RecordProperty("kills", kills);
    RecordProperty("kills_during_a_save", duringSave);
    printf("crash test: %d kills (seed %u), %d during a save, %ld saves checked\n", kills, seed, duringSave, saves);
}

// Kills the diary while the timetable grid's OK stores its batch: after each kill every course
// of both timetables is the last batch stored or the one under way, never a mix of the two.
// The whole-file writers below are slower than a single save: their kills come up to 40 ms in,
// and a loaded machine may give a run no finished write, so half as many writes as kills do.
TEST(CrashKillTest, KilledTimetableGridSavesLeaveOneWholeBatch) {
    int kills = envNumber("WKB_CRASH_KILLS", 200) / 10;
    unsigned seed = (unsigned)envNumber("WKB_CRASH_SEED", (int)time(NULL));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 40000);
    TempFolder base;
    Values committed;
    std::string last;  // the batch known to be stored ("" before the first)
    long seq = 0;
    int duringSave = 0, failures = 0, problems = 0;
    for (int k = 0; k < kills && problems < 5; k++) {
        ChildRun run = killOnce(base.path(), seq, delayUs(random), committed, "grid");
        long finished = run.saves - (run.pending.empty() ? 0 : 1);
        if (finished > 0) last = "batch " + std::to_string(seq + finished - 1);
        std::string underWay = run.pending.empty() ? "" : "batch " + std::to_string(seq + run.saves - 1);
        seq += run.saves;
        failures += run.failures;
        Values disk;
        std::string problem = readStore(base.path(), disk);
        std::map<std::string, int> seen;
        for (int day = 1; day <= 6; day++)
            for (int period = 0; period < 10; period++)
                for (const char* colour : {"", "|1"})
                    seen[disk["wkb_hd D" + std::to_string(day) + "P" + std::to_string(period) + "C" + colour]]++;
        if (problem.empty() && seen.size() != 1)
            problem = "the courses mix " + std::to_string(seen.size()) + " batches";
        std::string got = seen.begin()->first;
        if (problem.empty() && !underWay.empty() && got == underWay) last = got, duringSave++;
        else if (problem.empty() && got != last) problem = "the courses are [" + got + "], stored was [" + last + "]";
        if (!problem.empty()) ADD_FAILURE() << "kill " << k << " (seed " << seed << "): " << problem, problems++;
    }
    EXPECT_EQ(0, failures) << "saves reported a failure on a healthy disk";
    EXPECT_GE(seq, (long)kills / 2) << "the child stored too few grids to be killed while storing";
    printf("crash test: %d kills while storing the timetable grid (seed %u), %d with the batch landed\n", kills, seed,
           duringSave);
}

// The loop of the kill tests of one data file written whole: the child runs in mode and is
// killed at random moments; after each kill the file's lines (from line `first`) are read and
// judge(run, disk, committed) names a problem, or "" when every value is the one before or
// after the write under way. judge also moves `committed` on past that write.
using Judge = std::string (*)(const ChildRun& run, Values& disk, Values& committed);

static void killFileWriter(const char* mode, const char* file, int first, const char* what, Judge judge) {
    int kills = envNumber("WKB_CRASH_KILLS", 200) / 20;
    unsigned seed = (unsigned)envNumber("WKB_CRASH_SEED", (int)time(NULL));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 40000);
    TempFolder base;
    Values committed;
    long seq = 0;
    int failures = 0, problems = 0;
    for (int k = 0; k < kills && problems < 5; k++) {
        ChildRun run = killOnce(base.path(), seq, delayUs(random), committed, mode);
        seq += run.saves;
        failures += run.failures;
        Values disk;
        std::string path = base.path() + "/wkb_db/" + file, problem;
        if (fileExists(path)) problem = parseLines(readBytes(path), first, disk, mode, false);
        std::string judged = judge(run, disk, committed);
        if (problem.empty()) problem = judged;
        if (!problem.empty()) ADD_FAILURE() << "kill " << k << " (seed " << seed << "): " << problem, problems++;
    }
    EXPECT_EQ(0, failures) << what << " reported a failure on a healthy disk";
    EXPECT_GE(seq, (long)kills / 2) << "the child wrote too few " << what << " to be killed while writing";
}

// Done marks set and cleared: every line of the marks file is whole, and every mark is the one
// before or after the change under way.
static std::string judgeMarks(const ChildRun& run, Values& disk, Values& committed) {
    std::string problem;
    for (auto& entry : disk) {
        if (entry.second != "d 811c9dc5" && problem.empty()) problem = "a torn mark: " + entry.second;
        entry.second = "d";
    }
    Values keys = committed;
    keys.insert(disk.begin(), disk.end());
    if (!run.pending.empty()) keys[run.pending];
    for (const auto& entry : keys) {
        std::string want = committed.count(entry.first) ? committed[entry.first] : "-";
        std::string got = disk.count(entry.first) ? "d" : "-";
        // The change under way landed whole or not at all.
        if (entry.first == run.pending && got == run.pendingValue) want = got;
        if (got != want && problem.empty()) problem = entry.first + " is [" + got + "], saved was [" + want + "]";
    }
    if (!run.pending.empty()) committed[run.pending] = disk.count(run.pending) ? "d" : "-";
    return problem;
}

// Lesson changes stored: every line of the changes file stays whole, and every lesson's change
// is the one before or after the store under way.
static std::string judgeChanges(const ChildRun& run, Values& disk, Values& committed) {
    std::string problem;
    for (const auto& entry : disk) {
        bool pending = entry.first == run.pending && entry.second == run.pendingValue;
        if (!pending && committed[entry.first] != entry.second && problem.empty())
            problem = entry.first + " is [" + entry.second + "], saved was [" + committed[entry.first] + "]";
    }
    for (const auto& entry : committed)
        if (!entry.second.empty() && !disk.count(entry.first) && problem.empty()) problem = entry.first + " was lost";
    if (!run.pending.empty()) committed[run.pending] = disk.count(run.pending) ? disk[run.pending] : committed[run.pending];
    return problem;
}

TEST(CrashKillTest, KilledMarkSavesLeaveEveryMarkBeforeOrAfter) {
    killFileWriter("marks", "marks.dat", 0, "marks", judgeMarks);
}

TEST(CrashKillTest, KilledLessonChangesLeaveEveryChangeBeforeOrAfter) {
    killFileWriter("changes", "changes.dat", 1, "lesson changes", judgeChanges);
}

namespace {

using FileSet = std::map<std::string, std::string>;  // file name -> bytes

const char* const kStoreFiles[] = {".wkb.rc", "wkb_hd.data", "wkb_txt.data", "weeks.dat"};

FileSet storeState(const std::string& notes, const std::string& weeks) {
    return {{".wkb.rc", "version=" CURRENT_VERSION "\r\ninfo=yes\r\nbip=yes\r\n"},
            {"wkb_hd.data", "D1P0C=Math\r\n"},
            {"wkb_txt.data", notes},
            {"weeks.dat", "### Weeks colors data. Please do not edit.\r\n" + weeks}};
}

void writeState(const std::string& folder, const FileSet& state) {
    for (const auto& file : state) writeBytes(folder + "/" + file.first, file.second);
}

// "" when the files of folder are all those of state a, or all those of state b.
std::string wholeIn(const std::string& folder, const FileSet& a, const FileSet& b) {
    int inA = 0, inB = 0;
    for (const char* name : kStoreFiles) {
        std::string path = folder + "/" + name;
        if (!fileExists(path)) return path + " is missing";
        std::string bytes = readBytes(path);
        inA += bytes == a.at(name);
        inB += bytes == b.at(name);
        if (bytes != a.at(name) && bytes != b.at(name)) return path + " is neither of its versions";
    }
    const int all = (int)(sizeof kStoreFiles / sizeof kStoreFiles[0]);
    return inA == all || inB == all ? "" : folder + " mixes the two versions";
}

// Runs the child to its end; its exit status (9 when ended at its crash step) and what it said.
int runChild(const std::string& base, long seq, const char* mode, int crashAt, std::string* said) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 3);
        if (fds[0] != 3) close(fds[0]);
        if (fds[1] != 3) close(fds[1]);
        std::string seqText = std::to_string(seq), step = std::to_string(crashAt);
        // Hundreds of short runs: the leak check at each exit would double the test's time.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        execl(WKB_CRASH_CHILD, WKB_CRASH_CHILD, base.c_str(), seqText.c_str(), mode,
              crashAt > 0 ? step.c_str() : (char*)NULL, (char*)NULL);
        _exit(127);
    }
    close(fds[1]);
    *said = readAll(fds[0]);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void makeStates(const std::string& data, const FileSet& a, const FileSet& b) {
    std::string snapshots = data + "/snapshots";
    for (const std::string& folder : {data, snapshots, snapshots + "/state-a", snapshots + "/state-b"})
        mkdir(folder.c_str(), 0777);
    writeState(data, a);
    writeState(snapshots + "/state-a", a);
    writeState(snapshots + "/state-b", b);
}

// The files of the data folder beside the store's own: none may be left after a start.
std::string leftovers(const std::string& data) {
    std::string found;
    DIR* dir = opendir(data.c_str());
    for (struct dirent* e; dir != NULL && (e = readdir(dir)) != NULL;) {
        std::string name = e->d_name;
        if (name.find(".put") != std::string::npos || name.find(".was") != std::string::npos ||
            name.rfind("swap.", 0) == 0)
            found += " " + name;
    }
    if (dir != NULL) closedir(dir);
    return found;
}

}  // namespace

TEST(CrashKillTest, KilledRestoresLeaveEveryFileWholeAndNoHalfSnapshot) {
    // Every step of a restore is also ended in turn below: fewer random kills do here.
    int kills = envNumber("WKB_CRASH_KILLS", 200) / 8;
    unsigned seed = (unsigned)envNumber("WKB_CRASH_SEED", (int)time(NULL));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 150000);  // a restore with its snapshot takes tens of ms
    TempFolder base;
    std::string data = base.path() + "/wkb_db", snapshots = data + "/snapshots";
    FileSet a = storeState("W1D1P1=state A\r\n", "1=1\r\n");
    FileSet b = storeState("W1D1P1=state B\r\nW2D1P1=more\r\n", "1=2\r\n2=3\r\n");
    makeStates(data, a, b);
    Values unused;
    long seq = 0, restores = 0;
    int duringRestore = 0, problems = 0, failures = 0;
    for (int k = 0; k <= kills && problems < 5; k++) {
        ChildRun run = killOnce(base.path(), seq, k == kills ? 0 : delayUs(random), unused, "restore");
        if (run.startLine != "S 0 0") {
            ADD_FAILURE() << "kill " << k << " (seed " << seed << "): start-up said [" << run.startLine << "]";
            problems++;
        }
        seq += run.saves;
        restores += run.saves;
        failures += run.failures;
        duringRestore += !run.pending.empty();
        std::vector<std::string> problemsNow;
        // The next start finishes or undoes what the kill interrupted.
        std::string said;
        if (runChild(base.path(), seq, "start", 0, &said) != 0 || said.rfind("S 0 0\n", 0) != 0)
            problemsNow.push_back("the start after the kill said [" + said + "]");
        std::string problem = wholeIn(data, a, b);
        if (!leftovers(data).empty()) problemsNow.push_back("left beside the store:" + leftovers(data));
        if (!problem.empty()) problemsNow.push_back(problem);
        DIR* dir = opendir(snapshots.c_str());
        for (struct dirent* e; dir != NULL && (e = readdir(dir)) != NULL;) {
            if (e->d_name[0] == '.') continue;  // hidden: a snapshot being written or removed
            problem = wholeIn(snapshots + "/" + e->d_name, a, b);
            if (!problem.empty()) problemsNow.push_back("snapshot " + problem);
        }
        if (dir != NULL) closedir(dir);
        for (const std::string& p : problemsNow) ADD_FAILURE() << "kill " << k << " (seed " << seed << "): " << p;
        problems += (int)problemsNow.size();
    }
    EXPECT_EQ(0, failures) << "restores reported a failure on a healthy disk";
    EXPECT_GT(restores, (long)kills / 2) << "the child restored too little to be killed while restoring";
    printf("crash test: %d kills while restoring (seed %u), %d during a restore, %ld restores checked\n", kills,
           seed, duringRestore, restores);
}

// A restore and a new school year are ended at each of their file calls in turn; the start
// after each must find the store wholly old or wholly new, with nothing left beside it, and a
// new year that emptied the notes must have kept them in its snapshot.
TEST(CrashKillTest, EveryStepOfARestoreAndOfANewYearEndedByAKillLeavesTheOldOrTheNewStore) {
    TempFolder base;
    std::string data = base.path() + "/wkb_db";
    FileSet a = storeState("W1D1P1=state A\r\n", "1=1\r\n");
    FileSet b = storeState("W1D1P1=state B\r\nW2D1P1=more\r\n", "1=2\r\n2=3\r\n");
    makeStates(data, a, b);
    const std::string weeksHeader = "### Weeks colors data. Please do not edit.\r\n";
    int problems = 0, steps[2] = {0, 0};
    for (int kind = 0; kind < 2 && problems < 5; kind++) {
        const char* mode = kind == 0 ? "restore-step" : "new-year-step";
        for (int n = 1; n < 400 && problems < 5; n++) {
            long seq = kind == 0 ? n : 1000 + n;
            std::string said, where = std::string(mode) + " " + std::to_string(n) + ": ";
            int rc = runChild(base.path(), seq, mode, n, &said);
            if (rc != 0 && rc != 9) ADD_FAILURE() << where << "ended with " << rc << " [" << said << "]", problems++;
            if (runChild(base.path(), seq, "start", 0, &said) != 0 || said.rfind("S 0 0\n", 0) != 0)
                ADD_FAILURE() << where << "the next start said [" << said << "]", problems++;
            std::string problem;
            if (kind == 0) {
                problem = wholeIn(data, a, b);
            } else {
                std::string notes = readBytes(data + "/wkb_txt.data"), weeks = readBytes(data + "/weeks.dat");
                std::string note = "W1D1P1=year " + std::to_string(seq) + "\r\n";
                std::string kept = data + "/snapshots/year-" + std::to_string(seq) + "/wkb_txt.data";
                bool emptied = notes.empty() && weeks == weeksHeader;
                bool untouched = notes.find(note) != std::string::npos && weeks.find("\r\n1=1\r\n") != std::string::npos;
                if (!emptied && !untouched) problem = "notes [" + notes + "] and weeks [" + weeks + "] are mixed";
                else if (emptied && readBytes(kept).find(note) == std::string::npos) problem = "the year's notes are lost";
            }
            if (!leftovers(data).empty()) problem += " left beside the store:" + leftovers(data);
            if (!problem.empty()) ADD_FAILURE() << where << problem, problems++;
            steps[kind]++;
            if (rc == 0) break;
        }
    }
    printf("crash test: a restore ended at each of its %d steps, a new year at each of its %d\n", steps[0],
           steps[1]);
    EXPECT_GT(steps[0], 20);
    EXPECT_GT(steps[1], 20);
}

#endif
