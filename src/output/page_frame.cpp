// The page frame: head, banner and page end of the HTML exports; the reachability probe of
// the maker's web host (once per run); the browser lookup and the launch of a page.
#include "output/page_frame.h"

#include <cstdio>
#include <cstring>

#include "core/build_config.h"
#include "core/diary_state.h"
#include "output/export_file.h"
#include "output/page_icon.h"
#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"

PageFrame pageFrame = {"", WKB_WEB_HOST, 80};

#define FONT_DECLARATION "\tfont-family: arial, helvetica, sans-serif;\n"
#define BOLD_DECLARATION "\tfont-weight: bold;\n"
#define HEADING_RULE(h) h " {\n" BOLD_DECLARATION FONT_DECLARATION "}\n"

static const char headStart[] =
    "<!DOCTYPE doctype PUBLIC \"-//w3c//dtd html 4.0 transitional//en\">\n<html>\n<head>\n"
    "<title>Document</title>\n"
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=";

// After the code page's name.
static const char headRest[] =
    "\">\n"
    "<meta http-equiv=\"content-style-type\" content=\"text/css\">\n"
    "<style type=\"text/css\">"
    HEADING_RULE("h1") HEADING_RULE("h2") HEADING_RULE("h3") HEADING_RULE("h4")
    "p {\n" FONT_DECLARATION "}\n"
    "span.big {\n" FONT_DECLARATION BOLD_DECLARATION "}\n"
    "span.small {\n" FONT_DECLARATION "\tfont-size: 10;\n}\n"
    "</style>\n</head>\n<body>\n"
    "<table cellpadding=\"0\" cellspacing=\"0\" border=\"1\" width=\"800\"\nalign=\"center\" >\n"
    "<tr>\n<td bgcolor=\"#dddddd\"><!-- body table -->\n"
    "<table width=\"100%\" bgcolor=\"#ffffdd\">\n<tr valign=\"middle\" >\n<td width=\"36\">\n"
    "<img src=\n\"data:image/ico;base64,\n";

static const char bannerEnd[] =
    "\" alt=\"QELD\" />"
    "</td>\n<td align=\"center\">\n<h1>Agendix</h1>\n</td>\n</tr>\n</table>\n";

#define ICON_LINE 78

void writePageHead(Rewrite* page) {
    rewriteString(page, headStart);
    // The page declares the code page its text is really in.
    rewriteString(page, platformCharsetName());
    rewriteString(page, headRest);
    // The icon's Base64 text in lines of 78; the last line runs straight into the quote.
    const char* icon = pageIconBase64();
    size_t left = strlen(icon);
    while (left > ICON_LINE) {
        rewriteText(page, icon, ICON_LINE);
        rewriteString(page, "\n");
        icon += ICON_LINE;
        left -= ICON_LINE;
    }
    rewriteText(page, icon, left);
    rewriteString(page, bannerEnd);
}

void pageProbeTarget(const char* host, int port) {
    copyText(pageFrame.probeHost, sizeof pageFrame.probeHost, host != NULL ? host : WKB_WEB_HOST);
    pageFrame.probePort = host != NULL ? port : 80;
}

int probeWebHost() {
    if (diaryState.webReachable == 1 || diaryState.webReachable == 2) return diaryState.webReachable;
    // No host configured: not reachable, and the network is never touched.
    if (pageFrame.probeHost[0] == '\0') return 2;
    return platformProbeTcp(pageFrame.probeHost, pageFrame.probePort) == 0 ? 0 : 2;
}

static void writeFooter(Rewrite* page, int form) {
    if (probeWebHost() < 2) {
        diaryState.webReachable = 1;
        rewriteString(page, "<iframe src=\"http://" WKB_PAGE_HOST "/wkb_pub.html\" "
                            "align=\"center\" scrolling=\"no\" frameborder=\"0\" width=\"800\" "
                            "height=\"120\" ></iframe>\n");
        return;
    }
    diaryState.webReachable = 2;
    if (form == PAGE_END_WEEKS_TABLE)
        rewriteString(page, "<span class=\"small\"><br> HTML produced by " WKB_PUBLISHER " " WKB_WEB_ADDRESS
                            "<br><br></span>\n");
    else
        rewriteString(page, "<span class=\"small\"> HTML produced by " WKB_PUBLISHER " " WKB_WEB_ADDRESS
                            " </span>\n");
}

void writePageEnd(Rewrite* page, int form) {
    if (form == PAGE_END_WEEKS_TABLE)
        rewriteString(page, "<tr align=\"center\" bgcolor=\"#ffffdd\"><td>\n");
    else
        rewriteString(page, "</td>\n</tr>\n<tr width=\"100%\">\n"
                            "<td bgcolor=\"#ffffdd\" align=\"center\" width=\"100%\">\n");
    writeFooter(page, form);
    rewriteString(page, "</td>\n</tr>\n</table><!-- body table -->\n</body>\n</html>\n");
}

void browserFromAssociation(const char* text, char* out, int size) {
    if (size <= 0) return;
    if (text[0] != '"') {
        copyText(out, (size_t)size, text);
        return;
    }
    const char* start = text + 1;
    const char* end = strchr(start, '"');
    size_t n = end != NULL ? (size_t)(end - start) : strlen(start);
    if (n >= (size_t)size) n = (size_t)size - 1;
    memcpy(out, start, n);
    out[n] = '\0';
}

int findBrowser() {
    char text[BROWSER_PATH_SIZE];
    if (platformFindBrowser(text, sizeof text) != 0) return 1;
    browserFromAssociation(text, pageFrame.browserPath, sizeof pageFrame.browserPath);
    // An empty command names no program: take it as no browser registered.
    return pageFrame.browserPath[0] != '\0' ? 0 : 1;
}

void openInBrowser(const char* name) {
    char quoted[sizeof filePath + 2];
    snprintf(quoted, sizeof quoted, "\"%s\"", dataFilePath(name));
    const char* browser = findBrowser() == 0 ? pageFrame.browserPath : FALLBACK_BROWSER;
    platformLaunch(browser, quoted);
}

int exportPage(const char* name, const char* what, void (*body)(Rewrite* page), int form) {
    Rewrite page;
    if (beginExport(&page, name, what) != 0) return 1;
    writePageHead(&page);
    body(&page);
    writePageEnd(&page, form);
    if (finishExport(&page, what) != 0) return 1;
    openInBrowser(name);
    return 0;
}
