// Temporary folders and whole-file helpers for tests.
#include "support/temp_folder.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "store/kept_files.h"

#ifdef _WIN32
#include <process.h>
#define WKB_PID _getpid()
#else
#include <unistd.h>
#define WKB_PID getpid()
#endif

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    fs::path base = fs::temp_directory_path();
    for (;;) {
        fs::path p = base / ("wkbtest_" + std::to_string(WKB_PID) + "_" + std::to_string(counter++));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            path_ = p.string();
            break;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Read-only folders made by a test must not keep their contents from going.
    for (auto it = fs::recursive_directory_iterator(path_, ec); it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempFolder::file(const std::string& name) const { return (fs::path(path_) / name).string(); }

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), (std::streamsize)bytes.size());
    }
    // Written in place, a file of the same size within one tick of the file system's clock
    // keeps its stamp: the diary would go on reading its kept copy.
    forgetKeptFiles();
}

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string artefactFolder() {
    const char* env = std::getenv("WKB_ARTEFACTS");
    fs::path p = env && *env ? fs::path(env) : fs::temp_directory_path() / "wkb_artefacts";
    std::error_code ec;
    fs::create_directories(p, ec);
    return p.string();
}

std::string utf8WithMark(const std::u32string& text) {
    std::string out = "\xEF\xBB\xBF";
    for (char32_t c : text) {
        if (c < 0x80) {
            out += (char)c;
        } else if (c < 0x800) {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += (char)(0xE0 | (c >> 12));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        } else {
            out += (char)(0xF0 | (c >> 18));
            out += (char)(0x80 | ((c >> 12) & 0x3F));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf16WithMark(const std::u32string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    auto unit = [&](unsigned u) {
        char hi = (char)(u >> 8), lo = (char)(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (char32_t c : text) {
        if (c < 0x10000) {
            unit((unsigned)c);
        } else {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

