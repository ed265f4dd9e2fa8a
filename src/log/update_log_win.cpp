#include "log/update_log.h"

#include <windows.h>

#include "log/log_format.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/file_system_win.h"

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

}  // namespace

UpdateLog::~UpdateLog() { Close(); }

std::string UpdateLog::LogFilePath() const {
  std::string folder = programDir_ + "LOGS";
  CreateFolderPath(folder);
  std::string path = folder + "\\" + LogFileName(UserName());
  // The rotation copy adds ".old"; refuse a path whose copy would not fit.
  return FitsPathLimit(path + ".old") ? path : std::string();
}

int UpdateLog::StartRunLog() {
  started_ = true;
  running_ = true;
  if (memoryOnly_) return 1;
  const std::string path = LogFilePath();
  if (path.empty()) return 0;
  FileSystem& files = SystemFileSystem();
  // Read and write access, others may read: kept open until the run ends.
  file_ = files.Open(path, FileOpen::kReadWrite);
  if (file_ == kNoFile) return 0;
  uint64_t size = 0;
  if (files.Size(file_, size) && LogNeedsRotation(size)) {
    Close();
    // Restart the log only once its contents are safe in the rotation copy;
    // when the copy fails the log simply grows on.
    const bool saved = CopyFileA(path.c_str(), (path + ".old").c_str(), FALSE) != 0;
    if (saved) files.Delete(path);
    file_ = files.Open(path, saved ? FileOpen::kCreateAlways : FileOpen::kReadWrite);
    if (file_ == kNoFile) return 0;
  }
  const std::string header = FormatRunHeader(Now());
  if (files.SeekToEnd(file_) && files.Write(file_, header.data(), uint32_t(header.size()))) return 1;
  Close();
  return 0;
}

void UpdateLog::EndRunLog() {
  running_ = false;
  Close();
}

int UpdateLog::AppendLine(std::string message, bool withTime) {
  const std::string line = FormatLogLine(Now(), message, withTime);
  text += line;
  if (memoryOnly_) return 1;
  if (file_ == kNoFile && !OpenForAppend()) return 0;
  const bool written = SystemFileSystem().Write(file_, line.data(), uint32_t(line.size()));
  // Outside a run the file is not held; after a failed write the next line
  // opens it afresh.
  if (!written || !running_) Close();
  return written ? 1 : 0;
}

bool UpdateLog::OpenForAppend() {
  // The path anew: this also makes the LOGS folder again if it was removed.
  const std::string path = LogFilePath();
  if (path.empty()) return false;
  FileSystem& files = SystemFileSystem();
  file_ = files.Open(path, FileOpen::kReadWrite);
  if (file_ != kNoFile && files.SeekToEnd(file_)) return true;
  Close();
  return false;
}

void UpdateLog::Close() {
  if (file_ == kNoFile) return;
  SystemFileSystem().Close(file_);
  file_ = kNoFile;
}
