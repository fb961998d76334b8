// Expected page texts: the golden head, the page ends written out, and the disk-to-memory view.
#include "output/page_expect.h"

#include "core/build_config.h"
#include "support/golden.h"

std::string expectedHead() { return goldenText("page_head.html"); }

std::string expectedIconBase64() {
    std::string head = expectedHead();
    const std::string from = "base64,\n", to = "\" alt=";
    size_t start = head.find(from), end = head.find(to);
    if (start == std::string::npos || end == std::string::npos) return "";
    std::string icon;
    for (size_t i = start + from.size(); i < end; i++)
        if (head[i] != '\n') icon += head[i];
    return icon;
}

std::string expectedEnd(bool weeksForm, bool reachable) {
    std::string end = weeksForm ? "<tr align=\"center\" bgcolor=\"#ffffdd\"><td>\n"
                                : "</td>\n</tr>\n<tr width=\"100%\">\n<td bgcolor=\"#ffffdd\" align=\"center\" width=\"100%\">\n";
    if (reachable)
        end += "<iframe src=\"http://" WKB_PAGE_HOST "/wkb_pub.html\" align=\"center\" scrolling=\"no\" frameborder=\"0\" width=\"800\" height=\"120\" ></iframe>\n";
    else if (weeksForm)
        end += "<span class=\"small\"><br> HTML produced by QELD software " WKB_WEB_ADDRESS "<br><br></span>\n";
    else
        end += "<span class=\"small\"> HTML produced by QELD software " WKB_WEB_ADDRESS " </span>\n";
    return end + "</td>\n</tr>\n</table><!-- body table -->\n</body>\n</html>\n";
}

std::string big(const std::string& value) { return "<span class=\"big\">" + value + "<br></span>\n"; }

std::string memoryText(const std::string& diskBytes) {
    std::string text;
    for (size_t i = 0; i < diskBytes.size(); i++) {
        if (diskBytes[i] == '\r' && i + 1 < diskBytes.size() && diskBytes[i + 1] == '\n') continue;
        if (diskBytes[i] == '\n' && (i == 0 || diskBytes[i - 1] != '\r')) {
            text += "<LF!>";
            continue;
        }
        text += diskBytes[i];
    }
    return text;
}
