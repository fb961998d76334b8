// The common frame of the HTML pages: the head with its style sheet and banner, the page end
// with the footer that depends on the maker's web host, the one probe of that host per run,
// the browser lookup and the launch. Offers writePageHead, writePageEnd, probeWebHost,
// findBrowser, browserFromAssociation, openInBrowser and exportPage.
#pragma once

#include "store/text_file.h"

// Forms of the page end: the day page and the week grid, or the weeks table.
#define PAGE_END_STANDARD 0
#define PAGE_END_WEEKS_TABLE 1

#define BROWSER_PATH_SIZE 360
#define FALLBACK_BROWSER "c:\\Program Files\\Internet Explorer\\iexplore.exe"

// What the page frame keeps for the whole run (whether the web host answered is the
// DiaryState's webReachable).
struct PageFrame {
    char browserPath[BROWSER_PATH_SIZE];  // the browser findBrowser found last
    char probeHost[256];                  // the host the probe tries: the configured web host
    int probePort;
};

extern PageFrame pageFrame;

// Head, style sheet and banner; the page is then inside the first cell of the outer table.
void writePageHead(Rewrite* page);
// Footer row opening of the form, the footer (after probeWebHost) and the tail; sets
// webReachable to 1 or 2.
void writePageEnd(Rewrite* page, int form);
// 0 just probed and reachable, 2 not reachable, or the cached 1 or 2 of webReachable.
int probeWebHost();
// 0 with pageFrame.browserPath filled, or 1 when no browser is registered for "http".
int findBrowser();
// The executable of a registered command text into out (size bytes): the text between the
// first two double quotes when it begins with one (up to its end without a second), else all.
void browserFromAssociation(const char* text, char* out, int size);
// Opens the data folder's page file name in the browser; the result of the launch is ignored.
void openInBrowser(const char* name);
// Writes the page name (head, body, end of the form) crash-safely and opens it in the browser.
// 0, or 1 when it could not be written (the user is told; no browser is started).
int exportPage(const char* name, const char* what, void (*body)(Rewrite* page), int form);

// A seam for tests: probes host:port instead of the configured web host; NULL gives the
// configuration back.
void pageProbeTarget(const char* host, int port);
