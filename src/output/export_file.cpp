// Crash-safe writing of the export files, with the user told when the data folder refuses.
#include "output/export_file.h"

#include <cstdio>
#include <cstring>

#include "platform/bounded_text.h"
#include "platform/platform.h"
#include "store/data_folder.h"
#include "store/save_report.h"

int beginExport(Rewrite* file, const char* name, const char* what) {
    char target[sizeof filePath];
    copyText(target, sizeof target, dataFilePath(name));
    // The new version is written under the name with ".part" added, then renamed over it.
    char temp[sizeof filePath + 8];
    snprintf(temp, sizeof temp, "%s.part", target);
    // A path that is cut or too long for the rewrite names no file: refuse it.
    platformClearError();
    if (target[0] == '\0' || (int)strlen(temp) >= (int)sizeof file->tempPath ||
        rewriteBegin(file, target, temp) != 0) {
        file->out = NULL;
        reportSaveFailure(what, 0);
        return 1;
    }
    return 0;
}

int finishExport(Rewrite* file, const char* what) {
    if (rewriteCommit(file) == 0) return 0;
    reportSaveFailure(what, 0);
    return 1;
}
