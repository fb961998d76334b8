// Notes turned into page text: line breaks, escaping, and the cut after 500 characters that
// completes a begun unit and never splits an entity.
#include <gtest/gtest.h>

#include <string>

#include "output/html_text.h"

static std::string converted(const std::string& stored, size_t size = NOTES_HTML_SIZE) {
    std::string out(size, '#');
    convertNotes(stored.c_str(), &out[0], size);
    return out.c_str();
}

TEST(PageNotes, LineBreaksAndSpecialCharacters) {
    EXPECT_EQ("", converted(""));
    EXPECT_EQ("a <br>\nb <br>\n <br>\n", converted("a |b | |"));
    // A "|" after anything but a blank was typed: it stays a "|".
    EXPECT_EQ("|a|b||c <br>\n|", converted("|a|b||c ||"));
    EXPECT_EQ("&lt;i&gt;x&lt;/i&gt; &amp; &quot;y&quot; 'z' `w`", converted("<i>x</i> & \"y\" 'z' `w`"));
    EXPECT_EQ("caf\xe9", converted("caf\xe9"));
}

TEST(PageNotes, CutAfter500ProducedCharacters) {
    EXPECT_EQ(std::string(500, 'x'), converted(std::string(511, 'x')));
    EXPECT_EQ(std::string(498, 'x') + " <br>\n", converted(std::string(498, 'x') + " |tail"));
    EXPECT_EQ(std::string(499, 'x') + " ", converted(std::string(499, 'x') + " |tail"));
    // Entities count as what they produce and are never cut.
    EXPECT_EQ(std::string(499, 'x') + "&quot;", converted(std::string(499, 'x') + "\"\""));
    EXPECT_EQ(std::string(496, 'x') + "&amp;", converted(std::string(496, 'x') + "&xyz"));
    EXPECT_EQ(500u, converted(std::string(120, '&')).size());
    EXPECT_EQ(504u, converted(std::string(300, '"')).size());
}

TEST(PageNotes, NeverWritesPastASmallBuffer) {
    EXPECT_EQ("ab", converted("ab&c", 5));
    EXPECT_EQ(" ", converted(" |", 5));
    EXPECT_EQ("a <br>\n", converted("a |b", 8));
}
