#include "catalogue_edit.h"

#include "catalog/ini_text.h"

namespace {

// The section name of a header line, as the INI reader takes it: up to the
// line's last ']', blanks trimmed. False when the line is no header.
bool HeaderName(std::string_view rawLine, std::string& name) {
  const std::string line(ini_text::TrimBlanks(ini_text::Normalize(rawLine)));
  if (line.empty() || line[0] != '[') return false;
  size_t close = std::string::npos;
  for (size_t i = 1; i < line.size(); i += ini_text::CharLength(line, i))
    if (line[i] == ']') close = i;
  if (close == std::string::npos) return false;
  name = std::string(ini_text::TrimBlanks(line.substr(1, close - 1)));
  return true;
}

}  // namespace

bool InsertKeyLines(std::string& text, const std::string& section, const std::vector<std::string>& lines) {
  const std::string wanted = ini_text::FoldCase(section);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string name;
    if (HeaderName(std::string_view(text).substr(pos, end - pos), name) && ini_text::FoldCase(name) == wanted) {
      std::string added;
      if (end == text.size()) added = "\r\n";
      for (const std::string& line : lines) added += line + "\r\n";
      size_t after = end;
      if (after < text.size() && text[after] == '\r') ++after;
      if (after < text.size() && text[after] == '\n') ++after;
      text.insert(after, added);
      return true;
    }
    pos = end + 1;
  }
  return false;
}
