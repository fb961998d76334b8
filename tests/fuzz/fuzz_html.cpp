// Fuzz target: the conversion of stored values and notes into page text. Input: a stored text.
// Converts it as notes (full size and cut short) and escapes it as a value, and checks that no
// character of the text can add markup to a page.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "output/html_text.h"

// Whether the page text holds only the markup the conversion adds ("<br>") and entities.
static bool onlyOwnMarkup(const char* text) {
    for (const char* p = text; *p != '\0'; p++) {
        if (*p == '<') {
            if (strncmp(p, "<br>", 4) != 0) return false;
            p += 3;
        } else if (*p == '>' || *p == '"') {
            return false;
        } else if (*p == '&') {
            if (strncmp(p, "&amp;", 5) && strncmp(p, "&lt;", 4) && strncmp(p, "&gt;", 4) && strncmp(p, "&quot;", 6))
                return false;
        }
    }
    return true;
}

static std::string escapedByWriter(const std::string& value) {
    char* bytes = NULL;
    size_t length = 0;
    Rewrite page = {};
    page.out = open_memstream(&bytes, &length);
    if (page.out == NULL) return "";
    writeBigLine(&page, value.c_str());
    fclose(page.out);
    std::string text(bytes, length);
    free(bytes);
    return text;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::string stored((const char*)data, size < 2048 ? size : 2048);
    stored = stored.c_str();

    char out[NOTES_HTML_SIZE + 8];
    memset(out, '#', sizeof out);
    convertNotes(stored.c_str(), out, NOTES_HTML_SIZE);
    fuzzCheck(strlen(out) < NOTES_HTML_SIZE && out[NOTES_HTML_SIZE] == '#', "converted notes fit");
    fuzzCheck(onlyOwnMarkup(out), "converted notes add no markup");

    size_t cut = 1 + (size == 0 ? 0 : data[0] % NOTES_HTML_SIZE);
    memset(out, '#', sizeof out);
    convertNotes(stored.c_str(), out, cut);
    fuzzCheck(strlen(out) < cut && out[cut] == '#', "notes cut short fit");
    fuzzCheck(onlyOwnMarkup(out), "notes cut short add no markup");

    std::string line = escapedByWriter(stored);
    const std::string head = "<span class=\"big\">", tail = "<br></span>\r\n";
    fuzzCheck(line.compare(0, head.size(), head) == 0, "a value line opens its span");
    fuzzCheck(line.size() >= head.size() + tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0,
              "a value line closes its span");
    std::string body = line.substr(head.size(), line.size() - head.size() - tail.size());
    // Line ends inside a value are written as CR LF, like every line end of a page.
    std::string plain;
    for (size_t i = 0; i < body.size(); i++) {
        if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') continue;
        plain += body[i];
    }
    fuzzCheck(onlyOwnMarkup(plain.c_str()) && plain.find('<') == std::string::npos, "an escaped value adds no markup");
    return 0;
}
