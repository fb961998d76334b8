// Expected page texts built from the fixed texts of the page frame.
#include "output/page_expect.h"

#include "core/build_config.h"

const char* const iconBase64 =
    "AAABAAEAICACAAEAAQAwAQAAFgAAACgAAAAgAAAAQAAAAAEAAQAAAAAAAAEAAAAAAAAAAAAAAgAAAA"
    "AAAAAAAAAA////AAAAAAAAAAAAAAAAAAAAAAAP///gDAAAYA///+AP///gDAAAYA///+AP///gDAAA"
    "YA///+AP///gDAAAYA///+AP///gDAAAYA///+AMkn/gD///4A///+AAAAAAAAAAAAEIIQABCCEAAQ"
    "ghAAEIIQABCCEAAAAAAAAAAAAAAAAA///////////4AAAH4AAAB+AAAAfgAAAH4AAAB+AAAAfgAAAH"
    "4AAAB+AAAAfgAAAH4AAAB+AAAAfgAAAH4AAAB+AAAAfgAAAH4AAAB+AAAAfgAAAH4AAAB+AAAAfgAA"
    "AH4AAAB+AAAA/gAAAP/GOMf/xjjH/+997///////////8=";

std::string expectedHead() {
    std::string head =
        "<!DOCTYPE doctype PUBLIC \"-//w3c//dtd html 4.0 transitional//en\">\n<html>\n<head>\n<title>Document</title>\n"
        "<meta http-equiv=\"content-type\" content=\"text/html; charset=WINDOWS-1252\">\n<meta http-equiv=\"content-style-type\" content=\"text/css\">\n"
        "<style type=\"text/css\">";
    for (const char* h : {"h1", "h2", "h3", "h4"})
        head += std::string(h) + " {\n\tfont-weight: bold;\n\tfont-family: arial, helvetica, sans-serif;\n}\n";
    head += "p {\n\tfont-family: arial, helvetica, sans-serif;\n}\n";
    head += "span.big {\n\tfont-family: arial, helvetica, sans-serif;\n\tfont-weight: bold;\n}\n";
    head += "span.small {\n\tfont-family: arial, helvetica, sans-serif;\n\tfont-size: 10;\n}\n";
    head += "</style>\n</head>\n<body>\n";
    head += "<table cellpadding=\"0\" cellspacing=\"0\" border=\"1\" width=\"800\"\nalign=\"center\" >\n<tr>\n<td bgcolor=\"#dddddd\"><!-- body table -->\n";
    head += "<table width=\"100%\" bgcolor=\"#ffffdd\">\n<tr valign=\"middle\" >\n<td width=\"36\">\n<img src=\n";
    head += "\"data:image/ico;base64,\n";
    std::string icon = iconBase64;
    for (size_t at = 0; at < icon.size(); at += 78) head += icon.substr(at, 78) + (at + 78 < icon.size() ? "\n" : "");
    head += "\" alt=\"QELD\" />";
    head += "</td>\n<td align=\"center\">\n<h1>Agendix</h1>\n</td>\n</tr>\n</table>\n";
    return head;
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
