#include "source_times.h"

#include "filetime.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#ifdef _WIN32

namespace {
uint64_t Ticks(const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; }
}  // namespace

bool ReadSourceTimes(const std::string& path, ArchiveTimes& times) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  times.created = Ticks(data.ftCreationTime);
  times.accessed = Ticks(data.ftLastAccessTime);
  times.written = Ticks(data.ftLastWriteTime);
  return true;
}

#else

bool ReadSourceTimes(const std::string& path, ArchiveTimes& times) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return false;
  times.written = UnixToFileTime({int64_t(info.st_mtim.tv_sec), int32_t(info.st_mtim.tv_nsec)});
  times.accessed = UnixToFileTime({int64_t(info.st_atim.tv_sec), int32_t(info.st_atim.tv_nsec)});
  times.created = times.written;
  return true;
}

#endif
