#include "app/report_file_win.h"

#include <windows.h>

#include "platform/file_win.h"

bool WriteReportFile(const std::string& path, const std::string& report) {
  FileHandle file(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file.IsOpen()) return false;
  if (file.WriteAll(report.data(), DWORD(report.size())) && file.Close()) return true;
  file.Close();
  DeleteFileA(path.c_str());
  return false;
}
