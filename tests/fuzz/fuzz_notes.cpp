// Fuzz target: the decoding of stored notes for the editor. Input: a stored text (as a get
// leaves it, at most 511 characters). Decodes it at full size and cut short, and checks that
// a load followed by a save gives the stored bytes back.
#include <cstring>
#include <string>
#include <vector>

#include "diary/notes.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::string stored((const char*)data, size < NOTES_LIMIT ? size : NOTES_LIMIT);
    stored = stored.c_str();
    size_t n = stored.size();
    std::vector<char> full(2 * n + 1);
    decodeNotes(stored.c_str(), full.data(), (int)full.size());
    fuzzCheck(strlen(full.data()) < full.size(), "the decoded text is terminated");

    // Cut short: the start of the full text, the last character possibly the blank of a
    // " |" whose line break did not fit.
    size_t cut = 1 + (n == 0 ? 0 : data[0] % (2 * n + 1));
    std::vector<char> part(cut + 8, '#');
    decodeNotes(stored.c_str(), part.data(), (int)cut);
    size_t got = strlen(part.data());
    fuzzCheck(got < cut, "a cut text fits");
    fuzzCheck(part[cut] == '#', "nothing is written past the size");
    if (got > 0) {
        fuzzCheck(memcmp(part.data(), full.data(), got - 1) == 0, "a cut text starts the full one");
        char last = part[got - 1];
        fuzzCheck(last == full[got - 1] || (last == ' ' && full[got - 1] == '\r'), "a cut text ends cleanly");
    }

    // A stored text (no CR or LF in it) loads at its own length and saves back to itself.
    if (stored.find_first_of("\r\n") == std::string::npos) {
        fuzzCheck(strlen(full.data()) == n, "a load keeps the stored length");
        std::string again = full.data();
        encodeNotes(&again[0]);
        fuzzCheck(again == stored, "a load and a save give the stored bytes back");
    }
    return 0;
}
