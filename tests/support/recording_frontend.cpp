// Recording implementation of the front-end seam for the native tests.
#include "support/recording_frontend.h"

#include <cstdio>
#include <cstring>

#include "core/frontend.h"

FrontRecord frontLog;

void resetFrontLog() { frontLog = FrontRecord(); }

std::vector<std::string> frontCalls(const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& c : frontLog.calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

static const char* iconName(FrontIcon icon) {
    switch (icon) {
        case FRONT_ICON_INFORMATION: return "information";
        case FRONT_ICON_ERROR: return "error";
        case FRONT_ICON_QUESTION: return "question";
    }
    return "?";
}

void frontMessageBox(const char* text, const char* title, FrontIcon icon) {
    frontLog.calls.push_back(std::string("box|") + title + "|" + iconName(icon) + "|" + text);
}

int frontAskYesNo(const char* text) {
    frontLog.calls.push_back(std::string("ask|") + text);
    if (frontLog.answers.empty()) return 0;
    int a = frontLog.answers.front();
    frontLog.answers.erase(frontLog.answers.begin());
    return a;
}

int frontAskYesNoUtf8(const char* text) { return frontAskYesNo(text); }

int frontOpenInputDialog(const char* prompt) {
    frontLog.calls.push_back(std::string("input|") + prompt);
    return frontLog.inputDialogFails ? 1 : 0;
}

void frontSetStatusColour(unsigned long colorref) {
    char hex[16];
    snprintf(hex, sizeof hex, "%06lX", colorref);
    frontLog.statusColour = colorref;
    frontLog.calls.push_back(std::string("colour|") + hex);
}

void frontSetStatusText(const char* text) {
    frontLog.statusText = text;
    frontLog.calls.push_back(std::string("status|") + text);
}

void frontSetSlotLine(const char* text) {
    frontLog.slotLine = text;
    frontLog.calls.push_back(std::string("slot|") + text);
}

void frontSetNotesText(const char* text) {
    frontLog.notes = text;
    frontLog.notesModified = 0;
    frontLog.foreign.clear();
    frontLog.foreignCount = 0;
    frontLog.calls.push_back(std::string("notes|") + text);
}

int frontNotesForeignCharacters(char* out, int size) {
    if (size > 0) snprintf(out, (size_t)size, "%s", frontLog.foreign.c_str());
    return frontLog.foreignCount;
}

int frontNotesModified() { return frontLog.notesModified; }

void frontClearNotesModified() { frontLog.notesModified = 0; }

int frontNotesLength() { return (int)frontLog.notes.size(); }

int frontGetNotesText(char* out, int size) {
    if (size <= 0) return 0;
    size_t n = frontLog.notes.size();
    if (n > (size_t)size - 1) n = (size_t)size - 1;
    memcpy(out, frontLog.notes.data(), n);
    out[n] = '\0';
    return (int)n;
}

void frontSelectTabs(int dayTab, int periodTab) {
    frontLog.dayTab = dayTab;
    frontLog.periodTab = periodTab;
    frontLog.calls.push_back("tabs|" + std::to_string(dayTab) + "|" + std::to_string(periodTab));
}

// Counted apart from the calls, so that the recorded refresh orders stay as the window's.
void frontNotesChanged() { frontLog.notesChanged++; }

void frontSetWindowTitle(const char* title) {
    frontLog.windowTitle = title;
    frontLog.calls.push_back(std::string("title|") + title);
}
