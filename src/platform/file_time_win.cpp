#include "platform/file_time_win.h"

bool LocalModificationTime(const std::string& path, SYSTEMTIME& local) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  FILETIME localTime;
  return FileTimeToLocalFileTime(&data.ftLastWriteTime, &localTime) && FileTimeToSystemTime(&localTime, &local);
}
