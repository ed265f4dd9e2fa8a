#include "app/report_file_win.h"

#include <windows.h>

#include "platform/file_win.h"

bool WriteReportFile(const std::string& path, const std::string& report) {
  FileHandle file(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  return file.IsOpen() && file.WriteAll(report.data(), DWORD(report.size()));
}
