#pragma once
// Windows FILETIME values (100-ns units since 1601-01-01 UTC) as Unix times.
#include <cstdint>

struct UnixTime {
  int64_t seconds = 0;  // since 1970-01-01 UTC, negative before
  int32_t nanoseconds = 0;  // 0 to 999999999
};

// False when the value lies beyond what a signed 64-bit FILETIME can hold.
bool FileTimeToUnix(uint64_t fileTime, UnixTime& unix);

// The FILETIME of a Unix time; times before 1601 give 0.
uint64_t UnixToFileTime(const UnixTime& unix);
