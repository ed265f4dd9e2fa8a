#pragma once
// Formatting of the update log: time stamps, the run header and lines.
#include <cstdint>
#include <string>

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "2004-03-26 07:48:30" (full) or "07:48:30" (short).
std::string FormatTimeStamp(const LocalTime& time, bool full);

// CR LF "[" full stamp "]" CR LF: one empty line separates runs in the file.
std::string FormatRunHeader(const LocalTime& time);

// Short stamp, a blank, the message, CR LF; without time just message CR LF.
// A message holding CR LF is kept as it stands.
std::string FormatLogLine(const LocalTime& time, const std::string& message, bool withTime);

// File name of the log inside the LOGS folder: user name + "Update.LOG".
std::string LogFileName(const std::string& userName);

// A log longer than this is moved to the ".old" copy at the start of a run.
constexpr uint64_t kLogRotationLimit = 1048576;
inline bool LogNeedsRotation(uint64_t size) { return size > kLogRotationLimit; }
