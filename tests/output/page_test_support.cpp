// The export tests' fixture and the loopback listener that stands in for the maker's host.
#include "output/page_test_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

#include "output/page_expect.h"
#include "output/page_frame.h"
#include "store/table_store.h"

void ExportTest::SetUp() {
    DiaryTest::SetUp();
    startAt(2026, 1, 15);  // a Thursday of week 3
    // Whatever host the build names, these tests never reach past a listener of their own.
    pageProbeTarget("", 0);
    resetFrontLog();
}

void ExportTest::TearDown() {
    pageProbeTarget(NULL, 0);
    DiaryTest::TearDown();
}

void ExportTest::slot(int day, int period, char field, int colour, const char* value) {
    char key[32];
    if (colour == 0)
        snprintf(key, sizeof key, "D%dP%d%c", day, period, field);
    else
        snprintf(key, sizeof key, "D%dP%d%c|%d", day, period, field, colour);
    ASSERT_EQ(0, tableOp(TABLE_SET, TIMETABLE_TABLE, key, value));
}

void ExportTest::notes(int week, int day, int period, const std::string& value) {
    char key[32];
    snprintf(key, sizeof key, "W%dD%dP%d", week, day, period);
    ASSERT_EQ(0, tableOp(TABLE_SET, NOTES_TABLE, key, value.c_str()));
}

std::string ExportTest::page(const std::string& name) const { return memoryText(dataBytes(name)); }

LoopbackListener::LoopbackListener() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    struct sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (fd_ < 0 || bind(fd_, (struct sockaddr*)&addr, sizeof addr) != 0 || listen(fd_, 4) != 0 ||
        getsockname(fd_, (struct sockaddr*)&addr, &len) != 0) {
        ADD_FAILURE() << "no loopback listener";
        return;
    }
    port_ = ntohs(addr.sin_port);
}

LoopbackListener::~LoopbackListener() { close(); }

void LoopbackListener::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}
