#include "log/log_format.h"

#include <cstdio>

std::string FormatTimeStamp(const LocalTime& t, bool full) {
  char buffer[64];
  if (full)
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
  else
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buffer;
}

std::string FormatRunHeader(const LocalTime& time) { return "\r\n[" + FormatTimeStamp(time, true) + "]\r\n"; }

std::string FormatLogLine(const LocalTime& time, const std::string& message, bool withTime) {
  if (!withTime) return message + "\r\n";
  return FormatTimeStamp(time, false) + " " + message + "\r\n";
}

std::string LogFileName(const std::string& userName) { return userName + "Update.LOG"; }
