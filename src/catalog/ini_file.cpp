#include "catalog/ini_file.h"

#include <algorithm>

#include "catalog/ini_int.h"
#include "catalog/ini_text.h"

using namespace ini_text;

namespace {

std::string EntryKey(std::uint32_t section, std::string_view foldedKey) {
  std::string id(reinterpret_cast<const char*>(&section), sizeof section);
  id += foldedKey;
  return id;
}

// One pair of equal quotes (' or ") around a text of two or more bytes goes.
// Quotes are below every trail byte, so the last byte is a whole character.
std::string_view StripQuotes(std::string_view text) {
  if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
    return text.substr(1, text.size() - 2);
  return text;
}

// Trailing spaces (spaces only) leave a default, but never its first byte.
std::string_view TrimDefault(std::string_view text) {
  std::size_t end = text.size();
  while (end > 1 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

}  // namespace

IniFile::IniFile(std::string_view fileBytes) {
  const std::string text = DecodeFile(fileBytes);
  // One entry per line at most; reserving keeps large files from rehashing.
  const std::size_t lines = std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r') + 1;
  entries_.reserve(lines);
  entryIds_.reserve(lines);
  // Lines before the first header belong to a section without a name, which
  // an empty section name looks up; a later "[]" can never be reached.
  std::uint32_t section = sectionCount_++;
  sectionIds_.emplace(std::string(), section);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    ParseLine(std::string_view(text).substr(pos, end - pos), section);
    pos = text.find_first_not_of("\r\n", end);
    if (pos == std::string::npos) break;
  }
}

void IniFile::ParseLine(std::string_view line, std::uint32_t& section) {
  line = TrimBlanks(line);
  if (line.empty()) return;
  if (line[0] == '[') {
    // The name ends at the last ']' of the line; the rest of the line is lost.
    std::size_t close = std::string_view::npos;
    for (std::size_t i = 1; i < line.size(); i += CharLength(line, i))
      if (line[i] == ']') close = i;
    if (close != std::string_view::npos) {
      const std::string_view name = UpToNul(TrimBlanks(line.substr(1, close - 1)));
      section = sectionCount_++;
      if (!name.empty()) sectionNames_.emplace_back(name);
      sectionIds_.emplace(FoldCase(name), section);  // an earlier one of the name stays
      return;
    }
    // Without ']' the line is an ordinary key line.
  }
  const std::size_t equals = line.find('=');  // '=' is below every trail byte
  Entry entry{std::string(), equals != std::string_view::npos};
  std::string_view name = line;
  if (entry.hasValue) {
    name = TrimBlanks(line.substr(0, equals));
    entry.value = UpToNul(TrimBlanks(line.substr(equals + 1)));
  }
  if (entryIds_.emplace(EntryKey(section, FoldCase(UpToNul(name))), entries_.size()).second)
    entries_.push_back(std::move(entry));
}

const IniFile::Entry* IniFile::Find(std::string_view section, std::string_view key) const {
  const std::string sectionArg = NormalizeArgument(UpToNul(section));
  const auto s = sectionIds_.find(FoldCase(TrimBlanks(sectionArg)));
  if (s == sectionIds_.end()) return nullptr;
  const std::string keyArg = NormalizeArgument(UpToNul(key));
  const auto e = entryIds_.find(EntryKey(s->second, FoldCase(TrimBlanks(keyArg))));
  return e == entryIds_.end() ? nullptr : &entries_[e->second];
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::size_t bufferSize) const {
  if (bufferSize == 0) return std::string();
  const Entry* entry = Find(section, key);
  std::string text;
  if (entry && entry->hasValue)
    text = entry->value;
  else
    text = TrimDefault(NormalizeArgument(UpToNul(defaultValue)));
  const std::string_view unquoted = StripQuotes(text);
  return std::string(unquoted.substr(0, FitPrefix(unquoted, bufferSize - 1)));
}

std::int32_t IniFile::ReadInt(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
  const Entry* entry = Find(section, key);
  if (!entry || !entry->hasValue) return defaultValue;
  // The reader looks at no more than the first 29 characters of the value.
  const std::string_view value = StripQuotes(entry->value);
  if (value.empty()) return defaultValue;
  return static_cast<std::int32_t>(ParseProfileNumber(value.substr(0, CharsPrefix(value, 29))));
}

std::string IniFile::SectionNames(std::size_t bufferSize) const {
  std::string buffer(bufferSize, '\0');
  if (bufferSize < 2) return buffer;
  // The list is first laid out in a buffer of bufferSize characters (NULs
  // included, one character for the final NUL kept back); the name that does
  // not fit is cut to the room left less one and ends the list.
  std::string list;
  std::size_t room = bufferSize - 1;
  for (const std::string& name : sectionNames_) {
    const std::size_t chars = CountChars(name);
    if (chars + 1 >= room) {
      list.append(name, 0, CharsPrefix(name, room - 1));
      break;
    }
    list += name;
    list += '\0';
    room -= chars + 1;
  }
  // Then it is copied into the byte buffer as far as whole characters fit in
  // bufferSize - 1 bytes; the bytes after them stay zero.
  list.copy(&buffer[0], FitPrefix(list, bufferSize - 1));
  return buffer;
}
