// Fuzz target: the settings file. Input: a key on the first line, then the file's bytes.
// Looks the key and the known keys up, loads the options and the version, writes the key and
// a long title, and checks that what was written reads back.
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "records/settings.h"
#include "records/store_prep.h"

static void checkWriteReadsBack(const char* key, const char* value) {
    if (writeSetting(key, value) != 1) return;
    fuzzCheck(strcmp(readSetting(key), value) == 0, "a written setting reads back");
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    fuzzInit();
    fuzzReset();
    std::string file((const char*)data, size);
    std::string key = fuzzTakeLine(file, 64);
    fuzzWriteData(SETTINGS_FILE, file);

    readSetting(key.c_str());
    fuzzCheck(strlen(settingValue) < sizeof settingValue, "settingValue is terminated");
    loadOptions();
    readVersionMajor();
    readSetting("title");

    // Keys are program constants: never empty, never holding a NUL or a CR (a line end on
    // reading), never starting with a byte-order mark.
    if (!key.empty() && key.find_first_of(std::string("\0\r", 2)) == std::string::npos && (unsigned char)key[0] < 0x80)
        checkWriteReadsBack(key.c_str(), "fuzz=value");
    std::string title(300, 'T');
    title[10] = '=';
    checkWriteReadsBack("title", title.c_str());
    checkWriteReadsBack("bip", "no");
    return 0;
}
