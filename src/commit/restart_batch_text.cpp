#include "commit/restart_batch_text.h"

#include <initializer_list>

namespace {

// The lines, each with "@" and CR LF; empty when one of them is too long.
std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (line.size() + 1 > kMaxDosLine) return std::string();
    text += "@" + line + "\r\n";
  }
  return text;
}

}  // namespace

std::string MoverGroup(const std::string& mover, const std::string& staged, const std::string& destination) {
  return Lines({"if exist " + staged + " " + mover + " " + staged + " " + destination,
                "if exist " + staged + " set " + kKeepBatchVariable + "=1"});
}

std::string FallbackGroup(const std::string& attrib, const std::string& staged, const std::string& destination) {
  return Lines({"if exist " + destination + " " + attrib + " -s -h -r " + destination,
                "if exist " + staged + " copy /y " + staged + " " + destination,
                "if exist " + staged + " del " + staged});
}

std::string StartFileText(const std::string& batch, const std::string& mover) {
  const std::string kept = std::string("if \"%") + kKeepBatchVariable + "%\"==\"\" ";
  std::string lines = Lines({std::string("set ") + kKeepBatchVariable + "=", "if exist " + batch + " call " + batch,
                             kept + "if exist " + batch + " del " + batch, kept + "if exist " + mover + " del " + mover});
  return lines.empty() ? lines : "\r\n" + lines;
}

std::string StartTextToAppend(const std::string& fileText, const std::string& startText) {
  return fileText.find(startText) == std::string::npos ? startText : std::string();
}
