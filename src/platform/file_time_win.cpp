#include "platform/file_time_win.h"

bool LocalModificationTime(const std::string& path, SYSTEMTIME& local) {
  // FindFirstFileA rather than GetFileAttributesExA, which Windows 95 lacks;
  // a name with wildcards is no file's name.
  if (path.find_first_of("*?") != std::string::npos) return false;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  FILETIME localTime;
  return FileTimeToLocalFileTime(&found.ftLastWriteTime, &localTime) && FileTimeToSystemTime(&localTime, &local);
}
