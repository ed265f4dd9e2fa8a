#include "engine/file_date_win.h"

#include "engine/date_text.h"
#include "platform/file_time_win.h"

int IsFileDateOlder(const std::string& path, const std::string& dateText) {
  SYSTEMTIME modified;
  if (!LocalModificationTime(path, modified)) return 1;
  CalendarDate fileDate{modified.wYear, modified.wMonth, modified.wDay};
  return IsLaterDate(ParseDateText(dateText), fileDate) ? 1 : 0;
}
