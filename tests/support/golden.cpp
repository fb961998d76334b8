// Reads the golden files of tests/golden/ and fills in the build-time web address.
#include "support/golden.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/build_config.h"

std::string goldenText(const std::string& name) {
    std::ifstream in(std::string(WKB_GOLDEN_DIR) + "/" + name, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "no golden file " << name;
        return "";
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    const std::string mark = "@WEB_ADDRESS@";
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at))
        text.replace(at, mark.size(), WKB_WEB_ADDRESS);
    return text;
}
