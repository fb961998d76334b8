// The agenda page: a plain page of its own (no banner, no footer, so nothing is probed), in the
// code page the other pages declare, with a small style sheet for printing on A4.
#include "output/agenda_page.h"

#include "core/diary_state.h"
#include "output/export_file.h"
#include "output/html_text.h"
#include "output/page_frame.h"
#include "platform/platform.h"
#include "records/note_marks.h"

static const char pageStyle[] =
    "<style type=\"text/css\">\n"
    "@page { size: A4; margin: 12mm; }\n"
    "body { font-family: arial, helvetica, sans-serif; font-size: 9pt; }\n"
    "h3 { font-size: 11pt; margin: 0 0 4pt 0; }\n"
    "table { border-collapse: collapse; width: 100%; }\n"
    "th, td { border: 1px solid #999999; padding: 2pt 4pt; text-align: left; vertical-align: top; }\n"
    "th { background: #dddddd; }\n"
    "tr { page-break-inside: avoid; }\n"
    "</style>\n";

static void writeHead(Rewrite* page, const char* today) {
    rewriteString(page, "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html>\n<head>\n"
                        "<meta http-equiv=\"content-type\" content=\"text/html; charset=");
    rewriteString(page, platformCharsetName());
    rewriteString(page, "\">\n<title>Agenda</title>\n");
    rewriteString(page, pageStyle);
    rewriteString(page, "</head>\n<body>\n<h3>Agenda, ");
    writeEscaped(page, today);
    rewriteString(page, "</h3>\n<table>\n<tr><th>Date</th><th>Period</th><th>Course</th><th>Note</th><th>Marks</th></tr>\n");
}

// The note escaped, each line end as "<br>".
static void writeNoteCell(Rewrite* page, const char* note) {
    for (const char* p = note; *p != '\0'; p++) {
        const char* entity = htmlEntity(*p);
        if (*p == '\n') rewriteString(page, "<br>");
        else if (*p == '\r') continue;  // a line end is CR LF: its LF makes the break
        else if (entity != NULL) rewriteString(page, entity);
        else rewriteText(page, p, 1);
    }
}

static void writeRow(Rewrite* page, const AgendaPageRow* row) {
    rewriteString(page, "<tr><td>");
    writeEscaped(page, row->date);
    rewriteString(page, "</td><td>");
    rewriteString(page, row->period >= 0 && row->period <= 9 ? periodNames[row->period] : "");
    rewriteString(page, "</td><td>");
    writeEscaped(page, row->course);
    rewriteString(page, "</td><td>");
    writeNoteCell(page, row->note);
    rewriteString(page, "</td><td>");
    const char* words[3] = {(row->marks & MARK_DONE) ? "done" : NULL, (row->marks & MARK_TEST) ? "test" : NULL,
                            row->cancelled ? "cancelled" : NULL};
    int written = 0;
    for (const char* word : words) {
        if (word == NULL) continue;
        if (written++ > 0) rewriteString(page, " ");
        rewriteString(page, word);
    }
    rewriteString(page, "</td></tr>\n");
}

int writeAgendaPage(const char* today, const AgendaPageRow* rows, int count) {
    const char* what = "the agenda page";
    Rewrite page;
    if (beginExport(&page, AGENDA_PAGE_FILE, what) != 0) return 1;
    writeHead(&page, today);
    for (int i = 0; i < count; i++) writeRow(&page, &rows[i]);
    rewriteString(&page, "</table>\n</body>\n</html>\n");
    if (finishExport(&page, what) != 0) return 1;
    openInBrowser(AGENDA_PAGE_FILE);
    return 0;
}
