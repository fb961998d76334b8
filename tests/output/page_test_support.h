// Shared set-up of the export tests: a started diary with a fresh store, the probe kept off
// the network, and helpers that fill the timetable and the notes.
#pragma once
#include <string>

#include "support/diary_fixture.h"

class ExportTest : public DiaryTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Stores a timetable value: field 'C', 'T' or 'L', colour 0 for the colour-less entry.
    void slot(int day, int period, char field, int colour, const char* value);
    void notes(int week, int day, int period, const std::string& value);
    // A file of the data folder as memory text (see memoryText).
    std::string page(const std::string& name) const;
    // The quoted path the browser receives for a page.
    std::string quoted(const std::string& name) const { return "\"" + data(name) + "\""; }
};

// A TCP listener on 127.0.0.1 at a free port, closed when it goes.
class LoopbackListener {
public:
    LoopbackListener();
    ~LoopbackListener();
    void close();
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};
