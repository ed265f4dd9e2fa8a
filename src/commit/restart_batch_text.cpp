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

// The line cut at blanks; short paths hold none.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while ((at = line.find_first_not_of(' ', at)) != std::string::npos) {
    const size_t end = line.find(' ', at);
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

}  // namespace

std::vector<std::string> BatchDestinations(const std::string& batchText) {
  std::vector<std::string> destinations;
  size_t start = 0;
  while (start < batchText.size()) {
    size_t end = batchText.find("\r\n", start);
    if (end == std::string::npos) end = batchText.size();
    const std::vector<std::string> words = Words(batchText.substr(start, end - start));
    start = end + 2;
    if (words.size() < 2 || words[0] != "@if" || words[1] != "exist") continue;
    const bool moverLine = words.size() == 6 && words[2] == words[4];                   // @if exist S M S D
    const bool copyLine = words.size() == 7 && words[3] == "copy" && words[4] == "/y";  // @if exist S copy /y S D
    if (moverLine || copyLine) destinations.push_back(words.back());
  }
  return destinations;
}

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
