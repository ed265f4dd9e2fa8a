#include "app/report_file_win.h"

#include "app/report_file.h"
#include "commit/os_family_win.h"
#include "platform/file_system_win.h"

bool WriteReportFile(const std::string& path, const std::string& report) {
  return SaveReportFile(SystemFileSystem(), DetectOsFamily(), path, report);
}
