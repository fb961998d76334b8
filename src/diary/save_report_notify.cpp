// Storage's failure reports reach the user as error boxes through notify.
#include "diary/notify.h"
#include "store/save_report.h"

void saveReportShow(const char* text) { notify(text, NOTIFY_ERROR); }
