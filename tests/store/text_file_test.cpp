// The fast paths of the text files: the buffered piece reader against readPiece, and the
// table get built on it, where CR LF falls at the piece limit or the buffer's edge, with bare
// CRs (line ends too), NUL bytes, long lines and files larger than the buffer; files saved
// by other editors (UTF-8 or UTF-16 with a byte-order mark); two rewrites at once, which must
// not share the large write buffer; and the line copy and scan that every file uses.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "store/table_store.h"
#include "store/text_file.h"
#include "support/diary_fixture.h"

namespace {

struct Piece {
    int n;
    std::string bytes;
};

std::vector<Piece> piecesByReadPiece(const std::string& path, int limit) {
    std::vector<Piece> out;
    FILE* f = fopen(path.c_str(), "rb");
    std::vector<char> buf((size_t)limit + 1);
    int n;
    while ((n = readPiece(f, buf.data(), limit)) > 0) out.push_back({n, std::string(buf.data(), (size_t)n)});
    fclose(f);
    return out;
}

std::vector<Piece> piecesByReader(const std::string& path, int limit) {
    std::vector<Piece> out;
    FILE* f = fopen(path.c_str(), "rb");
    static PieceReader reader;
    pieceReaderStart(&reader, f);
    std::vector<char> buf((size_t)limit + 1);
    int n;
    while ((n = pieceRead(&reader, buf.data(), limit)) > 0) out.push_back({n, std::string(buf.data(), (size_t)n)});
    EXPECT_EQ(-1, pieceRead(&reader, buf.data(), limit));
    fclose(f);
    return out;
}

// Contents whose CR LF pairs, bare CRs and NULs fall on every side of the limits and of the
// reader's buffer edge.
std::vector<std::string> trickyContents() {
    std::vector<std::string> out = {"", "a", "\r", "\n", "\r\n", "\r\r\n", "a\rb\r", "x\0y\r\nz"};
    out.back() = std::string("x\0y\r\nz", 6);
    std::string big;
    for (int i = 0; big.size() < 3 * PIECE_READER_SIZE; i++) {
        big += std::string((size_t)(i * 37 % 1500), 'k') + ((i % 3) ? "\r\n" : (i % 5) ? "\n" : "\r");
        if (i % 7 == 0) big += std::string(1, '\0');
    }
    out.push_back(big);
    for (size_t edge : {(size_t)PIECE_READER_SIZE - 1, (size_t)PIECE_READER_SIZE}) {
        out.push_back(std::string(edge, 'p') + "\r\nq\r\n");
        out.push_back(std::string(edge, 'p') + "\r");
    }
    return out;
}

}  // namespace

TEST(PieceReaderTest, GivesTheSamePiecesAsReadPiece) {
    TempFolder folder;
    std::string path = folder.file("f");
    for (const std::string& contents : trickyContents()) {
        writeBytes(path, contents);
        for (int limit : {1, 5, 510, 1023}) {
            auto expected = piecesByReadPiece(path, limit);
            auto got = piecesByReader(path, limit);
            ASSERT_EQ(expected.size(), got.size()) << "size " << contents.size() << " limit " << limit;
            for (size_t i = 0; i < got.size(); i++) {
                ASSERT_EQ(expected[i].n, got[i].n) << "piece " << i << " limit " << limit;
                ASSERT_EQ(expected[i].bytes, got[i].bytes) << "piece " << i << " limit " << limit;
            }
        }
    }
}

static std::string allText(const std::string& path) {
    std::string out;
    for (const Piece& p : piecesByReader(path, 1023)) out += p.bytes;
    return out;
}

TEST(PieceReaderTest, FilesFromOtherEditorsReadAsTheDiarysOwnText) {
    TempFolder folder;
    std::string path = folder.file("f");
    // Accented letters, the euro and quotes of the code page, letters it lacks, a character
    // outside the 16-bit range, and every kind of line end.
    std::u32string text = U"title=S\u00e9lection \u20ac \u201cq\u201d\r\n\u0142\u00f3d\u017a \u65e5\U0001F600\rbip=no\nend";
    std::string expected = "title=S\xe9lection \x80 \x93q\x94\n?\xf3" "d? ??\nbip=no\nend";
    for (const std::string& bytes : {utf8WithMark(text), utf16WithMark(text, false), utf16WithMark(text, true)}) {
        writeBytes(path, bytes);
        EXPECT_EQ(expected, allText(path)) << bytes.size();
    }
    // Long files: characters cut by the reader's buffer edge come out whole.
    std::u32string big;
    std::string bigExpected;
    for (int i = 0; bigExpected.size() < 3 * PIECE_READER_SIZE; i++) {
        big += (i % 3 == 0) ? U"\u00e9\U0001F600\u20ac\r\n" : (i % 3 == 1) ? U"ab\u00e9\r" : U"x\n";
        bigExpected += (i % 3 == 0) ? "\xe9?\x80\n" : (i % 3 == 1) ? "ab\xe9\n" : "x\n";
    }
    for (const std::string& bytes : {utf8WithMark(big), utf16WithMark(big, false), utf16WithMark(big, true)}) {
        writeBytes(path, bytes);
        EXPECT_EQ(bigExpected, allText(path)) << bytes.size();
    }
    // A byte-order mark alone is an empty file; a cut last character leaves a sign.
    writeBytes(path, "\xFF\xFE");
    EXPECT_EQ("", allText(path));
    writeBytes(path, std::string("\xFF\xFE" "a\0b", 5));
    EXPECT_EQ("a?", allText(path));
}

class PieceGetTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        makeDataFolder();
    }
    std::string get(const char* key) {
        tableOp(TABLE_GET, "wkb_txt", key, "");
        return valueBuffer;
    }
};

// A get finds a record only at a line start, also past the buffer's edge, and never inside
// the rest of a long line.
TEST_F(PieceGetTest, FindsRecordsOnlyAtLineStartsAcrossTheBuffer) {
    std::string text;
    for (int i = 0; text.size() < 2 * PIECE_READER_SIZE; i++) text += "W" + std::to_string(i) + "D1P1=" + std::string(500, 'n') + "\n";
    text += "W7D7P7" + std::string(1017, 'x') + "W9D9P9=inside\n";
    text += "W9D9P9=a\rb\nW8D8P8=last";
    writeData("wkb_txt.data", text);
    EXPECT_EQ(std::string(500, 'n'), get("W0D1P1"));
    EXPECT_EQ(std::string(500, 'n'), get("W64D1P1"));
    EXPECT_EQ("a", get("W9D9P9")) << "a bare CR ends a line";
    EXPECT_EQ("last", get("W8D8P8"));
    EXPECT_EQ("", get("D1P1"));
    EXPECT_EQ("", get("W9D9P9=a\rb\nW8D8P8"));
}

TEST(RewriteTest, TwoRewritesAtOnceEachWriteTheirOwnFile) {
    TempFolder folder;
    Rewrite first, second;
    ASSERT_EQ(0, rewriteBegin(&first, folder.file("a").c_str(), folder.file("a.new").c_str()));
    ASSERT_EQ(0, rewriteBegin(&second, folder.file("b").c_str(), folder.file("b.new").c_str()));
    std::string a(100000, 'a'), b(100000, 'b');
    rewriteString(&first, (a + "\n").c_str());
    rewriteString(&second, (b + "\n").c_str());
    EXPECT_EQ(0, rewriteCommit(&second));
    EXPECT_EQ(0, rewriteCommit(&first));
    EXPECT_EQ(a + "\r\n", readBytes(folder.file("a")));
    EXPECT_EQ(b + "\r\n", readBytes(folder.file("b")));
    // The buffer is free again for the next rewrite.
    ASSERT_EQ(0, rewriteBegin(&first, folder.file("c").c_str(), folder.file("c.new").c_str()));
    EXPECT_EQ(1, first.bigBuffer);
    rewriteAbandon(&first);
}

namespace {

// Copies the bytes in through rewriteReplacingKey with pieces of limit; "found" tells whether
// a line was replaced, and the result holds the bytes written.
std::string replaced(const std::string& in, int limit, const char* key, const char* value, int* found) {
    TempFolder folder;
    writeBytes(folder.file("in"), in);
    FILE* f = fopen(folder.file("in").c_str(), "rb");
    Rewrite r;
    EXPECT_EQ(0, rewriteBegin(&r, folder.file("out").c_str(), folder.file("out.new").c_str()));
    *found = rewriteReplacingKey(f, &r, limit, key, value);
    fclose(f);
    EXPECT_EQ(0, rewriteCommit(&r));
    return readBytes(folder.file("out"));
}

int collectPiece(char* piece, int n, void* context) {
    auto* seen = (std::vector<std::string>*)context;
    seen->push_back(std::string(piece, (size_t)n));
    return seen->size() == 3;
}

}  // namespace

// Keys match only whole, before "="; a long line goes with its first piece, whatever its
// later pieces look like; a last line without its line end is not joined to what follows; a
// bare CR ends a line like CR LF.
TEST(RewriteLinesTest, ReplacesOnlyTheKeysLinesAndKeepsEveryOtherByte) {
    int found = 0;
    // With pieces of 10, the third piece of "?=" + longTail begins with "K=".
    std::string longTail = std::string(18, 'x') + "K=fake";
    std::string in = "K|2=a\r\nK=" + longTail + "\r\nKK=b\nk=c\r\nK\r\nbare\rcr\r\nK=last";
    EXPECT_EQ("K|2=a\r\nK=new\r\nKK=b\r\nk=c\r\nK\r\nbare\r\ncr\r\nK=new\r\n", replaced(in, 10, "K", "new", &found));
    EXPECT_EQ(1, found);
    // A long line of another key is copied whole, its piece that starts like the key included.
    in = "A=" + longTail + "\r\nlast";
    EXPECT_EQ("A=" + longTail + "\r\nlast\r\n", replaced(in, 10, "K", "v", &found));
    EXPECT_EQ(0, found);
    // A value with line breaks cannot split the record.
    EXPECT_EQ("K=a b  c\r\n", replaced("K=1", 1023, "K", "a\nb\r\nc", &found));
}

TEST(RewriteLinesTest, ScanSeesTheFirstPieceOfEachLineUntilTold) {
    TempFolder folder;
    writeBytes(folder.file("f"), "abcdefgh\r\nxy\nz\r\nnever\r\n");
    FILE* f = fopen(folder.file("f").c_str(), "rb");
    std::vector<std::string> seen;
    scanLines(f, 4, collectPiece, &seen);
    fclose(f);
    EXPECT_EQ((std::vector<std::string>{"abcd", "xy\n", "z\n"}), seen);
}
