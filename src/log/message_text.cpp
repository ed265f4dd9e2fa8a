#include "log/message_text.h"

std::string FormatMessageText(const std::string& format, std::initializer_list<std::string> texts) {
  std::string result;
  auto next = texts.begin();
  size_t pos = 0;
  // '%' is never part of a double-byte character, so a byte search is safe.
  for (size_t place; next != texts.end() && (place = format.find("%s", pos)) != std::string::npos; ++next) {
    result.append(format, pos, place - pos);
    result += *next;
    pos = place + 2;
  }
  result.append(format, pos, std::string::npos);
  return result;
}
