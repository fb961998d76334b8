// The one list of the files in the data folder, a row per file: its name, its previous version
// kept beside it, what it holds in the user's words, whether snapshots (and so restore and the
// new school year) carry it, whether a copy of it is kept in memory between reads, and the
// longest name the store gives a file of its own. What follows from the list is derived here:
// the snapshots' files, the number of copies kept in memory, and the longest name that decides
// whether a folder's path is short enough. A new data file is a new row.
#pragma once

#include <cstddef>

struct DataFile {
    const char* name;
    const char* previous;  // the version before its last change, or nullptr
    const char* what;      // "the notes"; nullptr for a file that is no data of the user's
    bool snapshot;         // snapshots, restore and the new school year's swap carry it
    bool kept;             // read from a copy kept in memory while it is unchanged
    const char* longest;   // its longest companion: a copy of it, a temporary name
};

inline constexpr DataFile dataFiles[] = {
    {"wkb_hd.data", "wkb_hd.tmp", "the timetable", true, true, "wkb_hd.bak99.copy"},
    {"wkb_txt.data", "wkb_txt.tmp", "the notes", true, true, "wkb_txt.bak99.copy"},
    {"weeks.dat", "weeks.tmp", "the week colours", true, true, "weeks.was.link"},
    {"hdvalues.dat", nullptr, "the value lists", true, false, "hdvalues.was.link"},
    {".wkb.rc", nullptr, "the settings", true, true, ".wkb.was.link"},
    {"changes.dat", nullptr, "the lesson changes", true, true, "changes.was.link"},
    {"marks.dat", nullptr, "the done and test marks", true, true, "marks.was.link"},
    {"today.html", nullptr, nullptr, false, false, "today.html.part"},
    {"week.html", nullptr, nullptr, false, false, "week.html.part"},
    {"weeks.html", nullptr, nullptr, false, false, "weeks.html.part"},
    {"daylist.gpe", nullptr, nullptr, false, false, "daylist.gpe.part"},
    {"timetable.ics", nullptr, nullptr, false, false, "timetable.ics.part"},
    {"agenda.html", nullptr, nullptr, false, false, "agenda.html.part"},
    {"wkb.lock", nullptr, nullptr, false, false, "wkb.lock"},
    {"swap.jnl", nullptr, nullptr, false, false, "swap.jnl.new"},
};
inline constexpr int DATA_FILE_COUNT = (int)(sizeof dataFiles / sizeof dataFiles[0]);

constexpr size_t dataNameLength(const char* text) {
    size_t n = 0;
    while (text != nullptr && text[n] != '\0') n++;
    return n;
}

// The names that snapshots carry, in the order they are copied.
struct SnapshotFileList {
    const char* names[DATA_FILE_COUNT];
    int count;
    size_t longest;  // the longest of the names
};

constexpr SnapshotFileList snapshotFileList() {
    SnapshotFileList list{};
    for (const DataFile& f : dataFiles) {
        if (!f.snapshot) continue;
        list.names[list.count++] = f.name;
        if (dataNameLength(f.name) > list.longest) list.longest = dataNameLength(f.name);
    }
    return list;
}

constexpr int keptFileCount() {
    int n = 0;
    for (const DataFile& f : dataFiles) n += f.kept;
    return n;
}

constexpr size_t longestDataName() {
    size_t n = 0;
    for (const DataFile& f : dataFiles) {
        const char* const names[] = {f.name, f.previous, f.longest};
        for (const char* name : names)
            if (dataNameLength(name) > n) n = dataNameLength(name);
    }
    return n;
}

inline constexpr SnapshotFileList snapshotFiles = snapshotFileList();
#define SNAPSHOT_FILE_COUNT (snapshotFiles.count)
// Copies kept in memory at once: one per kept file.
inline constexpr int KEPT_FILE_COUNT = keptFileCount();
// Every name the store gives a file in the data folder has at most this many characters.
inline constexpr size_t DATA_NAME_MAX = longestDataName();

// "The timetable, the notes, the week colours, the value lists and the settings": what a
// snapshot holds, in the user's words (out: 200 bytes or more).
void describeSnapshotFiles(char* out, int size);
