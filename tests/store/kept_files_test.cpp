// Files kept in memory: a lookup or a scan through a kept copy gives what a read of the file
// gives, whatever the file holds, and a copy is never used once the file may have changed.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/faults.h"
#include "platform/platform.h"
#include "store/kept_files.h"
#include "store/table_store.h"
#include "store/text_file.h"
#include "support/diary_fixture.h"

class KeptFilesTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        makeDataFolder();
        path = data("wkb_txt.data");
    }
    std::string get(const char* key) {
        tableOp(TABLE_GET, NOTES_TABLE, key, "");
        return valueBuffer;
    }
    // A change by another program: written in place, the diary is not told.
    void writeElsewhere(const std::string& bytes) {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    std::string path;
};

static int collect(char* piece, int n, void* context) {
    ((std::vector<std::string>*)context)->push_back(std::string(piece, (size_t)n));
    return 0;
}

struct FirstWithKey {
    const char* key;
    std::string piece;
};

static int takeFirst(char* piece, int n, void* context) {
    FirstWithKey* first = (FirstWithKey*)context;
    if (!lineHasKey(piece, first->key)) return 0;
    first->piece.assign(piece, (size_t)n);
    return 1;
}

// What the file itself gives: its first piece with the key, and every line's first piece.
static std::string directLine(const std::string& path, const char* key, int limit) {
    FirstWithKey first = {key, ""};
    FILE* f = fopen(path.c_str(), "rb");
    scanLines(f, limit, takeFirst, &first);
    fclose(f);
    return first.piece.c_str();
}

static std::vector<std::string> directPieces(const std::string& path, int limit) {
    std::vector<std::string> pieces;
    FILE* f = fopen(path.c_str(), "rb");
    scanLines(f, limit, collect, &pieces);
    fclose(f);
    return pieces;
}

static std::string randomFile(std::mt19937& random) {
    static const char* const keys[] = {"W1D1P0", "D1P0C", "D1P0C|2", "a", "a=b", "", "x y", "W1D1P"};
    static const char* const ends[] = {"\r\n", "\n", "\r", ""};
    static const char* const marks[] = {"", "", "", "", "\xEF\xBB\xBF", "\xFF\xFE"};
    std::string bytes = marks[random() % 6];
    int lines = (int)(random() % 40);
    for (int i = 0; i < lines; i++) {
        if (random() % 5 > 0) bytes += std::string(keys[random() % 8]) + "=";
        size_t length = random() % 8 == 0 ? 900 + random() % 400 : random() % 30;
        for (size_t c = 0; c < length; c++) bytes += "vx=\0\xe9 |"[random() % 7];
        bytes += ends[random() % 4];
    }
    return bytes;
}

TEST_F(KeptFilesTest, RandomFilesGiveWhatAReadOfTheFileGives) {
    std::mt19937 random(20261208);
    const char* const keys[] = {"W1D1P0", "D1P0C", "D1P0C|2", "a", "a=b", "", "x y", "W1D1P", "b"};
    for (int round = 0; round < 300; round++) {
        // Read again into the memory of the copy before, or into new memory.
        writeElsewhere(randomFile(random));
        if (round % 2) keptFilesOutOfDate();
        else forgetKeptFiles();
        for (int limit : {TEXT_LINE_LIMIT, 20}) {
            std::vector<std::string> pieces;
            ASSERT_EQ(KEPT_READ, keptScanLines(path.c_str(), limit, collect, &pieces));
            ASSERT_EQ(directPieces(path, limit), pieces) << "round " << round;
            for (const char* key : keys) {
                char piece[TEXT_LINE_LIMIT + 1];
                ASSERT_EQ(KEPT_READ, keptFindLine(path.c_str(), key, piece, limit));
                ASSERT_EQ(directLine(path, key, limit), std::string(piece)) << "round " << round << " key " << key;
            }
        }
    }
}

TEST_F(KeptFilesTest, AKeptCopyIsLeftOnceTheFileMayHaveChanged) {
    writeData("wkb_txt.data", "W1D1P0=Math\n");
    EXPECT_EQ("Math", get("W1D1P0"));
    // The diary's own change of the same size, in the same tick of the file's clock.
    ASSERT_EQ(0, tableOp(TABLE_SET, NOTES_TABLE, "W1D1P0", "Arts"));
    EXPECT_EQ("Arts", get("W1D1P0"));
    // Another program's change.
    writeElsewhere("W1D1P0=History\r\n");
    EXPECT_EQ("History", get("W1D1P0"));
    remove(path.c_str());
    EXPECT_EQ("", get("W1D1P0"));
    EXPECT_EQ(0, tableGetFailed());
    writeElsewhere("W1D1P0=back\r\n");
    EXPECT_EQ("back", get("W1D1P0"));
}

TEST_F(KeptFilesTest, AReadThatBreaksOffKeepsNothing) {
    writeData("wkb_txt.data", "W1D1P0=Math\nW1D1P1=Art\n");
    faultArm(FAULT_READ, 1);
    EXPECT_EQ("", get("W1D1P0"));
    EXPECT_EQ(1, tableGetFailed());
    faultReset();
    EXPECT_EQ("Math", get("W1D1P0"));
    EXPECT_EQ(0, tableGetFailed());
    // Kept: the next lookups read nothing.
    faultFailAll(FAULT_OPEN_READ, 1);
    faultFailAll(FAULT_READ, 1);
    EXPECT_EQ("Art", get("W1D1P1"));
    EXPECT_EQ(0, tableGetFailed());
    faultReset();
}

// A damaged or hand-made table too large to keep, or with too many lines, is read from the
// disk at each use and gives the same values.
TEST_F(KeptFilesTest, FilesTooLargeToKeepAreReadEachTime) {
    std::string manyLines;
    for (int i = 0; i < 300000; i++) manyLines += "x\n";
    std::string large = "W1D1P0=first\n" + std::string(9 << 20, 'v') + "\nW1D1P1=after\n";
    for (const std::string& bytes : {manyLines + "W1D1P0=end\n", large}) {
        writeElsewhere(bytes);
        keptFilesOutOfDate();
        EXPECT_EQ(bytes == large ? "first" : "end", get("W1D1P0"));
        EXPECT_EQ(bytes == large ? "after" : "", get("W1D1P1"));
        EXPECT_EQ(0, tableGetFailed());
        writeElsewhere(bytes + "W1D1P2=added\n");
        EXPECT_EQ("added", get("W1D1P2"));
    }
}
