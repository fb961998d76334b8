// Notifications: the one way the diary shows messages, asks questions and opens the input
// dialog, and its beep. Also the about and version texts.
#pragma once

#define NOTIFY_INFO 0
#define NOTIFY_ERROR 1
#define NOTIFY_QUESTION 2
#define NOTIFY_INPUT 3
#define NOTIFY_INTRO 5

// Shows text by kind; returns the answer of a question (1 Yes, 0 No), 1 when the input
// dialog could not be opened, else 0.
int notify(const char* text, int kind);
// One beep, 400 Hz for 100 ms, whatever beepOn says.
void shortBeep();
// The about text, which also opens the start-up message.
const char* aboutText();
void showAbout();
void showVersion();
