// Snapshots of a data folder tree and the checks that no version but the old or the new one
// of a file is ever left behind.
#include "hardening/hardening_support.h"

#include <filesystem>
#include <system_error>

#include "platform/platform.h"
#include "records/store_version.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

static const char* const kAbsent = "<absent>";

Snapshot snapshotTree(const std::string& folder) {
    Snapshot s;
    std::error_code ec;
    if (!fs::exists(folder, ec)) return s;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        // The entries all lie under folder: cutting its text off is enough (and cheap).
        std::string name = it->path().generic_string().substr(fs::path(folder).generic_string().size() + 1);
        // The lock file of a running copy holds no data.
        if (name == "wkb_db/wkb.lock") continue;
        s[name] = it->is_directory() ? "<folder>" : readBytes(it->path().string());
    }
    return s;
}

void writeFullStore(const std::string& base) {
    std::string folder = base + WKB_SEP "wkb_db";
    fs::create_directories(folder + WKB_SEP ".tmp");
    auto put = [&](const char* name, const std::string& text) { writeBytes(folder + WKB_SEP + name, crlf(text)); };
    put(".wkb.rc",
        "##################################################################\n"
        "#        RC for WKB. Please, do not edit manually!\n"
        "##################################################################\n"
        "version=" CURRENT_VERSION "\ninfo=yes\nbip=yes\nteacher=no\ntitle=Class 4b\n");
    put("wkb_hd.data", "D1P0C=Math\nD1P0T=Smith\nD1P0L=R12\nD4P1C|2=Bio\nD4P1C=Art\n");
    put("wkb_txt.data", "W3D4P1=read p. 12 |learn words\nW3D1P0=test\nW2D4P1=old note\n");
    put("weeks.dat", "### Weeks colors data. Please do not edit.\n2=1\n3=2\n");
    put("hdvalues.dat", "[C]Math\n[C]Art\n[T]Smith\n[L]R12\n");
}

static const std::string& valueOf(const Snapshot& s, const std::string& name) {
    static const std::string absent = kAbsent;
    auto it = s.find(name);
    return it == s.end() ? absent : it->second;
}

std::string oldOrNew(const Snapshot& before, const Snapshot& after, const Snapshot& got) {
    Snapshot names = before;
    names.insert(after.begin(), after.end());
    names.insert(got.begin(), got.end());
    for (const auto& entry : names) {
        const std::string& g = valueOf(got, entry.first);
        if (g == valueOf(before, entry.first) || g == valueOf(after, entry.first)) continue;
        return entry.first + " is neither its old nor its new version: [" + g + "]";
    }
    return "";
}

std::string tablesKept(const Snapshot& before, const Snapshot& got) {
    for (const char* table : {"wkb_hd", "wkb_txt"}) {
        std::string data = std::string("wkb_db/") + table + ".data";
        const std::string& old = valueOf(before, data);
        if (old == kAbsent || old.empty() || valueOf(got, data) == old) continue;
        bool kept = false;
        std::string prefix = std::string("wkb_db/") + table + ".bak";
        for (const auto& entry : got)
            if (entry.first.compare(0, prefix.size(), prefix) == 0 && entry.second == old) kept = true;
        if (!kept) return table;
    }
    return "";
}
