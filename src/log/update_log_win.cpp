#include "log/update_log.h"

#include <windows.h>

#include "log/log_format.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/file_win.h"

namespace {

LocalTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string UserName() {
  char name[100] = {};
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size)) return std::string();
  return name;
}

// Opens the log for appending without sharing, creating it when missing.
FileHandle OpenForAppend(const std::string& path, DWORD disposition = OPEN_ALWAYS) {
  return FileHandle(path, GENERIC_WRITE, 0, disposition);
}

}  // namespace

std::string UpdateLog::LogFilePath() const {
  std::string folder = programDir_ + "LOGS";
  CreateFolderPath(folder);
  std::string path = folder + "\\" + LogFileName(UserName());
  // The rotation copy adds ".old"; refuse a path whose copy would not fit.
  return FitsPathLimit(path + ".old") ? path : std::string();
}

int UpdateLog::StartRunLog() {
  started_ = true;
  if (memoryOnly_) return 1;
  std::string path = LogFilePath();
  if (path.empty()) return 0;
  FileHandle file = OpenForAppend(path);
  if (!file.IsOpen()) return 0;
  uint64_t size = 0;
  if (file.Size(size) && LogNeedsRotation(size)) {
    file.Close();
    // Restart the log only once its contents are safe in the rotation copy;
    // when the copy fails the log simply grows on.
    bool saved = CopyFileA(path.c_str(), (path + ".old").c_str(), FALSE) != 0;
    if (saved) DeleteFileA(path.c_str());
    file = OpenForAppend(path, saved ? CREATE_ALWAYS : OPEN_ALWAYS);
    if (!file.IsOpen()) return 0;
  }
  std::string header = FormatRunHeader(Now());
  return file.SeekToEnd() && file.WriteAll(header.data(), DWORD(header.size())) ? 1 : 0;
}

int UpdateLog::AppendLine(std::string message, bool withTime) {
  std::string line = FormatLogLine(Now(), message, withTime);
  text += line;
  if (memoryOnly_) return 1;
  std::string path = LogFilePath();
  if (path.empty()) return 0;
  FileHandle file = OpenForAppend(path);
  if (!file.IsOpen()) return 0;
  return file.SeekToEnd() && file.WriteAll(line.data(), DWORD(line.size())) ? 1 : 0;
}
