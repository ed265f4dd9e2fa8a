#include "platform/file_time_win.h"

#include "platform/library_win.h"

namespace {

// A UTC file time as local time with the daylight-saving offset in force at
// that time, so that a file written within an hour of midnight keeps its day.
// SystemTimeToTzSpecificLocalTime works on the NT family only and is looked up
// so that the program still loads on 95/98/Me; there, and whenever it fails,
// the offset in force today is used.
bool ToLocalTime(const FILETIME& utc, SYSTEMTIME& local) {
  using ConvertToZone = BOOL(WINAPI*)(LPTIME_ZONE_INFORMATION, LPSYSTEMTIME, LPSYSTEMTIME);
  const auto convert = SystemFunction<ConvertToZone>("KERNEL32.DLL", "SystemTimeToTzSpecificLocalTime");
  SYSTEMTIME universal;
  if (convert != nullptr && FileTimeToSystemTime(&utc, &universal) && convert(nullptr, &universal, &local))
    return true;
  FILETIME localTime;
  return FileTimeToLocalFileTime(&utc, &localTime) && FileTimeToSystemTime(&localTime, &local);
}

}  // namespace

bool LocalModificationTime(const std::string& path, SYSTEMTIME& local) {
  // FindFirstFileA rather than GetFileAttributesExA, which Windows 95 lacks;
  // a name with wildcards is no file's name.
  if (path.find_first_of("*?") != std::string::npos) return false;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return ToLocalTime(found.ftLastWriteTime, local);
}
