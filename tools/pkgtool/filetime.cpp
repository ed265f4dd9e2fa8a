#include "filetime.h"

#include <limits>

namespace {
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kUnixEpochTicks = 116444736000000000;  // 1970-01-01 in FILETIME ticks
}  // namespace

bool FileTimeToUnix(uint64_t fileTime, UnixTime& unix) {
  if (fileTime > uint64_t(std::numeric_limits<int64_t>::max())) return false;
  int64_t ticks = int64_t(fileTime) - kUnixEpochTicks;
  int64_t seconds = ticks / kTicksPerSecond;
  int64_t rest = ticks % kTicksPerSecond;
  if (rest < 0) {
    rest += kTicksPerSecond;
    --seconds;
  }
  unix.seconds = seconds;
  unix.nanoseconds = int32_t(rest * 100);
  return true;
}

uint64_t UnixToFileTime(const UnixTime& unix) {
  int64_t ticks = unix.seconds * kTicksPerSecond + unix.nanoseconds / 100 + kUnixEpochTicks;
  return ticks < 0 ? 0 : uint64_t(ticks);
}
