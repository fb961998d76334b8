// A test fixture with a fresh data folder, a zeroed DiaryState, the recording front end, no
// armed faults and a clock fixed at a known day. Native build.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "support/recording_frontend.h"
#include "support/temp_folder.h"

class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Path of a file in the data folder.
    std::string data(const std::string& name) const;
    // Bytes of a file in the data folder ("" when missing).
    std::string dataBytes(const std::string& name) const;
    // Writes a file of the data folder from memory text ("\n" becomes CR LF).
    void writeData(const std::string& name, const std::string& text) const;
    // Creates the data folder (empty).
    void makeDataFolder() const;
    // Runs start-up as the program does, with "today" at the given local date, 12:00.
    void startAt(int year, int month, int day);

    TempFolder base;
};

// Local time of a date at the given hour, for platformSetNow.
long long localTime(int year, int month, int day, int hour = 12);
